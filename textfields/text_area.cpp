// SPDX-License-Identifier: GPL-3.0-or-later
#include "text_area.h"

#include "code_clipboard.h"
#include "code_text.h"
#include "field_codes.h"
#include "short_text_accessible.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextDocument>
#include <limits>

namespace vantrel {
namespace {

constexpr QChar kQuestionMark(u'?');
constexpr QChar kTab(u'\t');
// Qt's text document keeps these two noncharacters for its frames, and turns
// them into line breaks when they are inserted.
constexpr QChar kDocumentFrameStart(0xFDD0);
constexpr QChar kDocumentFrameEnd(0xFDD1);

// A control character other than the tab as the document holds it: its
// picture, which the font draws where it would draw a box or nothing, and
// which reading the field turns back into the character.
QChar shownInDocument(QChar c)
{
    return c == kTab ? c : fieldcodes::pictureOf(c);
}

// A program's text as the document holds it: CR LF is a line break (one
// '\n'); a lone CR or LF, like every other control code, is one code of its
// own, shown as its picture so that reading the field gives it back
// unchanged. Pictures written as such stand for their codes too.
QString documentTextFromProgram(const QString &text)
{
    QString document;
    document.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == u'\r' && i + 1 < text.size() && text.at(i + 1) == u'\n') {
            document.append(u'\n');
            ++i;
        } else {
            document.append(shownInDocument(c));
        }
    }
    return document;
}

// The pictures stand for codes only when the program writes them, so typed
// ones are characters outside the set, as are the document's own frame
// marks.
QString withUserOnlyCharactersUnknown(QString text)
{
    for (QChar &c : text) {
        if (fieldcodes::isPicture(c) || c == kDocumentFrameStart || c == kDocumentFrameEnd) {
            c = kQuestionMark;
        }
    }
    return text;
}

// Typed, pasted or dropped text as the document holds it: every form of line
// break is one line break, and other control characters show as pictures.
QString documentTextFromUser(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text = withUserOnlyCharactersUnknown(std::move(text));
    for (QChar &c : text) {
        c = isTypedLineBreak(c.unicode()) ? QChar(u'\n') : shownInDocument(c);
    }
    return text;
}

// The document's text as the field's text: every line break as CR LF and
// each picture as the lone code it stands for.
QString fieldTextFromDocument(QStringView raw)
{
    QString text;
    text.reserve(raw.size() + raw.size() / 8);
    for (const QChar c : raw) {
        if (isTypedLineBreak(c.unicode())) { // the document holds no CR
            text.append(QStringLiteral("\r\n"));
        } else {
            text.append(fieldcodes::characterOfPicture(c));
        }
    }
    return text;
}

// The start of a pasted text that may still fit in `room` characters: a
// character takes one or two UTF-16 units and counts one or two, so twice
// the room, and one more for a CR LF cut in two, is always enough. Keeps a
// paste of millions of characters into a short field from costing their
// conversion.
QString startThatMayFit(const QString &text, qsizetype room)
{
    return room >= text.size() / 2 ? text : text.left(2 * room + 1);
}

qsizetype characterWidth(const QString &text, qsizetype i)
{
    return isTypedLineBreak(text.at(i).unicode()) ? 2 : 1;
}

// The length of a text in characters of the program's character set: a
// surrogate pair counts one, a line break two (it stands for CR LF).
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

// The longest start of a plain text that fits in `room` characters.
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

} // namespace

TextArea::TextArea(QWidget *parent) : QPlainTextEdit(parent)
{
    accessibility::installShortTextFieldFactory();
}

void TextArea::setMaxLength(int maxLength)
{
    m_maxLength = std::max(0, maxLength);
}

QString TextArea::text() const
{
    // The raw text keeps no-break spaces, which toPlainText() turns into spaces.
    return fieldTextFromDocument(document()->toRawText());
}

