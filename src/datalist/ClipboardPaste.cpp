// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "datalist/ClipboardPaste.h"

#include <QCursor>
#include <QGuiApplication>
#include <QThread>

#include "controls/ListRows.h"
#include "controls/PathListModel.h"
#include "datalist/ListText.h"
#include "platform/ClipboardText.h"
#include "platform/Messages.h"

void ClipboardPaste::start(ListRows& dataList) {
    if (pending(dataList)) return;
    new ClipboardPaste(dataList);
}

bool ClipboardPaste::pending(const ListRows& dataList) {
    return dataList.paths().findChild<ClipboardPaste*>(QString(), Qt::FindDirectChildrenOnly) != nullptr;
}

ClipboardPaste::ClipboardPaste(ListRows& dataList) : QObject(&dataList.paths()), list_(dataList) {
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    cursorShown_ = true;
    IClipboard::TextReader reader = ClipboardTextReader();
    // Without a reader for other threads the text is read here; splitting a
    // long one still goes to the thread.
    QString text = reader ? QString() : GetClipboardText();
    thread_ = QThread::create([this, reader = std::move(reader), text = std::move(text)]() mutable {
        try {
            std::vector<std::string> rows;
            if (reader) {
                // Split as the pieces come, while the next one is on its way.
                PastedRows pasted;
                const bool read = reader([&pasted](std::string_view piece) { pasted.add(piece); },
                                         [this] { return cancelled_.load(); });
                if (!read) {
                    if (!cancelled_)
                        QMetaObject::invokeMethod(this, &ClipboardPaste::readHere, Qt::QueuedConnection);
                    return;
                }
                rows = pasted.finish();
            } else {
                rows = RowsFromPastedText(text);
                text = QString();
            }
            QMetaObject::invokeMethod(
                this, [this, rows = std::move(rows)]() mutable { finish(std::move(rows)); },
                Qt::QueuedConnection);
        } catch (const std::exception& e) {
            const QString what = QString::fromUtf8(e.what());
            QMetaObject::invokeMethod(this, [this, what] {
                ShowErrorReport(what);
                deleteLater();
            }, Qt::QueuedConnection);
        }
    });
    thread_->start();
}

ClipboardPaste::~ClipboardPaste() {
    cancelled_ = true;
    if (thread_) {
        thread_->wait();
        delete thread_;
    }
    if (cursorShown_) QGuiApplication::restoreOverrideCursor();
}

void ClipboardPaste::finish(std::vector<std::string> rows) {
    list_.replaceRows(std::move(rows), -1);
    deleteLater();
}

void ClipboardPaste::readHere() {
    try {
        finish(RowsFromPastedText(GetClipboardText()));
    } catch (const std::exception& e) {
        ShowErrorReport(QString::fromUtf8(e.what()));
        deleteLater();
    }
}
