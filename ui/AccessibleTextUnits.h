#pragma once

#include <QAccessible>
#include <QString>

// The pieces of a control's text that a screen reader asks for: the character, word, sentence or
// line at, before or after an offset. The pieces of one kind follow each other without gap or
// overlap, so a reader that walks them reads the whole text back unchanged.
struct TextUnit {
    QString text;
    int start = -1;
    int end = -1;
};

enum class UnitSide { Before, At, After };

// offset counts UTF-16 code units from 0 to text.size(); an offset outside the text has no unit
// (start and end -1). At the end of the text the unit at is the last one (the empty line after a
// final line break, nothing for a character); before the first and after the last there is none.
TextUnit textUnit(const QString &text, int offset, QAccessible::TextBoundaryType type,
                  UnitSide side);
