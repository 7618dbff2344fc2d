#include "app/Application.h"

#include <QApplication>

#include "platform/ApplicationSetup.h"
#include "app/CopyForm.h"
#include "app/TerminationSignals.h"
#include "platform/Platform.h"

int RunApplication(int& argc, char** argv, const std::function<void(TCopyForm&)>& beforeLoop) {
    QApplication app(argc, argv);
    Q_INIT_RESOURCE(resources);
    SetUpApplication(app);
    installLinuxPlatform();

    auto* form = new TCopyForm();
    form->setAttribute(Qt::WA_DeleteOnClose);
    CloseOnTerminationSignals(form);
    form->show();
    if (beforeLoop) beforeLoop(*form);
    const int result = QApplication::exec();
    return result;
}
