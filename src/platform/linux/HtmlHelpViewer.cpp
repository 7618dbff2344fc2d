#include "platform/linux/HtmlHelpViewer.h"

#include "platform/linux/HelpWindow.h"

void HtmlHelpViewer::showContents(const QString&, QWidget* owner) {
    if (!window_) {
        window_ = new HelpWindow(owner);
        window_->setAttribute(Qt::WA_DeleteOnClose);
    }
    window_->showContentsPage();
    window_->show();
    window_->raise();
    window_->activateWindow();
}
