#pragma once

class QPlainTextEdit;
class QWidget;

// Shift+F10 opens a control's context menu wherever the Menu key does, as on Windows.
void openContextMenusOnShiftF10(QWidget &window);

// The editor's font grows with Ctrl+wheel up and Ctrl++ (Ctrl+=), shrinks with Ctrl+wheel down
// and Ctrl+-, and returns to the design's with Ctrl+0: the editor's text only, for this run;
// the window's layout stays as it is.
void zoomWithCtrl(QPlainTextEdit &editor);
