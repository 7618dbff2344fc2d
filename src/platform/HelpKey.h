// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>
#include <QString>

class QWidget;

// F1 anywhere in the program opens the help at the page of what has focus:
// the page tagged on the focused control or on the nearest control above it
// in its window; the contents when there is none.

// Tags w (and the controls inside it) with a page of the help ("filter.html").
void setHelpPage(QWidget* w, const QString& page);
// The page for w: its own tag or the nearest one above it within its window.
QString helpPageOf(const QWidget* w);

class HelpKey : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

// Installs one HelpKey on the application.
void InstallHelpKey();
