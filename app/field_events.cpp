#include "field_events.h"

#include "binary_text_edit.h"
#include "code_text.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace vantrel::fields {
namespace {

// Lives as a child of the field, so it goes when the field goes.
class FieldEventFilter : public QObject
{
public:
    FieldEventFilter(QWidget *field, FieldHandlers handlers)
        : QObject(field), m_handlers(std::move(handlers))
    {
        field->installEventFilter(this);
        if (m_handlers.keyPress) {
            // Composed characters then arrive as key events, one at a time.
            field->setAttribute(Qt::WA_InputMethodEnabled, false);
        }
    }

    void textChanged() const
    {
        if (m_handlers.change) {
            m_handlers.change();
        }
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::FocusIn && m_handlers.gotFocus) {
            m_handlers.gotFocus();
        } else if (event->type() == QEvent::KeyPress && m_handlers.keyPress) {
            return keyPressed(*static_cast<QKeyEvent *>(event));
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool keyPressed(QKeyEvent &event) const
    {
        const std::optional<int> code = typedCharacterCode(event);
        if (!code) {
            return false;
        }
        int keyAscii = *code;
        m_handlers.keyPress(keyAscii);
        if (keyAscii == 0) {
            event.accept();
            return true;
        }
        return false;
    }

    FieldHandlers m_handlers;
};

} // namespace

void connect(QLineEdit *field, FieldHandlers handlers)
{
    auto *filter = new FieldEventFilter(field, std::move(handlers));
    QObject::connect(field, &QLineEdit::textChanged, filter, &FieldEventFilter::textChanged);
}

void connect(QPlainTextEdit *field, FieldHandlers handlers)
{
    auto *filter = new FieldEventFilter(field, std::move(handlers));
    QObject::connect(field, &QPlainTextEdit::textChanged, filter, &FieldEventFilter::textChanged);
}

void connect(BinaryTextEdit *field, FieldHandlers handlers)
{
    auto *filter = new FieldEventFilter(field, std::move(handlers));
    QObject::connect(field, &BinaryTextEdit::textChanged, filter, &FieldEventFilter::textChanged);
}

std::optional<int> typedCharacterCode(const QKeyEvent &event)
{
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Escape:
        return 27;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return std::nullopt;
    default:
        break;
    }
    if (event.modifiers() & (Qt::ControlModifier | Qt::MetaModifier)) {
        return std::nullopt;
    }
    const QString text = event.text();
    if (text.isEmpty()) {
        return std::nullopt;
    }
    const std::string codes = toCodeText(text);
    if (codes.size() != 1) {
        return std::nullopt; // several characters at once: the field inserts them
    }
    // Delete types U+007F on some platforms; it edits, it does not type.
    if (codes.front() == '\x7F' && event.key() == Qt::Key_Delete) {
        return std::nullopt;
    }
    return static_cast<unsigned char>(codes.front());
}

} // namespace vantrel::fields
