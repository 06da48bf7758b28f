#include "binary_text_accessible.h"

#include "binary_text_edit.h"
#include "field_codes.h"

#include <QAccessibleWidget>
#include <QScrollBar>

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
        QAccessible::State state = QAccessibleWidget::state();
        state.editable = !field()->isReadOnly();
        state.readOnly = field()->isReadOnly();
        state.multiLine = true;
        state.selectableText = true;
        return state;
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
        return fieldcodes::plainText(std::string_view(field()->codeText())
                                         .substr(std::size_t(start), std::size_t(end - start)));
    }

    using QAccessibleWidget::text;

    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundary, int *startOffset,
                             int *endOffset) const override
    {
        if (boundary == QAccessible::CharBoundary) {
            return characterAt(offset - 1, startOffset, endOffset);
        }
        if (boundary == QAccessible::LineBoundary) {
            return lineAt(field()->lineLayout().lineOf(codeOffset(offset)) - 1, startOffset,
                          endOffset);
        }
        return QAccessibleTextInterface::textBeforeOffset(offset, boundary, startOffset, endOffset);
    }

    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundary, int *startOffset,
                            int *endOffset) const override
    {
        if (boundary == QAccessible::CharBoundary) {
            return characterAt(offset + 1, startOffset, endOffset);
        }
        if (boundary == QAccessible::LineBoundary) {
            return lineAt(field()->lineLayout().lineOf(codeOffset(offset)) + 1, startOffset,
                          endOffset);
        }
        return QAccessibleTextInterface::textAfterOffset(offset, boundary, startOffset, endOffset);
    }

    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundary, int *startOffset,
                         int *endOffset) const override
    {
        if (boundary == QAccessible::CharBoundary) {
            return characterAt(offset, startOffset, endOffset);
        }
        if (boundary == QAccessible::LineBoundary) {
            return lineAt(field()->lineLayout().lineOf(codeOffset(offset)), startOffset, endOffset);
        }
        return QAccessibleTextInterface::textAtOffset(offset, boundary, startOffset, endOffset);
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
        const qsizetype line = field()->lineLayout().lineOf(codeOffset(startIndex));
        field()->verticalScrollBar()->setValue(int(line));
    }

    QString attributes(int offset, int *startOffset, int *endOffset) const override
    {
        *startOffset = *endOffset = offset;
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
        return field()->lineLayout().offsetOfPlain(clamped);
    }

    int plainOffset(qsizetype code) const
    {
        return int(code - field()->lineLayout().lineBreaksBefore(code));
    }

    QString characterAt(int offset, int *startOffset, int *endOffset) const
    {
        if (offset < 0 || offset >= characterCount()) {
            *startOffset = *endOffset = -1;
            return {};
        }
        *startOffset = offset;
        *endOffset = offset + 1;
        return text(offset, offset + 1);
    }

    // A visual line, with its line break when it ends a paragraph.
    QString lineAt(qsizetype lineIndex, int *startOffset, int *endOffset) const
    {
        const CodeLineLayout &layout = field()->lineLayout();
        if (lineIndex < 0 || lineIndex >= layout.lineCount()) {
            *startOffset = *endOffset = -1;
            return {};
        }
        const CodeLineLayout::Line line = layout.line(lineIndex);
        const auto size = qsizetype(field()->codeText().size());
        const qsizetype end = line.endsParagraph ? std::min(line.end + 2, size) : line.end;
        *startOffset = plainOffset(line.start);
        *endOffset = plainOffset(end);
        return text(*startOffset, *endOffset);
    }
};

QAccessibleInterface *binaryTextEditFactory(const QString &, QObject *object)
{
    if (auto *field = qobject_cast<BinaryTextEdit *>(object)) {
        return new BinaryTextEditAccessible(field);
    }
    return nullptr;
}

} // namespace

void installBinaryTextEditFactory()
{
    static const bool installed = [] {
        QAccessible::installFactory(binaryTextEditFactory);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace vantrel::accessibility
