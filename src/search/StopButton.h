// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QPushButton;
class QString;
class QWidget;

// The stop button of a search, which stands in for the left folder tree while
// the search runs. Showing and hiding it sets and clears the window's running
// flag with it.
struct StopButton {
    QPushButton& button;
    QWidget& tree;    // the folder tree it covers
    bool& searching;  // the window's running flag

    // Lays the button exactly over the tree, shows it and sets the flag.
    void cover() const;
    void setCaption(const QString& text) const;
    // Hides the button and clears the flag.
    void hide() const;
};

// Keeps button exactly over tree whenever the tree is moved or resized.
void KeepOverTree(QPushButton& button, QWidget& tree);
