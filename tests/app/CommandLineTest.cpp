// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include <gtest/gtest.h>

#include "app/CommandLine.h"

namespace {

using Request = CommandLine::Request;
using Paths = std::vector<std::string>;

TEST(CommandLine, RequestsAndFileArgumentsAsBytes) {
    struct Case {
        Paths args;  // without the program name
        Request request;
        Paths files;
    } cases[] = {
        {{}, Request::Run, {}},
        {{"/a b/x.txt", "rel", "", "-"}, Request::Run, {"/a b/x.txt", "rel", "", "-"}},
        {{"/w/\xff\xfe\x81.txt", "/w/\xe3\x81\x82"}, Request::Run,
         {"/w/\xff\xfe\x81.txt", "/w/\xe3\x81\x82"}},  // not UTF-8, and UTF-8
        {{"--", "-dash", "--help"}, Request::Run, {"-dash", "--help"}},
        {{"-platform", "offscreen", "/f"}, Request::Run, {"/f"}},  // Qt's option and its value
        {{"--style=Fusion", "-reverse", "/f"}, Request::Run, {"/f"}},
        {{"--version"}, Request::Version, {}},
        {{"-v", "/f"}, Request::Version, {}},
        {{"/f", "--help"}, Request::Help, {}},
        {{"-h"}, Request::Help, {}},
        {{"-?"}, Request::Help, {}},
        {{"--bogus", "/f"}, Request::Error, {}},
        {{"-hv"}, Request::Error, {}},  // one word option, as Qt reads -platform
        {{"/f", "-platform"}, Request::Error, {}},  // its value is missing
    };
    for (const Case& c : cases) {
        std::vector<const char*> argv{"dorvanquellis"};
        for (const std::string& a : c.args) argv.push_back(a.c_str());
        const CommandLine line = ParseCommandLine(int(argv.size()), argv.data());
        const std::string first = c.args.empty() ? "" : c.args[0];
        EXPECT_EQ(line.request, c.request) << "first argument " << first;
        EXPECT_EQ(line.files, c.files) << "first argument " << first;
    }
}

TEST(CommandLine, AnswersInTheUsersLanguage) {
    struct Case {
        Request request;
        QStringList args;
        bool japanese;
        std::vector<std::string> contains;
        bool toStandardError;
        int status;
    } cases[] = {
        {Request::Version, {"/usr/bin/dorvanquellis", "-v"}, false, {"Dorvanquellis " DORVAN_VERSION "\n"},
         false, 0},
        {Request::Help, {"dorvanquellis", "--help"}, false,
         {"-h, --help", "-v, --version", "data list"}, false, 0},
        {Request::Help, {"dorvanquellis", "--help"}, true,
         {"-v, --version", "バージョンを表示して終了します。", "データリスト"}, false, 0},
        {Request::Error, {"/usr/bin/dorvanquellis", "--bogus"}, false,
         {"dorvanquellis: ", "'bogus'", "Try 'dorvanquellis --help'"}, true, 2},
        {Request::Error, {"dorvanquellis", "-platform"}, false, {"platform"}, true, 2},
        {Request::Error, {"dorvanquellis", "--ファイル"}, true,
         {"ファイル", "使い方は「dorvanquellis --help」"}, true, 2},
    };
    for (const Case& c : cases) {
        const CommandLineAnswer answer = AnswerCommandLine(c.request, c.args, c.japanese);
        for (const std::string& part : c.contains)
            EXPECT_NE(answer.text.find(part), std::string::npos)
                << part << " not in:\n" << answer.text;
        EXPECT_EQ(answer.toStandardError, c.toStandardError) << answer.text;
        EXPECT_EQ(answer.status, c.status) << answer.text;
        EXPECT_EQ(answer.text.find("--platform"), std::string::npos) << "Qt's options shown";
    }
}

}  // namespace
