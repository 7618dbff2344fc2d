// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <gtest/gtest.h>

#include "app/CopyForm.h"
#include "controls/PathListBox.h"
#include "platform/Platform.h"
#include "engine/PosixFileSystem.h"
#include "support/TestEnvironment.h"

namespace {

std::string fileUri(const std::string& path) {
    static const char* hex = "0123456789ABCDEF";
    std::string uri = "file://";
    for (unsigned char c : path) {
        if (std::isalnum(c) || c == '/' || c == '-' || c == '_' || c == '.' || c == '~') {
            uri += char(c);
        } else {
            uri += '%';
            uri += hex[c >> 4];
            uri += hex[c & 15];
        }
    }
    return uri;
}

std::string uriList(const std::vector<std::string>& paths) {
    std::string list;
    for (const auto& p : paths) list += fileUri(p) + "\r\n";
    return list;
}

class DropTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        form = std::make_unique<TCopyForm>();
    }

    // Delivers a drop of a text/uri-list payload, as a file manager sends it.
    void dropRaw(const std::string& uris, const QString& plainText = QString()) {
        QMimeData data;
        data.setData(QStringLiteral("text/uri-list"), QByteArray::fromStdString(uris));
        if (!plainText.isNull()) data.setText(plainText);
        // Qt delivers a drop to the widget that accepted the drag's entry.
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form.get(), &enter);
        QDropEvent event(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(form.get(), &event);
    }
    void drop(const std::vector<std::string>& paths) { dropRaw(uriList(paths)); }

    std::vector<std::string> rows() const { return form->dataListBox()->list()->rows(); }

    std::unique_ptr<TCopyForm> form;
    TempDir dir;
};

TEST_F(DropTest, FilesAreAppendedInDropOrderAfterExistingRows) {
    form->dataListBox()->list()->setRows({"/existing"});
    const auto c = dir.write("c.txt"), a = dir.write("a.txt"), b = dir.write("b.txt");
    drop({c, a, b});
    EXPECT_EQ(rows(), (std::vector<std::string>{"/existing", c, a, b}));
    drop({a});  // already listed: added again
    EXPECT_EQ(rows().size(), 5u);
    EXPECT_TRUE(fakeDialogs().shown.empty());
}

TEST_F(DropTest, AFolderAddsOnlyItsDirectFilesInCaseInsensitiveOrder) {
    const auto folder = dir.mkdir("f");
    dir.write("f/B.txt");
    dir.write("f/a.txt");
    dir.write("f/sub/inner.txt");
    drop({folder});
    EXPECT_EQ(rows(), (std::vector<std::string>{folder + "/a.txt", folder + "/B.txt"}));
}

TEST_F(DropTest, FilesComeFirstThenFoldersInCaseInsensitiveOrder) {
    const auto zeta = dir.mkdir("Zeta"), alpha = dir.mkdir("alpha");
    dir.write("Zeta/z1");
    dir.write("alpha/a1");
    const auto file = dir.write("loose.txt");
    drop({zeta, file, alpha});
    EXPECT_EQ(rows(), (std::vector<std::string>{file, alpha + "/a1", zeta + "/z1"}));
}

TEST_F(DropTest, HiddenAndSpecialFilesInAFolderAreIncluded) {
    const auto folder = dir.mkdir("h");
    dir.write("h/.dot");
    dir.write("h/listed");
    dir.write("h/.hidden", "listed\n");
    ASSERT_EQ(::mkfifo((folder + "/pipe").c_str(), 0600), 0);
    ::symlink("/nonexistent", (folder + "/dangling").c_str());
    ::symlink(folder.c_str(), (folder + "/loop").c_str());  // link to a folder: not a file
    drop({folder});
    EXPECT_EQ(rows(), (std::vector<std::string>{folder + "/.dot", folder + "/.hidden",
                                                folder + "/dangling", folder + "/listed",
                                                folder + "/pipe"}));
}

