// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

class QWidget;

// Shows the program's help at its contents and index, or at one page.
class IHelpViewer {
public:
    virtual ~IHelpViewer() = default;
    virtual void showContents(const QString& helpFile, QWidget* owner) = 0;
    // page: a page of the help ("filter.html"), maybe with an anchor.
    virtual void showPage(const QString& helpFile, const QString& page, QWidget* owner) = 0;
};
