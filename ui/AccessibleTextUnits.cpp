#include "ui/AccessibleTextUnits.h"

#include <QTextBoundaryFinder>

#include <algorithm>
#include <vector>

namespace {
// Where the pieces of one kind begin, from 0; the text's end closes the last one.
std::vector<int> unitStarts(const QString &text, QAccessible::TextBoundaryType type) {
    std::vector<int> starts{0};
    auto add = [&](int at) {
        if (at > starts.back() && at < text.size())
            starts.push_back(at);
    };
    switch (type) {
    case QAccessible::LineBoundary:
    case QAccessible::ParagraphBoundary:
        for (int at = 0; at < text.size(); ++at)
            if (text.at(at) == QLatin1Char('\n'))
                add(at + 1);
        // After a final line break the caret stands on an empty line of its own.
        if (!text.isEmpty() && text.back() == QLatin1Char('\n'))
            starts.push_back(text.size());
        return starts;
    case QAccessible::NoBoundary:
        return starts;
    default:
        break;
    }
    const bool characters = type == QAccessible::CharBoundary;
    QTextBoundaryFinder finder(characters                          ? QTextBoundaryFinder::Grapheme
                               : type == QAccessible::WordBoundary ? QTextBoundaryFinder::Word
                                                                   : QTextBoundaryFinder::Sentence,
                               text);
    // A word runs from its first letter to the next word's, spaces and signs between included.
    for (int at = finder.toNextBoundary(); at > 0 && at < text.size(); at = finder.toNextBoundary())
        if (characters || (finder.boundaryReasons() & QTextBoundaryFinder::StartOfItem))
            add(at);
    return starts;
}

TextUnit unitFrom(const QString &text, const std::vector<int> &starts, std::ptrdiff_t index) {
    if (index < 0 || index >= static_cast<std::ptrdiff_t>(starts.size()))
        return {};
    const int start = starts[static_cast<size_t>(index)];
    const int end = index + 1 < static_cast<std::ptrdiff_t>(starts.size())
                        ? starts[static_cast<size_t>(index + 1)]
                        : static_cast<int>(text.size());
    return {text.mid(start, end - start), start, end};
}
} // namespace

TextUnit textUnit(const QString &text, int offset, QAccessible::TextBoundaryType type,
                  UnitSide side) {
    if (offset < 0 || offset > text.size())
        return {};
    if (text.isEmpty())
        return side == UnitSide::At ? TextUnit{QString(), 0, 0} : TextUnit{};
    const std::vector<int> starts = unitStarts(text, type);
    // The piece holding the offset: the last one that begins at or before it.
    std::ptrdiff_t at = std::upper_bound(starts.begin(), starts.end(), offset) - starts.begin() - 1;
    if (offset == text.size() && type == QAccessible::CharBoundary) {
        // No character stands at the end; the one before it is the last.
        if (side == UnitSide::At)
            return {QString(), offset, offset};
        at = static_cast<std::ptrdiff_t>(starts.size());
    }
    switch (side) {
    case UnitSide::Before:
        return unitFrom(text, starts, at - 1);
    case UnitSide::After:
        return unitFrom(text, starts, at + 1);
    case UnitSide::At:
        break;
    }
    return unitFrom(text, starts, at);
}
