// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Creation, first show and closing of the main window; drops, help and about.
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFrame>
#include <QMimeData>
#include <QPushButton>
#include <QSplitter>
#include <QTimer>
#include <utility>

#include "app/CopyForm.h"
#include "app/SettingsFile.h"
#include "controls/DirectoryListBox.h"
#include "controls/PathListBox.h"
#include "driveinfo/DriveInfo.h"
#include "drops/DroppedFiles.h"
#include "engine/FileOperation.h"
#include "platform/EngineAdapters.h"
#include "panes/BrowsingPanes.h"
#include "search/SearchCommand.h"
#include "platform/IHelpViewer.h"
#include "platform/Platform.h"
#include "platform/linux/UriToPath.h"
#include "platform/Messages.h"
#include "util/DisplayText.h"

namespace {

const char* const kUriList = "text/uri-list";

}  // namespace

void TCopyForm::FormCreate() {
    FormReady = false;
    setAcceptDrops(true);
    FilterDrag = {};
    try {
        FileOperation = std::make_unique<TFileOperation>(platformFileOperation());
    } catch (...) {
        MsgBox(QStringLiteral("FileOperation_Create Error"), QString(), -1);
        QTimer::singleShot(0, this, &QWidget::close);
        return;
    }
    // The splitter between them keeps both sides at least as wide as the
    // transfer button plus 3.
    DirectoryPanel->setMinimumWidth(GetFileListTranslateButton->width() + 3);
    FileNameListBox->setMinimumWidth(GetFileListTranslateButton->width() + 3);
    placeTranslateButton();
    OperationPanel->setFrameShape(QFrame::NoFrame);
    FilterPanel->setFrameShape(QFrame::NoFrame);
    SearchingButton->setProperty("tag", 0);
    LoadSettings(*this);
}

void TCopyForm::FormShow() {
    if (StartMaximized) setWindowState(windowState() | Qt::WindowMaximized);
    FormReady = true;
    // Damaged entries of the undo journal, set aside at the start.
    for (const std::string& aside : std::exchange(journalSetAside_, {}))
        notice(QStringLiteral("操作の記録が壊れていたので使わずに、次の名前で残しました。\r\n") +
               displayPath(aside));
    panes().FileListBox1Change();
    DriveComboBox1Change(*DirectoryListBox1, driveLabels());
}

void TCopyForm::FormClose() {
    setAcceptDrops(false);
    EndSearch(SearchThread);
    try {
        FileOperation.reset();
    } catch (...) {
        return;
    }
    SaveSettings(*this);
}

void TCopyForm::RightSplitterMoved() {
    // The splitter keeps its bar against the right panel; re-assert it after
    // a move that the panel's size limits cut short.
    const QList<int> sizes = MainSplitter->sizes();
    if (sizes.size() == 3 && sizes[2] != RightPanel->width()) MainSplitter->refresh();
}

void TCopyForm::ShowHelpExecute() {
    platform().help->showContents(QStringLiteral("Dorvanquellis.hlp"), this);
}

void TCopyForm::ShowVersionExecute() {
    MsgBox(QStringLiteral("Dorvanquellis Version 00.01.00\r\n\r\n"
                                "Copyright (C) 2026 The Dorvanquellis developers"),
                 QStringLiteral("  Dorvanquellis"), 0);
}

void TCopyForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!event->spontaneous() && !FormReady) FormShow();
}

void TCopyForm::closeEvent(QCloseEvent* event) {
    if (!closed_) {
        closed_ = true;
        FormClose();
    }
    event->accept();
}

void TCopyForm::dragEnterEvent(QDragEnterEvent* event) {
    if (acceptDrops() && event->mimeData()->hasFormat(QString::fromLatin1(kUriList)))
        event->acceptProposedAction();
}

void TCopyForm::dragMoveEvent(QDragMoveEvent* event) {
    if (acceptDrops() && event->mimeData()->hasFormat(QString::fromLatin1(kUriList)))
        event->acceptProposedAction();
}

void TCopyForm::dropEvent(QDropEvent* event) {
    const QByteArray uris = event->mimeData()->data(QString::fromLatin1(kUriList));
    const std::vector<std::string> paths = localPathsFromUriList(uris.toStdString());
    if (paths.empty()) return;
    event->acceptProposedAction();
    DropFiles(paths, *DataList);
}
