#pragma once

class QPlainTextEdit;

// The editor's font grows with Ctrl+wheel up and the zoom-in keys (Ctrl++, Ctrl+=), shrinks
// with Ctrl+wheel down and the zoom-out keys (Ctrl+-), a point at a time from 6 points to four
// times the design's size, and returns to the design's with Ctrl+0: the editor's text only,
// for this run; the window's layout stays as it is.
void zoomWithCtrl(QPlainTextEdit &editor);
