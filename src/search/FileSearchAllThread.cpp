// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "search/FileSearchAllThread.h"

#include <QCoreApplication>

#include "engine/FolderScan.h"
#include "engine/IFileSystem.h"
#include "platform/Messages.h"
#include "platform/Platform.h"
#include "search/FileCollection.h"
#include "util/DisplayText.h"
#include "util/PathText.h"

namespace {

const QString kInterrupted = QStringLiteral("検索は中断されました。");

QString whatFailed(const std::exception& e) { return QString::fromUtf8(e.what()); }

QString limitMessage(const std::string& stopFolder) {
    return QStringLiteral("検索ファイル数が許容数(32736)を超えてしまいました。\r\n\r\n"
                          "次回はもう少し下位のフォルダから検索してください。\r\n"
                          "(検索中止フォルダ = \r\n '") +
           displayPath(stopFolder) + QStringLiteral("')");
}

}  // namespace

TFileSearchAllThread::TFileSearchAllThread(const SearchRequest& request, QObject* parent)
    : QThread(parent),
      StartFolder(request.root),
      FindHiddenFile(request.findHidden),
      extensions_(request.masks) {
    ExtensionFilter = extensions_.text();
    connect(this, &QThread::finished, this, &QObject::deleteLater);
    // A loop that ends serves no effect any more.
    if (QCoreApplication* app = QCoreApplication::instance())
        connect(app, &QCoreApplication::aboutToQuit, this, &TFileSearchAllThread::Abandon);
}

TFileSearchAllThread::~TFileSearchAllThread() {
    if (showsProgress_ && gate_.isOpen()) Q_EMIT released();
}

void TFileSearchAllThread::RequestStop() { stop_.store(true); }

void TFileSearchAllThread::Abandon() {
    gate_.close();
    stop_.store(true);
}

void TFileSearchAllThread::run() {
    try {
        search();
    } catch (const std::exception& e) {
        errorReport(whatFailed(e));
    } catch (...) {
        errorReport(QStringLiteral("予期しないエラーが発生しました。"));
    }
}

void TFileSearchAllThread::search() {
    IFileSystem& fs = *platform().fileSystem;
    if (!fs.directoryExists(StartFolder)) {
        message(FindHiddenFile ? QStringLiteral("No Exists")
                               : displayPath(StartFolder) + QStringLiteral("\r\nは見つかりませんでした。"));
        return;
    }
    if (!FindHiddenFile &&
        (fs.attributes(withoutTrailingSlash(StartFolder)).value_or(0u) & attr::Hidden)) {
        message(displayPath(StartFolder) + QStringLiteral("\r\nは隠しファイルです。"));
        return;
    }
    StartFolder = withTrailingSlash(StartFolder);
    setCaption(QStringLiteral("フォルダ検索中"));

    auto scan = std::make_unique<FolderScan>();
    bool failed = false;
    try {
        ScanOptions options;
        options.includeHidden = FindHiddenFile;
        if (extensions_.allFiles()) options.keepFile = [](std::string_view) { return true; };
        else options.keepFile = [this](std::string_view name) { return extensions_.matches(name); };
        options.progress = [this](std::size_t left) {
            setCaption(QStringLiteral("残りフォルダ = ") + QString::number(left));
        };
        scanFolderTree(StartFolder, options, stop_, *scan);
    } catch (const std::exception& e) {
        setCaption(scan->startRead ? QStringLiteral("** 検索エラーです(例外)。")
                                   : QStringLiteral("* 検索エラーです。"));
        errorReport(whatFailed(e));
        failed = true;
    }
    // The walk reads the files with their folders: a stop once the start
    // folder was read hands over what was found, sorted like a whole result.
    if (failed || (scan->stopped && !scan->startRead)) {
        message(kInterrupted);
        return;
    }
    const bool stopped = scan->stopped;

    // Off the window's thread, which goes on answering.
    SearchResult result;
    try {
        sortScan(*scan);
        collectFiles(*scan, result);
    } catch (const std::exception& e) {
        errorReport(whatFailed(e));
    }
    scan.reset();

    setCaption(QStringLiteral("データ転送中"));
    const std::size_t found = result.files.size();
    if (!transfer(result.files)) return;
    if (result.limitReached) {
        message(limitMessage(result.stopFolder));
    } else {
        QString text = QString::number(found) + QStringLiteral("個のファイルを抽出しました。");
        if (stopped) text += QStringLiteral("\r\n\r\n") + kInterrupted;
        message(text);
    }
}

bool TFileSearchAllThread::onUi(std::function<void()> effect) { return gate_.run(std::move(effect)); }

void TFileSearchAllThread::setCaption(const QString& text) {
    // The first caption is waited for: a stop the user gives on seeing it
    // comes before the walk. The walk goes on past the others.
    if (captionShown_) {
        gate_.post([this, text] { showCaption(text); });
        return;
    }
    captionShown_ = true;
    onUi([this, text] { showCaption(text); });
}

void TFileSearchAllThread::showCaption(const QString& text) { Q_EMIT progress(text); }

void TFileSearchAllThread::message(const QString& text) {
    onUi([text] { notice(text); });
}

void TFileSearchAllThread::errorReport(const QString& text) {
    onUi([text] { ShowErrorReport(text); });
}

bool TFileSearchAllThread::transfer(std::vector<std::string>& files) {
    if (files.size() > MaxSearchFiles) files.resize(MaxSearchFiles);
    QString failure;
    const bool ran = onUi([&] {
        Q_EMIT found(files, failure);
        showsProgress_ = false;
        Q_EMIT released();
    });
    if (!ran) return false;
    if (failure.isEmpty()) return true;
    errorReport(failure);
    return false;
}
