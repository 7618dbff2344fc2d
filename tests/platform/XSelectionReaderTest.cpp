// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The clipboard of another X client, read through a connection of our own:
// on a private Xvfb with xclip holding the text (skipped where either is
// missing).
#include <csignal>
#include <cstdlib>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "platform/linux/XSelectionReader.h"
#include "support/core/TestFiles.h"

namespace {

bool onPath(const char* tool) {
    return std::system((std::string("command -v ") + tool + " >/dev/null 2>&1").c_str()) == 0;
}

// Starts argv with stdin from input (or /dev/null); its pid.
pid_t spawn(std::vector<std::string> argv, const std::string& input = "/dev/null", int fdOut = -1,
            const std::string& errors = "/dev/null") {
    std::vector<char*> args;
    for (std::string& a : argv) args.push_back(a.data());
    args.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid != 0) return pid;
    ::dup2(::open(input.c_str(), O_RDONLY), 0);
    ::dup2(::open("/dev/null", O_WRONLY), 1);
    ::dup2(::open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644), 2);
    if (fdOut >= 0) ::dup2(fdOut, 3);
    ::execvp(args[0], args.data());
    ::_exit(127);
}

void end(pid_t pid) {
    ::kill(pid, SIGTERM);
    ::waitpid(pid, nullptr, 0);
}

TEST(XSelectionReader, ReadsAnotherClientsTextWholeInPiecesOrNotAtAll) {
    if (!onPath("Xvfb") || !onPath("xclip")) GTEST_SKIP() << "needs Xvfb and xclip";
    TempDir dir;
    int pipeFds[2];
    ASSERT_EQ(::pipe(pipeFds), 0);
    const pid_t server = spawn({"Xvfb", "-displayfd", "3", "-nolisten", "tcp"}, "/dev/null", pipeFds[1]);
    ::close(pipeFds[1]);
    // The display number, ended by a line break; it may come in more than one read.
    std::string number;
    char c = 0;
    while (::read(pipeFds[0], &c, 1) == 1 && c != '\n') number += c;
    ::close(pipeFds[0]);
    ASSERT_FALSE(number.empty());
    const std::string display = ":" + number;

    // Nobody holds the clipboard yet: nothing, at once.
    EXPECT_EQ(readXClipboardText(display, {}, 2000), std::nullopt);

    // Several megabytes come in pieces (INCR), every byte as it was.
    std::string text;
    for (int i = 0; text.size() < (3u << 20); ++i) text += "/home/u/写真/" + std::to_string(i) + ".jpg\n";
    const std::string file = dir.write("paste.txt", text);
    const std::string said = dir / "xclip.err";
    const pid_t owner = spawn(
        {"xclip", "-display", display, "-quiet", "-selection", "clipboard", "-i"}, file, -1, said);
    // xclip takes the clipboard once it has read its input; a busy machine
    // may take a while.
    std::optional<std::string> read;
    for (int tries = 0; tries < 150 && !read; ++tries) {
        ::usleep(100000);
        read = readXClipboardText(display, {}, 5000);
    }
    ASSERT_TRUE(read.has_value()) << "xclip running: " << (::waitpid(owner, nullptr, WNOHANG) == 0)
                                  << ", said: " << readFile(said);
    EXPECT_EQ(read->size(), text.size());
    EXPECT_TRUE(*read == text);
    EXPECT_EQ(readXClipboardText(display, [] { return true; }, 2000), std::nullopt) << "cancelled";
    end(owner);
    end(server);
}

}  // namespace
