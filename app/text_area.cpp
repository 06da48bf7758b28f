#include "text_area.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextDocument>
#include <limits>

namespace vantrel {
namespace {

// Plain text as the document holds it: one '\n' per line break.
QString withDocumentLineBreaks(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

bool isLineBreak(QChar c)
{
    return c == QLatin1Char('\n') || c == QChar::ParagraphSeparator;
}

qsizetype characterWidth(const QString &text, qsizetype i)
{
    return isLineBreak(text.at(i)) ? 2 : 1;
}

} // namespace

qsizetype fieldLength(const QString &plainText)
{
    qsizetype length = 0;
    for (qsizetype i = 0; i < plainText.size(); ++i) {
        if (plainText.at(i).isHighSurrogate() && i + 1 < plainText.size() &&
            plainText.at(i + 1).isLowSurrogate()) {
            ++i;
        }
        length += characterWidth(plainText, i);
    }
    return length;
}

QString cutToRoom(const QString &plainText, qsizetype room)
{
    qsizetype used = 0;
    qsizetype i = 0;
    while (i < plainText.size()) {
        const bool pair = plainText.at(i).isHighSurrogate() && i + 1 < plainText.size() &&
                          plainText.at(i + 1).isLowSurrogate();
        const qsizetype width = characterWidth(plainText, i);
        if (used + width > room) {
            break;
        }
        used += width;
        i += pair ? 2 : 1;
    }
    return plainText.left(i);
}

TextArea::TextArea(QWidget *parent) : QPlainTextEdit(parent)
{}

void TextArea::setMaxLength(int maxLength)
{
    m_maxLength = std::max(0, maxLength);
}

QString TextArea::text() const
{
    // The raw text keeps no-break spaces, which toPlainText() turns into spaces.
    QString text = document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    return text;
}

void TextArea::setText(const QString &text)
{
    QString plain = withDocumentLineBreaks(text);
    if (m_maxLength > 0) {
        plain = cutToRoom(plain, m_maxLength);
    }
    setPlainText(plain);
}

void TextArea::appendText(const QString &text)
{
    QString plain = withDocumentLineBreaks(text);
    if (m_maxLength > 0) {
        plain = cutToRoom(plain, m_maxLength - fieldLength(toPlainText()));
    }
    QTextCursor end(document());
    end.movePosition(QTextCursor::End);
    end.insertText(plain);
}

qsizetype TextArea::room() const
{
    if (m_maxLength == 0) {
        return std::numeric_limits<qsizetype>::max();
    }
    const qsizetype used = fieldLength(toPlainText()) - fieldLength(textCursor().selectedText());
    return std::max<qsizetype>(0, m_maxLength - used);
}

void TextArea::keyPressEvent(QKeyEvent *event)
{
    if (m_maxLength > 0 && !isReadOnly() && !(event->modifiers() & Qt::ControlModifier)) {
        const bool lineBreak = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        const QString typed = lineBreak ? QStringLiteral("\n") : event->text();
        // Every typed text is inserted but control characters other than the
        // tab (Backspace, Delete and Escape type those, and must still work).
        const QChar first = typed.isEmpty() ? QChar() : typed.at(0);
        const bool insertsText =
            lineBreak || (!typed.isEmpty() &&
                          (first.category() != QChar::Other_Control || first == QLatin1Char('\t')));
        if (insertsText && fieldLength(typed) > room()) {
            event->accept(); // full: the key is refused
            return;
        }
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TextArea::inputMethodEvent(QInputMethodEvent *event)
{
    if (m_maxLength > 0 && !event->commitString().isEmpty()) {
        QInputMethodEvent cut(event->preeditString(), event->attributes());
        cut.setCommitString(cutToRoom(withDocumentLineBreaks(event->commitString()), room()),
                            event->replacementStart(), event->replacementLength());
        QPlainTextEdit::inputMethodEvent(&cut);
        return;
    }
    QPlainTextEdit::inputMethodEvent(event);
}

void TextArea::insertFromMimeData(const QMimeData *source)
{
    if (!source || !source->hasText()) {
        return;
    }
    QString text = withDocumentLineBreaks(source->text());
    if (m_maxLength > 0) {
        text = cutToRoom(text, room());
    }
    textCursor().insertText(text);
    ensureCursorVisible();
}

} // namespace vantrel
