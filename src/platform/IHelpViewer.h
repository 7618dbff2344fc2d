#pragma once

#include <QString>

class QWidget;

// Shows the program's help at its contents and index.
class IHelpViewer {
public:
    virtual ~IHelpViewer() = default;
    virtual void showContents(const QString& helpFile, QWidget* owner) = 0;
};
