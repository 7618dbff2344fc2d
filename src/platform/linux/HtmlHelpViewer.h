#pragma once

#include <QPointer>

#include "platform/IHelpViewer.h"

class HelpWindow;

// The bundled Japanese HTML help in a window with contents and index.
class HtmlHelpViewer : public IHelpViewer {
public:
    void showContents(const QString& helpFile, QWidget* owner) override;

private:
    QPointer<HelpWindow> window_;
};
