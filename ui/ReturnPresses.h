#pragma once

class QWidget;

// Return (and Enter) on a focused push button presses it, as on Windows, in every window;
// Space as before. No button is drawn or acts as the window's default button: Return on
// anything else does nothing.
void pressFocusedButtonsOnReturn(QWidget &window);
