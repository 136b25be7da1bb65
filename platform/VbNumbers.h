#pragma once

#include <QString>
#include <optional>

// Number conventions of the program's texts and settings.

// Rounds to the nearest integer, halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
double roundHalfEven(double value);

// The number at the start of a text: blanks (spaces, tabs) are skipped, then an optional sign,
// digits, an optional decimal point and fraction; reading stops at the first character that
// cannot continue the number. A text with no number in it reads as 0.
double leadingNumber(const QString &text);

// The rounded number when it fits a 16-bit signed integer, nothing otherwise.
std::optional<qint16> toInt16Rounded(double value);

// A number with a sign position: " 0", " 1", "-5".
QString signedNumberText(qint32 value);
