#pragma once

#include <string>

class QDateTime;

// The local date and time usable in a file name: the locale's short date, a
// space and its long time (left out at exactly midnight), every ":" and "/"
// replaced by "_"; "ExceptName" when the text cannot be made.
std::string DateTimeText();
std::string DateTimeText(const QDateTime& at);
