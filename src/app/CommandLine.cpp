// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <QLocale>

namespace {

// Options of QGuiApplication and QApplication, hidden from the help: a value
// option's value must not be taken for a file.
constexpr const char* kQtValueOptions[] = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "geometry",
    "qwindowtitle", "title", "qwindowicon", "icon", "session", "display", "name", "style",
    "stylesheet", "qmljsdebugger"};
constexpr const char* kQtFlagOptions[] = {"reverse", "widgetcount", "sync", "nograb", "dograb",
                                          "testability"};

struct Options {
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help"), QStringLiteral("?")}};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")}};
};

QString text(bool japanese, const char* english, const char* japaneseText) {
    return QString::fromUtf8(japanese ? japaneseText : english);
}

void declare(QCommandLineParser& parser, Options& options, bool japanese) {
    // "-platform" is one option, not -p -l -a ..., as QApplication reads it.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    parser.setApplicationDescription(text(
        japanese,
        "Gathers the full paths of files into one list, the data list, and copies, moves or\n"
        "deletes all of them at once. Qt's standard options (-platform, -style, ...) are\n"
        "accepted too.",
        "ファイルのフルパスをひとつの一覧（データリスト）に集め、まとめてコピー・移動・削除します。\n"
        "Qt の標準オプション（-platform、-style など）も使えます。"));
    options.help.setDescription(text(japanese, "Show this help and exit.",
                                     "このヘルプを表示して終了します。"));
    options.version.setDescription(text(japanese, "Show the version and exit.",
                                        "バージョンを表示して終了します。"));
    parser.addOption(options.help);
    parser.addOption(options.version);
    for (const char* name : kQtValueOptions) {
        QCommandLineOption option(QString::fromLatin1(name), QString(), QStringLiteral("value"));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    for (const char* name : kQtFlagOptions) {
        QCommandLineOption option(QString::fromLatin1(name));
        option.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(option);
    }
    // The name stays ASCII: Qt aligns the help by characters, not by columns.
    parser.addPositionalArgument(
        QStringLiteral("files"),
        text(japanese, "Files to add to the data list (a folder adds the files directly inside it).",
             "データリストに加えるファイル（フォルダなら、その直下のファイル）。"),
        QStringLiteral("[files...]"));
}

CommandLine::Request requestOf(QCommandLineParser& parser, const Options& options,
                               const QStringList& arguments) {
    if (!parser.parse(arguments)) return CommandLine::Request::Error;
    if (parser.isSet(options.help)) return CommandLine::Request::Help;
    if (parser.isSet(options.version)) return CommandLine::Request::Version;
    return CommandLine::Request::Run;
}

}  // namespace

CommandLine ParseCommandLine(int argc, const char* const* argv) {
    // Latin-1 maps every byte to one character and back: options are ASCII, and
    // the file arguments come back as the bytes they were.
    QStringList arguments;
    for (int i = 0; i < argc; ++i) arguments << QString::fromLatin1(argv[i]);
    if (arguments.isEmpty()) arguments << QString();
    QCommandLineParser parser;
    Options options;
    declare(parser, options, false);
    CommandLine result;
    result.request = requestOf(parser, options, arguments);
    if (result.request == CommandLine::Request::Run)
        for (const QString& file : parser.positionalArguments())
            result.files.push_back(file.toLatin1().toStdString());
    return result;
}

CommandLineAnswer AnswerCommandLine(CommandLine::Request request, const QStringList& arguments,
                                    bool japanese) {
    QCommandLineParser parser;
    Options options;
    declare(parser, options, japanese);
    requestOf(parser, options, arguments);
    switch (request) {
    case CommandLine::Request::Help:
        return {parser.helpText().toStdString(), false, 0};
    case CommandLine::Request::Version:
        return {"Dorvanquellis " DORVAN_VERSION "\n", false, 0};
    case CommandLine::Request::Error:
    case CommandLine::Request::Run:
        break;
    }
    const QString program = QFileInfo(arguments.value(0)).fileName();
    const QString tryHelp = japanese
        ? QStringLiteral("使い方は「%1 --help」で表示されます。").arg(program)
        : QStringLiteral("Try '%1 --help' for more information.").arg(program);
    return {(program + QStringLiteral(": ") + parser.errorText() + '\n' + tryHelp + '\n')
                .toStdString(),
            true, 2};
}

bool JapaneseMessages() {
    const QStringList languages = QLocale::system().uiLanguages();
    return !languages.isEmpty() && languages.first().startsWith(QStringLiteral("ja"));
}
