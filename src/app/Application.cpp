// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Application.h"

#include <cstdio>
#include <thread>

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "app/AfterFirstPaint.h"
#include "app/CommandLine.h"
#include "app/CommandLineFiles.h"
#include "app/CopyForm.h"
#include "platform/CloseRequests.h"
#include "platform/TerminationSignals.h"
#include "controls/PathListBox.h"
#include "drops/DroppedFiles.h"
#include "folders/FolderChooserDialogs.h"
#include "platform/ApplicationSetup.h"
#include "platform/HelpKey.h"
#include "platform/Platform.h"
#include "util/Collation.h"

namespace {

// Help, version or a command-line error, with no display: a QCoreApplication
// only, and Qt's Japanese texts when the user's language is Japanese.
int answerCommandLine(int& argc, char** argv, CommandLine::Request request) {
    QCoreApplication core(argc, argv);
    const bool japanese = JapaneseMessages();
    QTranslator translator;
    if (japanese && translator.load(QStringLiteral("qtbase_ja"),
                                    QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&translator);
    const CommandLineAnswer answer =
        AnswerCommandLine(request, QCoreApplication::arguments(), japanese);
    std::fputs(answer.text.c_str(), answer.toStandardError ? stderr : stdout);
    return answer.status;
}

}  // namespace

int RunApplication(int& argc, char** argv, const std::function<void(TCopyForm&)>& beforeLoop) {
    const CommandLine commandLine = ParseCommandLine(argc, argv);
    if (commandLine.request != CommandLine::Request::Run)
        return answerCommandLine(argc, argv, commandLine.request);
    QApplication app(argc, argv);
    Q_INIT_RESOURCE(resources);
    SetUpApplication(app);
    installLinuxPlatform();
    static FolderChooserDialogs dialogs;  // the program's own folder chooser
    platform().dialogs = &dialogs;
    InstallHelpKey();

    std::jthread collation;
    auto* form = new TCopyForm();
    form->setAttribute(Qt::WA_DeleteOnClose);
    CloseOnTerminationSignals(form);
    KeepCloseRequests(form);
    // The collation that sorts search results, made once the window shows.
    AfterFirstPaint(*form, [&collation] { collation = std::jthread(prepareCaseInsensitiveCollation); });
    form->show();
    DropFiles(CommandLineFiles(commandLine.files), *form->DataList);
    if (beforeLoop) beforeLoop(*form);
    const int result = QApplication::exec();
    return result;
}
