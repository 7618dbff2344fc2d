#pragma once

class QWidget;

// SIGTERM, SIGHUP and SIGINT close window as the user would, so that its
// closing step (settings written) runs before the program ends.
void CloseOnTerminationSignals(QWidget* window);
