#include "app/Application.h"

#include <QApplication>

#include "app/ApplicationSetup.h"
#include "app/CommandLineFiles.h"
#include "app/CopyForm.h"
#include "app/DroppedFiles.h"
#include "app/TerminationSignals.h"
#include "platform/Platform.h"
#include "util/ApU.h"

int RunApplication(int& argc, char** argv, const std::function<void(TCopyForm&)>& beforeLoop) {
    QApplication app(argc, argv);
    Q_INIT_RESOURCE(resources);
    SetUpApplication(app);
    installLinuxPlatform();

    auto* form = new TCopyForm();
    form->setAttribute(Qt::WA_DeleteOnClose);
    CloseOnTerminationSignals(form);
    ApU = new TApU();
    form->show();
    // QApplication took its own options out of argv; the rest are files.
    form->droppedFiles().Drop(CommandLineFiles(argc, argv));
    if (beforeLoop) beforeLoop(*form);
    const int result = QApplication::exec();
    delete ApU;
    ApU = nullptr;
    return result;
}
