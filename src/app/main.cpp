#include <QApplication>

#include "app/ApplicationSetup.h"
#include "app/CopyForm.h"
#include "platform/Platform.h"
#include "util/ApU.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    Q_INIT_RESOURCE(resources);
    SetUpApplication(app);
    installLinuxPlatform();

    auto* form = new TCopyForm();
    form->setAttribute(Qt::WA_DeleteOnClose);
    ApU = new TApU();
    form->show();
    const int result = QApplication::exec();
    delete ApU;
    ApU = nullptr;
    return result;
}
