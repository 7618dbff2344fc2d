// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QString;

// How the window shows that a search runs (the stop button over the left
// folder tree), and the window's running flag with it.
class SearchIndicator {
public:
    virtual bool searching() const = 0;
    // Shows the indicator and sets the flag.
    virtual void cover() const = 0;
    virtual void setCaption(const QString& text) const = 0;
    // Hides the indicator and clears the flag.
    virtual void hide() const = 0;

protected:
    ~SearchIndicator() = default;
};
