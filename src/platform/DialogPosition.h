#pragma once

class QWidget;

// Centres window horizontally on the screen, a quarter of the free height
// from the top.
void SetDialogPosition(QWidget* window);
