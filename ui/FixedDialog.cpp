#include "ui/FixedDialog.h"

#include "ui/AccessibleControls.h"
#include "ui/Colors.h"
#include "ui/Fonts.h"
#include "ui/KeyboardMenus.h"
#include "ui/ReturnPresses.h"

#include <QDialog>

void finishFixedDialog(QDialog &dialog) {
    dialog.setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint);
    dialog.setFixedSize(dialog.size());
    applyDesignFonts(dialog);
    drawFramesPlain(dialog);
    pressFocusedButtonsOnReturn(dialog);
    openContextMenusOnShiftF10(dialog);
    installAccessibleRoles();
}
