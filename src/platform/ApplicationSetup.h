#pragma once

class QApplication;

// Title, help file, Japanese translation of Qt's standard dialogs and the
// Japanese UI font.
void SetUpApplication(QApplication& app);