void TextArea::setText(const QString &text)
{
    QString plain = documentTextFromProgram(text);
    if (m_maxLength > 0) {
        plain = cutToRoom(plain, m_maxLength);
    }
    // Replaced through a cursor: setPlainText() would tell screen readers of
    // one character more removed than the field held. As with setPlainText(),
    // a program's write cannot be undone and leaves the caret at the start.
    QTextDocument *held = document();
    held->setUndoRedoEnabled(false);
    QTextCursor all(held);
    all.select(QTextCursor::Document);
    all.insertText(plain);
    held->setUndoRedoEnabled(true);
    setTextCursor(QTextCursor(held));
}

void TextArea::appendText(const QString &text)
{
    QString plain = documentTextFromProgram(text);
    if (m_maxLength > 0) {
        plain = cutToRoom(plain, m_maxLength - fieldLength(toPlainText()));
    }
    const bool wasEmpty = document()->isEmpty();
    QTextCursor end(document());
    end.movePosition(QTextCursor::End);
    end.insertText(plain);
    if (wasEmpty) {
        // The caret, at the end of an empty field, moved on with the text.
        // Back at the start it stays put as more is added, so a field that
        // fills line by line tells screen readers of no caret move for each.
        setTextCursor(QTextCursor(document()));
    }
}

void TextArea::onTextChanged(QObject *context, std::function<void()> changed)
{
    QObject::connect(this, &QPlainTextEdit::textChanged, context,
                     [changed = std::move(changed)] { changed(); });
}

// The raw text, since toPlainText() turns a no-break space into a space.
quint64 TextArea::textRevision() const
{
    return m_revision.of(document()->toRawText());
}

void TextArea::moveCursorToEnd()
{
    moveCursor(QTextCursor::End);
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
    const bool lineBreak = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (m_maxLength > 0 && !isReadOnly() && !(event->modifiers() & Qt::ControlModifier)) {
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
    const QString typed = withUserOnlyCharactersUnknown(event->text());
    if (typed != event->text()) {
        QKeyEvent unknown(event->type(), event->key(), event->modifiers(), typed,
                          event->isAutoRepeat(), event->count());
        QPlainTextEdit::keyPressEvent(&unknown);
        event->setAccepted(unknown.isAccepted());
        return;
    }
    if (lineBreak && (event->modifiers() & Qt::ShiftModifier)) {
        // Shift+Enter would insert a line separator; every line break here is
        // the same CR LF.
        QKeyEvent plainEnter(event->type(), event->key(), event->modifiers() & ~Qt::ShiftModifier,
                             event->text(), event->isAutoRepeat(), event->count());
        QPlainTextEdit::keyPressEvent(&plainEnter);
        event->setAccepted(plainEnter.isAccepted());
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TextArea::inputMethodEvent(QInputMethodEvent *event)
{
    if (event->commitString().isEmpty()) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    QString commit = documentTextFromUser(event->commitString());
    if (m_maxLength > 0) {
        commit = cutToRoom(commit, room());
    }
    QInputMethodEvent normalised(event->preeditString(), event->attributes());
    normalised.setCommitString(commit, event->replacementStart(), event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&normalised);
}

QMimeData *TextArea::createMimeDataFromSelection() const
{
    return codeclipboard::mimeDataOf(
        toCodeText(fieldTextFromDocument(textCursor().selectedText())));
}

bool TextArea::canInsertFromMimeData(const QMimeData *source) const
{
    return source->hasText() || source->hasFormat(QLatin1String(codeclipboard::kCodesMimeType));
}

void TextArea::insertFromMimeData(const QMimeData *source)
{
    if (!source || !canInsertFromMimeData(source)) {
        return;
    }
    const qsizetype free = room();
    QString text;
    if (const std::optional<std::string> codes = codeclipboard::codesOf(*source)) {
        // Codes copied from a field of this program: exactly those codes, as
        // many as may fit (one more, so that a CR LF is not cut in two).
        const std::size_t mayFit =
            free < qsizetype(codes->size()) ? std::size_t(free) + 1 : codes->size();
        text = documentTextFromProgram(fromCodeText(std::string_view(*codes).substr(0, mayFit)));
    } else {
        text = documentTextFromUser(startThatMayFit(source->text(), free));
    }
    textCursor().insertText(cutToRoom(text, free));
    ensureCursorVisible();
}

} // namespace vantrel
