// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/HelpKey.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include "platform/IHelpViewer.h"
#include "platform/Platform.h"

namespace {

constexpr const char* kHelpPage = "helpPage";
const QString kHelpFile = QStringLiteral("Dorvanquellis.hlp");

}  // namespace

void setHelpPage(QWidget* w, const QString& page) { w->setProperty(kHelpPage, page); }

QString helpPageOf(const QWidget* w) {
    for (; w; w = w->isWindow() ? nullptr : w->parentWidget()) {
        const QString page = w->property(kHelpPage).toString();
        if (!page.isEmpty()) return page;
    }
    return {};
}

bool HelpKey::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType()) return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() != Qt::Key_F1 || key->modifiers() != Qt::NoModifier) return false;
    if (!platform().help) return false;
    auto* widget = static_cast<QWidget*>(watched);
    // Owned by the window that has the key, so that a modal dialog does not
    // shut the help out.
    QWidget* owner = widget->window();
    const QString page = helpPageOf(widget);
    if (page.isEmpty()) platform().help->showContents(kHelpFile, owner);
    else platform().help->showPage(kHelpFile, page, owner);
    return true;
}

void InstallHelpKey() {
    static HelpKey* key = nullptr;
    if (key || !qApp) return;
    key = new HelpKey(qApp);
    qApp->installEventFilter(key);
}
