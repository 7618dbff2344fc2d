// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <vector>

#include <QStringList>

// The command line, read with QCommandLineParser before any window exists, so
// that --help and --version need no display. Qt's own options (-platform,
// -style, ...) are accepted and left to QApplication.
struct CommandLine {
    enum class Request { Run, Help, Version, Error };
    Request request = Request::Run;
    std::vector<std::string> files;  // the file arguments in order, bytes as given
};

// Reads argv (the program's name first); needs no application object. The file
// arguments keep their bytes: a name need not be valid in any encoding.
CommandLine ParseCommandLine(int argc, const char* const* argv);

// What a request other than Run prints, and the exit status: help and version
// to standard output with 0, an unknown option or a missing value to standard
// error with 2. Texts are Japanese when japanese is set. Needs an application
// object; arguments are the decoded command line, the program's name first.
struct CommandLineAnswer {
    std::string text;
    bool toStandardError = false;
    int status = 0;
};
CommandLineAnswer AnswerCommandLine(CommandLine::Request request, const QStringList& arguments,
                                    bool japanese);

// Whether the user's language for messages is Japanese (LANGUAGE, LC_ALL,
// LC_MESSAGES, LANG).
bool JapaneseMessages();
