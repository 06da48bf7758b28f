// SPDX-License-Identifier: GPL-3.0-or-later
#include "field_accessible.h"

#include "house_colours.h"
#include "window_accessible.h"

#include <QTextBoundaryFinder>
#include <QWidget>
#include <algorithm>

namespace vantrel::accessibility {
namespace {

// The start of a line break's pair, or the offset.
TextSpan characterAt(const QString &text, int offset)
{
    const int length = int(text.size());
    if (offset >= length) {
        return {length, length};
    }
    const bool pair =
        text[offset].isHighSurrogate() && offset + 1 < length && text[offset + 1].isLowSurrogate();
    return {offset, offset + (pair ? 2 : 1)};
}

TextSpan paragraphAt(const QString &text, int offset)
{
    const int length = int(text.size());
    const int start = offset == 0 ? 0 : int(text.lastIndexOf(u'\n', offset - 1)) + 1;
    const int newline = int(text.indexOf(u'\n', offset));
    return {start, newline < 0 ? length : newline};
}

TextSpan segmentAt(const QString &text, int offset, QTextBoundaryFinder::BoundaryType type)
{
    const int length = int(text.size());
    if (offset >= length) {
        return {length, length};
    }
    QTextBoundaryFinder finder(type, text);
    finder.setPosition(offset);
    const int start = finder.isAtBoundary() ? offset : int(finder.toPreviousBoundary());
    finder.setPosition(std::max(start, 0));
    const int end = int(finder.toNextBoundary());
    return {std::max(start, 0), end < 0 ? length : end};
}

} // namespace

bool shownInvalid(const QWidget *field)
{
    return field->palette().color(QPalette::Base) == colours::kInvalid;
}

QString fieldDescription(const QWidget *field)
{
    QStringList parts;
    if (shownInvalid(field)) {
        parts << QStringLiteral("No válido.");
    }
    if (const QString told = descriptionBeyondName(field); !told.isEmpty()) {
        parts << told;
    }
    return parts.join(u' ');
}

QAccessible::State fieldState(QAccessible::State state, const QWidget *field, bool editable)
{
    state.invisible = state.invisible || !seenOnScreen(field);
    state.editable = editable;
    state.readOnly = !editable;
    state.selectableText = true;
    return state;
}

void descriptionChanged(QWidget *field)
{
    QAccessibleEvent event(field, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&event);
}

TextSpan spanAt(const QString &text, int offset, QAccessible::TextBoundaryType boundary,
                const LineAt &lineAt)
{
    offset = std::clamp(offset, 0, int(text.size()));
    switch (boundary) {
    case QAccessible::CharBoundary:
        return characterAt(text, offset);
    case QAccessible::WordBoundary:
        return segmentAt(text, offset, QTextBoundaryFinder::Word);
    case QAccessible::SentenceBoundary:
        return segmentAt(text, offset, QTextBoundaryFinder::Sentence);
    case QAccessible::ParagraphBoundary:
        return paragraphAt(text, offset);
    case QAccessible::LineBoundary:
        return lineAt(offset);
    case QAccessible::NoBoundary:
        break;
    }
    return {0, int(text.size())};
}

TextSpan spanBefore(const QString &text, int offset, QAccessible::TextBoundaryType boundary,
                    const LineAt &lineAt)
{
    const TextSpan at = spanAt(text, offset, boundary, lineAt);
    return at.start == 0 ? TextSpan{0, 0} : spanAt(text, at.start - 1, boundary, lineAt);
}

TextSpan spanAfter(const QString &text, int offset, QAccessible::TextBoundaryType boundary,
                   const LineAt &lineAt)
{
    const int length = int(text.size());
    const TextSpan at = spanAt(text, offset, boundary, lineAt);
    // Lines and paragraphs leave their line break out: step over it.
    int next = at.end;
    if (next < length && text[next] == u'\n' &&
        (boundary == QAccessible::LineBoundary || boundary == QAccessible::ParagraphBoundary)) {
        ++next;
    }
    return next >= length ? TextSpan{length, length} : spanAt(text, next, boundary, lineAt);
}
} // namespace vantrel::accessibility
