// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/linux/HtmlHelpViewer.h"

#include "platform/linux/HelpWindow.h"

HelpWindow& HtmlHelpViewer::windowFor(QWidget* owner) {
    if (window_ && window_->parentWidget() != owner) {
        window_->close();  // deletes itself, later
        window_ = nullptr;
    }
    if (!window_) {
        window_ = new HelpWindow(owner);
        window_->setAttribute(Qt::WA_DeleteOnClose);
    }
    return *window_;
}

void HtmlHelpViewer::showContents(const QString&, QWidget* owner) {
    HelpWindow& window = windowFor(owner);
    window.showContentsPage();
    window.show();
    window.raise();
    window.activateWindow();
}

void HtmlHelpViewer::showPage(const QString&, const QString& page, QWidget* owner) {
    HelpWindow& window = windowFor(owner);
    window.showPage(page);
    window.show();
    window.raise();
    window.activateWindow();
}
