#pragma once

class QWidget;

// Gives every control of a window the font its design names, with the nearest available
// families behind it: the designs name Windows fonts ("MS Sans Serif", "Calibri", "Fixedsys",
// "宋体") that other systems lack. Fixedsys stays fixed-pitch and able to show Chinese.
// The designs' fractional sizes (8.25 pt, 10.5 pt) are stored rounded down in the .ui files.
void applyDesignFonts(QWidget &window);
