#include "app/Application.h"

#include <QApplication>

#include "app/CommandLineFiles.h"
#include "app/CopyForm.h"
#include "platform/TerminationSignals.h"
#include "controls/PathListBox.h"
#include "drops/DroppedFiles.h"
#include "folders/FolderChooserDialogs.h"
#include "platform/ApplicationSetup.h"
#include "platform/HelpKey.h"
#include "platform/Platform.h"

int RunApplication(int& argc, char** argv, const std::function<void(TCopyForm&)>& beforeLoop) {
    QApplication app(argc, argv);
    Q_INIT_RESOURCE(resources);
    SetUpApplication(app);
    installLinuxPlatform();
    static FolderChooserDialogs dialogs;  // the program's own folder chooser
    platform().dialogs = &dialogs;
    InstallHelpKey();

    auto* form = new TCopyForm();
    form->setAttribute(Qt::WA_DeleteOnClose);
    CloseOnTerminationSignals(form);
    form->show();
    // QApplication took its own options out of argv; the rest are files.
    DropFiles(CommandLineFiles(argc, argv), *form->DataListBox->list());
    if (beforeLoop) beforeLoop(*form);
    const int result = QApplication::exec();
    return result;
}
