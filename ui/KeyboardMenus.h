#pragma once

class QWidget;

// Shift+F10 opens a control's context menu wherever the Menu key does, as on Windows.
void openContextMenusOnShiftF10(QWidget &window);
