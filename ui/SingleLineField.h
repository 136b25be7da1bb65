#pragma once

class QLineEdit;

// Makes a one-line box keep one line: of what the user types or pastes, only the first line
// stays, without control characters. Text that the program sets is left as it is.
void keepSingleLine(QLineEdit &field);
