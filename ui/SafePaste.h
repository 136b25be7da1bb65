#pragma once

class QPlainTextEdit;

// Every paste into the editor (Ctrl+V, Shift+Insert, the context menu's 粘贴, the middle button
// on X11) takes the clipboard's text once, as plain text with its line ends made the editor's,
// and does nothing when there is none. Qt's own paste asks the clipboard's data for its formats
// one by one, and on X11 dies when the program that copied the text has ended in between (a
// console window that closed).
void pasteTextOnly(QPlainTextEdit &editor);
