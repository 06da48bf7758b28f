// SPDX-License-Identifier: GPL-3.0-or-later
#include "short_text_accessible.h"

#include "field_accessible.h"
#include "held_input.h"
#include "line_field.h"
#include "text_area.h"

#include <QAbstractTextDocumentLayout>
#include <QCoreApplication>
#include <QPointer>
#include <QTextBlock>
#include <QTextLayout>

namespace vantrel::accessibility {
namespace {

// The text interfaces over a field's plain text; each kind of field says how
// its text, caret, selection, lines and geometry are read and edited.
class ShortTextAccessible : public QAccessibleWidget,
                            public QAccessibleTextInterface,
                            public QAccessibleEditableTextInterface
{
public:
    using QAccessibleWidget::QAccessibleWidget;

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface *>(this);
        }
        if (type == QAccessible::EditableTextInterface && editable()) {
            return static_cast<QAccessibleEditableTextInterface *>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Description) {
            return fieldDescription(widget());
        }
        if (kind == QAccessible::Value) {
            return plain();
        }
        return QAccessibleWidget::text(kind);
    }

    QAccessible::State state() const override
    {
        QAccessible::State state = fieldState(QAccessibleWidget::state(), widget(), editable());
        state.multiLine = multiLine();
        return state;
    }

    // --- text ---------------------------------------------------------------

    QString text(int startOffset, int endOffset) const override
    {
        const QString all = plain();
        const int start = std::clamp(startOffset, 0, int(all.size()));
        const int end =
            endOffset < 0 ? int(all.size()) : std::clamp(endOffset, start, int(all.size()));
        return all.mid(start, end - start);
    }

    int characterCount() const override { return int(plain().size()); }

    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int *startOffset,
                         int *endOffset) const override
    {
        const QString all = plain();
        return answer(all, spanAt(all, offset, boundary, lineFinder()), startOffset, endOffset);
    }

    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary, int *startOffset,
                             int *endOffset) const override
    {
        const QString all = plain();
        return answer(all, spanBefore(all, offset, boundary, lineFinder()), startOffset, endOffset);
    }

    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundary, int *startOffset,
                            int *endOffset) const override
    {
        const QString all = plain();
        return answer(all, spanAfter(all, offset, boundary, lineFinder()), startOffset, endOffset);
    }

    void selection(int selectionIndex, int *startOffset, int *endOffset) const override
    {
        const TextSpan selected = selectionIndex == 0 ? selectedSpan() : TextSpan{};
        *startOffset = selected.start;
        *endOffset = selected.end;
    }

    int selectionCount() const override
    {
        const TextSpan selected = selectedSpan();
        return selected.start != selected.end ? 1 : 0;
    }

    void addSelection(int startOffset, int endOffset) override
    {
        setSelection(0, startOffset, endOffset);
    }

    void removeSelection(int selectionIndex) override
    {
        if (selectionIndex == 0) {
            setCursorPosition(cursorPosition());
        }
    }

    void setSelection(int selectionIndex, int startOffset, int endOffset) override
    {
        if (selectionIndex == 0) {
            const int length = characterCount();
            select(std::clamp(startOffset, 0, length), std::clamp(endOffset, 0, length));
        }
    }

    void setCursorPosition(int position) override
    {
        const int at = std::clamp(position, 0, characterCount());
        select(at, at);
    }

    void scrollToSubstring(int, int) override {}

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
        replaceText(startOffset, endOffset, QString());
    }

    void insertText(int offset, const QString &text) override { replaceText(offset, offset, text); }

    // Asked for by assistive technologies: after any input that waits.
    void replaceText(int startOffset, int endOffset, const QString &text) override
    {
        if (HeldInput::isHolding()) {
            HeldInput::runInOrder(
                [field = QPointer<QObject>(object()), startOffset, endOffset, text] {
                    if (QAccessibleInterface *again =
                            field ? QAccessible::queryAccessibleInterface(field) : nullptr) {
                        again->editableTextInterface()->replaceText(startOffset, endOffset, text);
                    }
                });
            return;
        }
        const int length = characterCount();
        const int start = std::clamp(startOffset, 0, length);
        replace(start, std::clamp(endOffset, start, length), text);
    }

protected:
    [[nodiscard]] virtual QString plain() const = 0;
    [[nodiscard]] virtual bool editable() const = 0;
    [[nodiscard]] virtual bool multiLine() const = 0;
    [[nodiscard]] virtual TextSpan selectedSpan() const = 0;
    // Selects from anchor to position; the caret goes to position.
    virtual void select(int anchor, int position) = 0;
    // Replaces a span as the user's edit would, within the field's limit.
    virtual void replace(int start, int end, const QString &text) = 0;
    [[nodiscard]] virtual TextSpan lineAt(int offset) const = 0;

private:
    [[nodiscard]] LineAt lineFinder() const
    {
        return [this](int offset) { return lineAt(offset); };
    }

    static QString answer(const QString &all, TextSpan span, int *startOffset, int *endOffset)
    {
        *startOffset = span.start;
        *endOffset = span.end;
        return all.mid(span.start, span.end - span.start);
    }
};

class LineFieldAccessible : public ShortTextAccessible
{
public:
    explicit LineFieldAccessible(LineField *field)
        : ShortTextAccessible(field, QAccessible::EditableText)
    {}

    int cursorPosition() const override { return field()->cursorPosition(); }

