#pragma once

// Tells the user that a command is not available in this version yet.
void ShowCommandNotAvailable(const char* handlerName);
