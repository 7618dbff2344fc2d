// SPDX-FileCopyrightText: 2026 The Dorvanquellis developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>

// What the file-operation engine tells and asks the user, through whatever
// shows it (texts are UTF-8; paths in them are the path's bytes).
class EngineUi {
public:
    enum class Question { YesNo, YesNoCancel };
    enum class Answer { Yes, No, Cancel };

    virtual ~EngineUi() = default;
    // A notice with the program's caption and an OK button.
    virtual void notice(const std::string& text) = 0;
    // A question with the program's caption (YesNoCancel questions carry
    // the information icon).
    virtual Answer ask(const std::string& text, Question question) = 0;
    // The standard report of a failure no command caught.
    virtual void errorReport(const std::string& text) = 0;
};
