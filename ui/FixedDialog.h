#pragma once

class QDialog;

// Finishes a dialog whose design has just been set up: a fixed-size window with a close box
// and no other buttons, in the fonts its design names; Return on a focused button presses it.
void finishFixedDialog(QDialog &dialog);
