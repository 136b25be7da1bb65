#pragma once

// Makes every text that Qt itself supplies (message-box buttons, the file and folder dialogs,
// the context menus of text boxes) Chinese, as the rest of the program is, whatever the
// system's language; the default locale too (sizes, dates and file types in the dialogs). Qt's own
// Chinese translation is taken from a "translations" folder beside the program (where the Windows
// program carries it), else from Qt's translations folder. False when it is found in neither.
bool loadQtChineseTranslation();