TEST_F(DropTest, EmptyVanishedAndUnreadableFoldersAddNothingSilently) {
    const auto empty = dir.mkdir("empty");
    drop({empty, dir / "gone", dir / "gone.txt"});
    EXPECT_TRUE(rows().empty());

    // A folder whose listing fails part-way keeps nothing from it and says nothing.
    struct FailingListing : PosixFileSystem {
        bool listDirectory(const std::string&, std::vector<DirEntry>&) override { return false; }
    } failing;
    Platform replacement;
    replacement.fileSystem = &failing;
    ScopedPlatform scope(replacement);
    const auto full = dir.mkdir("full");
    dir.write("full/x");
    drop({full});
    EXPECT_TRUE(rows().empty());
    EXPECT_TRUE(fakeDialogs().shown.empty());
}

TEST_F(DropTest, AFailingFolderListingIsReportedAndTheDroppedFilesStillArrive) {
    struct ThrowingListing : PosixFileSystem {
        bool listDirectory(const std::string&, std::vector<DirEntry>&) override {
            throw std::runtime_error("listing");
        }
    } throwing;
    Platform replacement;
    replacement.fileSystem = &throwing;
    ScopedPlatform scope(replacement);
    const auto folder = dir.mkdir("folder");
    dir.write("folder/inside");
    const auto loose = dir.write("loose.txt");
    drop({folder, loose});
    EXPECT_EQ(rows(), std::vector<std::string>{loose});
    EXPECT_EQ(fakeDialogs().texts(), QStringList{"SetDropDirectory Error"});
}

TEST_F(DropTest, NamesSurviveByteForByte) {
    const std::vector<std::string> names = {"sp ace.txt", "quo\"te'.txt", "hash#.txt",
                                            "per%25cent.txt", "new\nline.txt", "\xff\xfe\x95\x5c.txt",
                                            "日本語.txt"};
    std::vector<std::string> paths;
    for (const auto& n : names) paths.push_back(dir.write(n));
    drop(paths);
    EXPECT_EQ(rows(), paths);

    const auto folder = dir.mkdir("\x83\x74\x83\x48");  // Shift-JIS folder name
    dir.write("\x83\x74\x83\x48/\x8e\x9a.txt");
    form->dataListBox()->list()->clear();
    drop({folder});
    EXPECT_EQ(rows(), (std::vector<std::string>{folder + "/\x8e\x9a.txt"}));
}

TEST_F(DropTest, NonFileUrisAddNothingAndShowNothing) {
    dropRaw("http://example.com/a.txt\r\nmailto:x@example.com\r\n# comment\r\n");
    dropRaw(std::string(), QStringLiteral("/etc/passwd"));
    dropRaw(fileUri(dir.write("a")) + std::string("\0.bak\r\n", 7));  // not the URI of "a"
    EXPECT_TRUE(rows().empty());
    EXPECT_TRUE(fakeDialogs().shown.empty());

    QMimeData text;
    text.setText(QStringLiteral("/etc/passwd"));
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &enter);
    EXPECT_FALSE(enter.isAccepted());
}

TEST_F(DropTest, OverlongNamesAreCutAndSkipped) {
    const std::string longName = dir.path() + "/" + std::string(5000, 'x');
    drop({longName});
    EXPECT_TRUE(rows().empty());
}

TEST_F(DropTest, TenThousandFilesInOneDrop) {
    const auto folder = dir.mkdir("many");
    std::vector<std::string> paths;
    for (int i = 0; i < 10000; ++i) {
        const std::string p = folder + "/f" + std::to_string(i);
        ::close(::creat(p.c_str(), 0644));
        paths.push_back(p);
    }
    drop(paths);
    drop({folder});
    ASSERT_EQ(rows().size(), 20000u);
    EXPECT_EQ(rows()[9999], paths[9999]);
    EXPECT_EQ(rows()[10000], folder + "/f0");
    EXPECT_EQ(rows()[10001], folder + "/f1");
}

TEST_F(DropTest, ClosedWindowNoLongerAcceptsDrops) {
    form->FormClose();
    const auto a = dir.write("a.txt");
    QMimeData data;
    data.setData(QStringLiteral("text/uri-list"), QByteArray::fromStdString(uriList({a})));
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(form.get(), &enter);
    EXPECT_FALSE(enter.isAccepted());
}

}  // namespace
