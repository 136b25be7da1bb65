#pragma once

#include <QString>

// The applet-size boxes of the options dialog.

// Acceptable: the canonical text of a number ("-" for a negative number, integer digits without
// leading zeros, a fraction without trailing zeros), not "0", at most 9999, and a number that
// still fits a 16-bit integer once rounded.
bool isAcceptableSizeText(const QString &text);

// The size a box's text gives when applied: its number rounded half to even, or the default
// for an empty box (or a text that is not a size).
qint16 appliedSize(const QString &text, qint16 defaultSize);
