#pragma once

#include <QString>

class QAccessibleInterface;
class QObject;

// What a screen reader is told of the one-line fields, the editor and the lists that show their
// chosen item: their text, caret, selection and the pieces of text at any offset, answered by the
// program itself (Qt 6.4's own answer for a word or sentence at the end of a field never
// returns; its lists offered their value as no text). nullptr for other classes.
QAccessibleInterface *accessibleTextControl(const QString &className, QObject *object);
