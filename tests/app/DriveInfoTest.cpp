// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <memory>
#include <stdexcept>

#include <QAccessible>
#include <QAction>
#include <QLabel>
#include <QMenu>
#include <gtest/gtest.h>

#include "app/CopyForm.h"
#include "controls/DirectoryListBox.h"
#include "controls/DriveComboBox.h"
#include "platform/IVolumeInfo.h"
#include "platform/Platform.h"
#include "support/TestEnvironment.h"

namespace {

// Volumes whose roots are test folders.
class FakeVolumes : public IVolumeInfo {
public:
    struct Entry {
        std::string root;
        std::string label;
        int type;
        std::uint32_t serial;
        bool medium = true;
    };
    std::vector<Volume> volumes() override {
        std::vector<Volume> out;
        for (const auto& e : entries) out.push_back({e.root, e.label});
        return out;
    }
    std::string volumeRootOf(const std::string& folder) override {
        std::string best = "/";
        for (const auto& e : entries)
            if ((folder == e.root || folder.rfind(e.root + "/", 0) == 0) &&
                e.root.size() > best.size())
                best = e.root;
        return best;
    }
    bool isMountPoint(const std::string& path) override { return find(path) != nullptr; }
    std::vector<std::string> mountPointsBelow(const std::string&) override { return {}; }
    int driveType(const std::string& root) override {
        ++typeQueries;
        if (throwType) throw std::runtime_error("drive type");
        const Entry* e = find(root);
        return e ? e->type : drive::NoRootDir;
    }
    bool volumeInformation(const std::string& root, std::string& label,
                           std::uint32_t& serial) override {
        if (throwInfo) throw std::runtime_error("volume information");
        const Entry* e = find(root);
        if (!e || !e->medium) return false;
        label = e->label;
        serial = e->serial;
        return true;
    }
    const Entry* find(const std::string& root) const {
        for (const auto& e : entries)
            if (e.root == root) return &e;
        return nullptr;
    }

    std::vector<Entry> entries;
    bool throwType = false;
    bool throwInfo = false;
    int typeQueries = 0;
};

class DriveInfoTest : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        stick = dir.mkdir("stick");
        volumes.entries = {{"/", "SYSTEM", drive::Fixed, 0x1A2B3C4D},
                           {stick, "", drive::Removable, 0xABCDEF}};
        form = std::make_unique<TCopyForm>();
        ASSERT_TRUE(form->directoryListBox1()->setDirectory(dir.path()));
    }
    void TearDown() override { form.reset(); }

    QStringList labels() const {
        return {form->driveTypeLabel()->text(), form->volumeLabelLabel()->text(),
                form->serialNumberLabel()->text()};
    }

    TempDir dir;
    std::string stick;
    FakeVolumes volumes;
    ScopedPlatform fake{[this] {
        Platform p;
        p.volumes = &volumes;
        return p;
    }()};
    std::unique_ptr<TCopyForm> form;
};

TEST_F(DriveInfoTest, LabelsKeepTheirDesignTextsUntilTheFirstShow) {
    ASSERT_TRUE(form->directoryListBox1()->setDirectory(stick));  // another drive
    Q_EMIT form->driveComboBox1()->driveChanged();
    EXPECT_EQ(labels(), (QStringList{"Type:", "Vol:", "Ser:"}));
    EXPECT_EQ(volumes.typeQueries, 0);

    form->FormShow();
    EXPECT_EQ(labels(), (QStringList{"Type: Floppy Disk", "Vol:   ", "Ser:   00AB-CDEF"}));
}

TEST_F(DriveInfoTest, ScreenReadersReadTheShownTexts) {
    form->FormShow();
    for (QLabel* label : {form->driveTypeLabel(), form->volumeLabelLabel(), form->serialNumberLabel()}) {
        QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(label);
        ASSERT_TRUE(reader);
        EXPECT_EQ(reader->text(QAccessible::Name), label->text());
        EXPECT_EQ(reader->text(QAccessible::Description), label->objectName());
    }
}

TEST_F(DriveInfoTest, ChangingTheDriveRefreshesAllThreeLabels) {
    form->FormShow();
    EXPECT_EQ(labels(), (QStringList{"Type: Hard Disk", "Vol:   SYSTEM", "Ser:   1A2B-3C4D"}));

    // Through a selected folder onto the other drive.
    form->SelectedFolderPaths = {stick};
    form->rebuildSelectedFolderMenus();
    form->leftSelectedFolderMenu()->actions().at(0)->trigger();
    EXPECT_EQ(form->driveComboBox1()->drive(), stick);
    EXPECT_EQ(labels(), (QStringList{"Type: Floppy Disk", "Vol:   ", "Ser:   00AB-CDEF"}));

    // Through the drive selector back to the first one.
    const int system = form->driveComboBox1()->findData(QByteArray("/"));
    ASSERT_GE(system, 0);
    Q_EMIT form->driveComboBox1()->activated(system);
    EXPECT_EQ(form->directoryListBox1()->directory(), "/");
    EXPECT_EQ(labels(), (QStringList{"Type: Hard Disk", "Vol:   SYSTEM", "Ser:   1A2B-3C4D"}));
}

TEST_F(DriveInfoTest, ADriveWithoutMediumStillShowsItsType) {
    volumes.entries[1].medium = false;
    ASSERT_TRUE(form->directoryListBox1()->setDirectory(stick));
    form->FormShow();
    EXPECT_EQ(labels(), (QStringList{"Type: Floppy Disk", "Vol:   not Mounted", "Ser:"}));
}

TEST_F(DriveInfoTest, FailingQueriesEndAsLabelTexts) {
    form->FormShow();
    volumes.throwInfo = true;
    Q_EMIT form->driveComboBox1()->driveChanged();
    EXPECT_EQ(labels(), (QStringList{"Type: Hard Disk", "Vol:  not Mounted", "Ser:"}));

    volumes.throwInfo = false;
    volumes.throwType = true;
    Q_EMIT form->driveComboBox1()->driveChanged();
    EXPECT_EQ(labels(), (QStringList{"Type: Cannot use", "Vol:   SYSTEM", "Ser:   1A2B-3C4D"}));
    EXPECT_TRUE(fakeDialogs().shown.empty());
}

TEST_F(DriveInfoTest, AVolumeThatIsNotThereAnyMore) {
    form->FormShow();
    volumes.entries.pop_back();
    volumes.entries[0].root = "/elsewhere";  // the tree's root is no volume now
    Q_EMIT form->driveComboBox1()->driveChanged();
    EXPECT_EQ(labels(), (QStringList{"Type: Not exist", "Vol:   not Mounted", "Ser:"}));
}

}  // namespace
