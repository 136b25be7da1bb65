#pragma once

class QLineEdit;

// Makes a one-line box keep one line: of what the user pastes or drops, only the first line
// is inserted, at the cursor, without control or invisible format characters. Text that the
// program sets is left as it is. The box holds folders of any length.
void keepSingleLine(QLineEdit &field);
