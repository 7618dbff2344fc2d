#pragma once

#include <functional>

// Runs a command handler; a failure it did not catch itself ends in the
// standard error report instead of unwinding through the event loop.
void RunGuarded(const std::function<void()>& handler);
