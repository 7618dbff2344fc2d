// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/ActionButton.h"

#include <QAction>

ActionButton::ActionButton(QAction* action, QWidget* parent, const QString& caption)
    : QPushButton(parent), action_(action), caption_(caption) {
    setFocusPolicy(Qt::TabFocus);
    sync();
    connect(action, &QAction::changed, this, &ActionButton::sync);
    connect(this, &QPushButton::clicked, action, [action] { action->trigger(); });
}

void ActionButton::sync() {
    setText(caption_.isEmpty() ? action_->text() : caption_);
    setEnabled(action_->isEnabled());
    if (!caption_.isEmpty()) setToolTip(QString(action_->text()).remove('&'));
}
