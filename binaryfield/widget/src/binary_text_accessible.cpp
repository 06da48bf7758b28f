// SPDX-License-Identifier: GPL-3.0-or-later
#include "binary_text_edit.h"
#include "binary_text_model.h"
#include "field_accessible.h"
#include "field_codes.h"

#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QScrollBar>
#include <optional>

// Screen readers reach a BinaryTextEdit's text through an accessible
// editable text, as they reach a QPlainTextEdit's. Offsets there count a
// line break as one character, as the plain text does.
namespace vantrel::accessibility {
namespace {

class BinaryTextEditAccessible : public QAccessibleWidget,
                                 public QAccessibleTextInterface,
                                 public QAccessibleEditableTextInterface
{
public:
    explicit BinaryTextEditAccessible(BinaryTextEdit *field)
        : QAccessibleWidget(field, QAccessible::EditableText)
    {}

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface *>(this);
        }
        if (type == QAccessible::EditableTextInterface) {
            return static_cast<QAccessibleEditableTextInterface *>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = fieldState(QAccessibleWidget::state(), widget(), true);
        state.multiLine = true;
        return state;
    }

    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Description ? fieldDescription(widget())
                                                : QAccessibleWidget::text(kind);
    }

    // --- text ---------------------------------------------------------------

    void selection(int selectionIndex, int *startOffset, int *endOffset) const override
    {
        *startOffset = *endOffset = 0;
        if (selectionIndex == 0 && field()->hasSelection()) {
            *startOffset = plainOffset(field()->selectionStart());
            *endOffset = plainOffset(field()->selectionEnd());
        }
    }

    int selectionCount() const override { return field()->hasSelection() ? 1 : 0; }

    void addSelection(int startOffset, int endOffset) override
    {
        setSelection(0, startOffset, endOffset);
    }

    void removeSelection(int selectionIndex) override
    {
        if (selectionIndex == 0) {
            field()->setCursorPosition(field()->cursorPosition());
        }
    }

    void setSelection(int selectionIndex, int startOffset, int endOffset) override
    {
        if (selectionIndex == 0) {
            field()->setSelection(codeOffset(startOffset), codeOffset(endOffset));
        }
    }

    int cursorPosition() const override { return plainOffset(field()->cursorPosition()); }

    void setCursorPosition(int position) override
    {
        field()->setCursorPosition(codeOffset(position));
    }

    QString text(int startOffset, int endOffset) const override
    {
        const qsizetype start = codeOffset(startOffset);
        const qsizetype end = codeOffset(std::max(startOffset, endOffset));
        return fieldcodes::plainText(field()->codeText(start, end));
    }

    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary, int *startOffset,
                             int *endOffset) const override
    {
        const std::optional<CodeRange> at = codeRangeAt(codeOffset(offset), boundary);
        if (!at) {
            return windowed(&spanBefore, offset, boundary, startOffset, endOffset);
        }
        if (at->start == 0) {
            return emptyAt(0, startOffset, endOffset);
        }
        const qsizetype previous = field()->model().buffer().insideLineBreak(at->start - 1)
                                       ? at->start - 2
                                       : at->start - 1;
        return textOf(*codeRangeAt(previous, boundary), startOffset, endOffset);
    }

    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundary, int *startOffset,
                            int *endOffset) const override
    {
        const std::optional<CodeRange> at = codeRangeAt(codeOffset(offset), boundary);
        if (!at) {
            return windowed(&spanAfter, offset, boundary, startOffset, endOffset);
        }
        const CodeBuffer &codes = field()->model().buffer();
        if (at->end >= codes.size()) {
            return emptyAt(characterCount(), startOffset, endOffset);
        }
        // Lines and paragraphs leave their line break out: step over it. No
        // word at the offset: the next one is after its character.
        const bool breakFollows = codes.insideLineBreak(at->end + 1);
        const bool skipsBreak =
            boundary == QAccessible::LineBoundary || boundary == QAccessible::ParagraphBoundary;
        qsizetype next = breakFollows && skipsBreak ? at->end + 2 : at->end;
        if (at->start == at->end) {
            next = codeRangeAt(at->end, QAccessible::CharBoundary)->end;
        }
        // A word ends a paragraph where its line break begins, and Qt's
        // editors give that place the same word: the break, a character,
        // comes after it.
        CodeRange following = *codeRangeAt(next, boundary);
        if (following.end <= at->end) {
            following = *codeRangeAt(next, QAccessible::CharBoundary);
        }
        return textOf(following, startOffset, endOffset);
    }

    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int *startOffset,
                         int *endOffset) const override
    {
        const std::optional<CodeRange> at = codeRangeAt(codeOffset(offset), boundary);
        if (!at) {
            return windowed(&spanAt, offset, boundary, startOffset, endOffset);
        }
        return textOf(*at, startOffset, endOffset);
    }

    int characterCount() const override { return int(field()->plainLength()); }

    QRect characterRect(int offset) const override
    {
        const QRect inViewport = field()->characterRect(codeOffset(offset));
        return QRect(field()->viewport()->mapToGlobal(inViewport.topLeft()), inViewport.size());
    }

    int offsetAtPoint(const QPoint &point) const override
    {
        const QPoint inViewport = field()->viewport()->mapFromGlobal(point);
        if (!field()->viewport()->rect().contains(inViewport)) {
            return -1;
        }
        return plainOffset(field()->offsetAt(inViewport));
    }

    void scrollToSubstring(int startIndex, int) override
    {
        const qsizetype line = field()->model().layout().lineOf(codeOffset(startIndex));
        field()->verticalScrollBar()->setValue(int(line));
    }

    // One run without attributes: the whole text. (An empty run at each
    // offset makes a screen reader drop the last character of a line.)
    QString attributes(int, int *startOffset, int *endOffset) const override
    {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }

    // --- editable text ------------------------------------------------------

    void deleteText(int startOffset, int endOffset) override
    {
        field()->replaceAsUser(codeOffset(startOffset), codeOffset(endOffset), QString());
    }

    void insertText(int offset, const QString &text) override
    {
        const qsizetype at = codeOffset(offset);
        field()->replaceAsUser(at, at, text);
    }

    void replaceText(int startOffset, int endOffset, const QString &text) override
    {
        field()->replaceAsUser(codeOffset(startOffset), codeOffset(endOffset), text);
    }

