#pragma once

class QComboBox;
class QLabel;

// What a screen reader hears of the program's windows, beyond what each control tells of
// itself: the main window is a window named by its caption; the rule lines of a dialog are
// hidden, being no controls; a label marked as a link is a link, pressed by the reader as by a
// click (it still takes no keyboard focus); the one-line fields and the editor answer every
// question of their text; a dialog shown modal is modal; a disabled push button is not focusable.
// Each window calls it before it makes its controls, so that no control is answered by Qt's own
// interface first. Safe to call more than once.
void installAccessibleRoles();

// Makes a label read as a link whose press action clicks it.
void markAsLink(QLabel *label);

// Keeps the list's chosen item selected in the list a screen reader reads, also while the list
// is closed (Qt selects it only when the list opens): its value is heard on focus and on every
// change made with the arrow keys.
void keepChosenItemSelected(QComboBox *list);