    QRect characterRect(int offset) const override
    {
        // The text sits where its alignment puts it inside the field's margins.
        const QString all = plain();
        const QFontMetrics metrics = field()->fontMetrics();
        const QRect inside = field()->contentsRect().marginsRemoved(field()->textMargins());
        const int width = metrics.horizontalAdvance(all);
        const Qt::Alignment horizontal = field()->alignment() & Qt::AlignHorizontal_Mask;
        const int left = horizontal & Qt::AlignHCenter
                             ? inside.left() + (inside.width() - width) / 2
                         : horizontal & Qt::AlignRight ? inside.right() - width
                                                       : inside.left();
        const int x = left + metrics.horizontalAdvance(all.left(offset));
        const int advance = metrics.horizontalAdvance(all.mid(offset, 1));
        const QRect rect(x, inside.top() + (inside.height() - metrics.height()) / 2, advance,
                         metrics.height());
        return QRect(field()->mapToGlobal(rect.topLeft()), rect.size());
    }

    int offsetAtPoint(const QPoint &point) const override
    {
        const QPoint local = field()->mapFromGlobal(point);
        return field()->rect().contains(local) ? field()->cursorPositionAt(local) : -1;
    }

protected:
    QString plain() const override { return field()->text(); }
    bool editable() const override { return !field()->isReadOnly(); }
    bool multiLine() const override { return false; }

    TextSpan selectedSpan() const override
    {
        if (!field()->hasSelectedText()) {
            return {};
        }
        const int start = field()->selectionStart();
        return {start, start + int(field()->selectedText().size())};
    }

    void select(int anchor, int position) override
    {
        field()->setSelection(anchor, position - anchor);
    }

    void replace(int start, int end, const QString &text) override
    {
        field()->setSelection(start, end - start);
        field()->insert(text);
    }

    TextSpan lineAt(int) const override { return {0, characterCount()}; }

private:
    [[nodiscard]] LineField *field() const { return static_cast<LineField *>(widget()); }
};

class TextAreaAccessible : public ShortTextAccessible
{
public:
    explicit TextAreaAccessible(TextArea *area)
        : ShortTextAccessible(area, QAccessible::EditableText)
    {}

    int cursorPosition() const override { return area()->textCursor().position(); }

    QRect characterRect(int offset) const override
    {
        QTextCursor cursor(area()->document());
        cursor.setPosition(std::clamp(offset, 0, characterCount()));
        QRect rect = area()->cursorRect(cursor);
        rect.setWidth(area()->fontMetrics().horizontalAdvance(plain().mid(offset, 1)));
        return QRect(area()->viewport()->mapToGlobal(rect.topLeft()), rect.size());
    }

    int offsetAtPoint(const QPoint &point) const override
    {
        const QPoint local = area()->viewport()->mapFromGlobal(point);
        return area()->viewport()->rect().contains(local)
                   ? area()->cursorForPosition(local).position()
                   : -1;
    }

    void scrollToSubstring(int startIndex, int) override
    {
        QTextCursor cursor(area()->document());
        cursor.setPosition(std::clamp(startIndex, 0, characterCount()));
        const QTextCursor kept = area()->textCursor();
        area()->setTextCursor(cursor);
        area()->ensureCursorVisible();
        area()->setTextCursor(kept);
    }

protected:
    QString plain() const override { return area()->document()->toPlainText(); }
    bool editable() const override { return !area()->isReadOnly(); }
    bool multiLine() const override { return true; }

    TextSpan selectedSpan() const override
    {
        const QTextCursor cursor = area()->textCursor();
        return {cursor.selectionStart(), cursor.selectionEnd()};
    }

    void select(int anchor, int position) override
    {
        QTextCursor cursor(area()->document());
        cursor.setPosition(anchor);
        cursor.setPosition(position, QTextCursor::KeepAnchor);
        area()->setTextCursor(cursor);
    }

    void replace(int start, int end, const QString &text) override
    {
        select(start, end);
        area()->insertPlainText(text);
    }

    // The visual line: a wrapped paragraph has several.
    TextSpan lineAt(int offset) const override
    {
        QTextDocument *document = area()->document();
        const QTextBlock block = document->findBlock(offset);
        if (!block.isValid()) {
            const QTextBlock last = document->lastBlock();
            return {last.position(), last.position() + last.length() - 1};
        }
        (void)document->documentLayout()->blockBoundingRect(block); // lays the block out
        const QTextLayout *layout = block.layout();
        const int inBlock = offset - block.position();
        const QTextLine line = layout ? layout->lineForTextPosition(inBlock) : QTextLine();
        if (!line.isValid()) {
            return {block.position(), block.position() + block.length() - 1};
        }
        return {block.position() + line.textStart(),
                block.position() + line.textStart() + line.textLength()};
    }

private:
    [[nodiscard]] TextArea *area() const { return static_cast<TextArea *>(widget()); }
};

QAccessibleInterface *shortTextFieldFactory(const QString &, QObject *object)
{
    if (auto *line = qobject_cast<LineField *>(object)) {
        return new LineFieldAccessible(line);
    }
    if (auto *area = qobject_cast<TextArea *>(object)) {
        return new TextAreaAccessible(area);
    }
    return nullptr;
}

} // namespace

void installShortTextFieldFactory()
{
    static bool installed = false;
    if (!installed) {
        QAccessible::installFactory(shortTextFieldFactory);
        installed = true;
    }
}

} // namespace vantrel::accessibility
