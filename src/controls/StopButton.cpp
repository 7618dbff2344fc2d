// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls/StopButton.h"

#include <QEvent>
#include <QPushButton>

namespace {

class TreeFollower : public QObject {
public:
    TreeFollower(QPushButton& button, QWidget& tree) : QObject(&button), button_(button), tree_(tree) {
        tree.installEventFilter(this);
    }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == &tree_ && (event->type() == QEvent::Resize || event->type() == QEvent::Move))
            button_.setGeometry(tree_.geometry());
        return false;
    }

private:
    QPushButton& button_;
    QWidget& tree_;
};

}  // namespace

void StopButton::cover() const {
    button_.setGeometry(tree_.geometry());
    button_.raise();
    button_.show();
    searching_ = true;
}

void StopButton::setCaption(const QString& text) const { button_.setText(text); }

void StopButton::hide() const {
    button_.hide();
    searching_ = false;
}

void KeepOverTree(QPushButton& button, QWidget& tree) { new TreeFollower(button, tree); }