private:
    BinaryTextEdit *field() const { return static_cast<BinaryTextEdit *>(widget()); }

    qsizetype codeOffset(int plain) const
    {
        const qsizetype clamped = std::clamp(plain, 0, characterCount());
        return field()->model().layout().offsetOfPlain(clamped);
    }

    int plainOffset(qsizetype code) const
    {
        return int(code - field()->model().layout().lineBreaksBefore(code));
    }

    struct CodeRange
    {
        qsizetype start = 0;
        qsizetype end = 0;
    };

    // The character, word, visual line or paragraph at a code offset, in
    // codes; lines and paragraphs leave out their line break, as Qt's editors
    // do. A word is the one a double click selects. Words and paragraphs end
    // kReach codes either side of the offset at most, and a line is no wider
    // than the view: no query reads a hundred million digits. Sentences and
    // the whole text are left to Qt's default, in a window as wide.
    std::optional<CodeRange> codeRangeAt(qsizetype offset,
                                         QAccessible::TextBoundaryType boundary) const
    {
        const CodeBuffer &codes = field()->model().buffer();
        const qsizetype size = codes.size();
        const auto character = [&](qsizetype i) {
            if (i >= size) {
                return CodeRange{size, size};
            }
            return CodeRange{i, codes.insideLineBreak(i + 1) ? i + 2 : i + 1};
        };
        switch (boundary) {
        case QAccessible::CharBoundary:
            return character(offset);
        case QAccessible::WordBoundary: {
            const auto [start, end] = field()->wordAt(offset, kReach);
            return CodeRange{start, end}; // empty where Qt's editors find no word
        }
        case QAccessible::LineBoundary: {
            const CodeLineLayout &layout = field()->model().layout();
            const CodeLineLayout::Line line = layout.line(layout.lineOf(offset));
            return CodeRange{line.start, line.end};
        }
        case QAccessible::ParagraphBoundary: {
            // After the last line break whose CR stands before `offset`: the
            // layout knows where each paragraph starts, without a scan back.
            const CodeLineLayout &layout = field()->model().layout();
            const qsizetype paragraph = offset > 0 ? layout.lineBreaksBefore(offset + 1) : 0;
            const qsizetype start = layout.line(layout.firstLineOf(paragraph)).start;
            const qsizetype limit = std::min(size, offset + kReach);
            const qsizetype lineBreak = codes.findLineBreak(offset, limit);
            qsizetype end = lineBreak < 0 ? limit : lineBreak;
            if (end < size && codes.insideLineBreak(end)) {
                --end; // cut before a line break's CR, not inside it
            }
            return CodeRange{std::max(start, offset - kReach), end};
        }
        default:
            return std::nullopt;
        }
    }

    QString textOf(CodeRange range, int *startOffset, int *endOffset) const
    {
        *startOffset = plainOffset(range.start);
        *endOffset = plainOffset(range.end);
        return *startOffset == *endOffset ? QString() : text(*startOffset, *endOffset);
    }

    // How far either side of the offset a query reads at most.
    static constexpr int kReach = 4096;
    using SpanFinder = TextSpan (*)(const QString &, int, QAccessible::TextBoundaryType,
                                    const LineAt &);
    QString windowed(SpanFinder find, int offset, QAccessible::TextBoundaryType boundary,
                     int *startOffset, int *endOffset) const
    {
        const int length = characterCount();
        const int at = std::clamp(offset, 0, length);
        const int from = std::max(0, at - kReach);
        const QString window = text(from, std::min(length, at + kReach));
        const LineAt wholeWindow = [&window](int) { return TextSpan{0, int(window.size())}; };
        const TextSpan span = find(window, at - from, boundary, wholeWindow);
        *startOffset = from + span.start;
        *endOffset = from + span.end;
        return window.mid(span.start, span.end - span.start);
    }

    // Nothing before the start or after the end: an empty span there.
    static QString emptyAt(int offset, int *startOffset, int *endOffset)
    {
        *startOffset = *endOffset = offset;
        return {};
    }
};

QAccessibleInterface *binaryTextEditFactory(const QString &, QObject *object)
{
    if (auto *field = qobject_cast<BinaryTextEdit *>(object)) {
        return new BinaryTextEditAccessible(field);
    }
    return nullptr;
}

// Screen readers learn of the binary fields once, as the application starts.
void installFactory()
{
    QAccessible::installFactory(binaryTextEditFactory);
}
Q_COREAPP_STARTUP_FUNCTION(installFactory)

} // namespace

} // namespace vantrel::accessibility
