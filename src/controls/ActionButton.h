// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPushButton>

class QAction;

// A push button that shows an action's caption and state and triggers it.
class ActionButton : public QPushButton {
    Q_OBJECT
public:
    // caption overrides the action's caption when not empty.
    ActionButton(QAction* action, QWidget* parent, const QString& caption = QString());
    QAction* boundAction() const { return action_; }

private:
    void sync();
    QAction* action_;
    QString caption_;
};
