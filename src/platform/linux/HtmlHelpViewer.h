// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPointer>

#include "platform/IHelpViewer.h"

class HelpWindow;

// The bundled Japanese HTML help in a window with contents and index.
class HtmlHelpViewer : public IHelpViewer {
public:
    void showContents(const QString& helpFile, QWidget* owner) override;
    void showPage(const QString& helpFile, const QString& page, QWidget* owner) override;

private:
    // The help window, owned by owner: a window of another owner would be
    // shut out by a modal dialog that owner is.
    HelpWindow& windowFor(QWidget* owner);

    QPointer<HelpWindow> window_;
};
