// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "controls/SearchIndicator.h"

class QPushButton;
class QWidget;

// The stop button of a search, which stands in for the left folder tree while
// the search runs. Showing and hiding it sets and clears the window's running
// flag with it.
class StopButton : public SearchIndicator {
public:
    // tree: the folder tree it covers; searching: the window's running flag.
    StopButton(QPushButton& button, QWidget& tree, bool& searching)
        : button_(button), tree_(tree), searching_(searching) {}

    bool searching() const override { return searching_; }
    // Lays the button exactly over the tree, shows it and sets the flag.
    void cover() const override;
    void setCaption(const QString& text) const override;
    void hide() const override;

private:
    QPushButton& button_;
    QWidget& tree_;
    bool& searching_;
};

// Keeps button exactly over tree whenever the tree is moved or resized.
void KeepOverTree(QPushButton& button, QWidget& tree);
