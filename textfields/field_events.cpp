// SPDX-License-Identifier: GPL-3.0-or-later
#include "field_events.h"

#include "code_clipboard.h"
#include "code_text.h"
#include "field_accessible.h"
#include "field_codes.h"
#include "key_codes.h"
#include "text_area.h"
#include "text_field.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QEvent>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QScopedValueRollback>
#include <algorithm>
#include <memory>
#include <utility>

namespace vantrel::fields {
namespace {

// The window remembers which of its fields lost the focus only because the
// window itself lost it (to another application, a dialog or a popup menu).
constexpr char kFieldLeftWithWindow[] = "vantrelFieldLeftWithWindow";

bool isActivationReason(Qt::FocusReason reason)
{
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

// The characters of a text one at a time, a surrogate pair as one, and every
// form of line break as one carriage return (the Enter key).
QStringList typedCharacters(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\r"));
    QStringList characters;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (isTypedLineBreak(c.unicode())) {
            characters.append(QStringLiteral("\r"));
        } else if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            characters.append(text.mid(i, 2));
            ++i;
        } else {
            characters.append(QString(c));
        }
    }
    return characters;
}

// The first character of a text, as typedCharacters() splits it; empty for
// an empty text. Reads no further than it needs, however long the text.
QString firstTypedCharacter(const QString &text)
{
    const QStringList first = typedCharacters(text.left(2));
    return first.isEmpty() ? QString() : first.front();
}

// The field a drag started in: a scroll area's drags start on its viewport.
const QWidget *draggingField(const QDropEvent &drop)
{
    const auto *source = qobject_cast<const QWidget *>(drop.source());
    const auto *area =
        source ? qobject_cast<const QAbstractScrollArea *>(source->parentWidget()) : nullptr;
    return area && area->viewport() == source ? area : source;
}

// Whether a drag comes from another field of the same frame, as the other
// field of a panel always is.
bool isDragFromSibling(const QDropEvent &drop, const QWidget *field)
{
    const QWidget *source = draggingField(drop);
    return source && source != field && source->parentWidget() == field->parentWidget();
}

// The codes a drag carries, as far as `limit` of them are needed: each
// character gives at most two codes and at least half of one.
qsizetype draggedCodesUpTo(const QMimeData &data, qsizetype limit)
{
    if (const std::optional<std::string> codes = codeclipboard::codesOf(data)) {
        return std::min<qsizetype>(qsizetype(codes->size()), limit + 1);
    }
    return qsizetype(toCodeText(data.text().left(2 * limit + 2)).size());
}

// A copy of a drag event that offers the copy only.
std::unique_ptr<QDropEvent> copyOnly(const QDropEvent &event)
{
    const QMimeData *data = event.mimeData();
    switch (event.type()) {
    case QEvent::DragEnter:
        return std::make_unique<QDragEnterEvent>(event.position().toPoint(), Qt::CopyAction, data,
                                                 event.buttons(), event.modifiers());
    case QEvent::DragMove:
        return std::make_unique<QDragMoveEvent>(event.position().toPoint(), Qt::CopyAction, data,
                                                event.buttons(), event.modifiers());
    default:
        return std::make_unique<QDropEvent>(event.position(), Qt::CopyAction, data, event.buttons(),
                                            event.modifiers());
    }
}

// An entry of a line edit's standard menu, found by its text in whatever
// language Qt shows it, and given the name `name`.
QAction *standardAction(const QMenu &menu, const char *text, const QString &name)
{
    const QString shown = QLineEdit::tr(text);
    for (QAction *action : menu.actions()) {
        if (action->text().section(u'\t', 0, 0) == shown) {
            action->setObjectName(name);
            return action;
        }
    }
    return nullptr;
}

// Lives as a child of the field, so it goes when the field goes.
class FieldEventFilter : public QObject
{
public:
    // Tells whether the field's text differs from what it was when last asked.
    using ChangeCheck = std::function<bool()>;

    FieldEventFilter(QWidget *field, FieldHandlers handlers, ChangeCheck textDiffers)
        : QObject(field), m_field(field), m_handlers(std::move(handlers)),
          m_textDiffers(std::move(textDiffers))
    {
        field->installEventFilter(this);
        // A scroll area's drops land on its viewport.
        if (auto *area = qobject_cast<QAbstractScrollArea *>(field)) {
            area->viewport()->installEventFilter(this);
        }
    }

    // Qt may signal a change that leaves the text as it was: QPlainTextEdit
    // does for Enter in an empty document, once before the line break is in.
    // Converting then would write the other field from an unchanged text.
    void textChanged() const
    {
        if (m_handlers.change && m_textDiffers()) {
            m_handlers.change();
        }
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (isDragEvent(*event)) {
            if (watched == m_field && event->type() == QEvent::Drop && pastesAreTyped()) {
                return pasteEvent(*event);
            }
            return draggedOver(*watched, static_cast<QDropEvent &>(*event));
        }
        if (watched != m_field) {
            return false;
        }
        switch (event->type()) {
        case QEvent::FocusIn:
            focusIn(static_cast<QFocusEvent &>(*event));
            break;
        case QEvent::FocusOut:
            focusOut(static_cast<QFocusEvent &>(*event));
            break;
        case QEvent::KeyPress:
            if (copiesCodes(static_cast<QKeyEvent &>(*event))) {
                return true;
            }
            if (m_handlers.keyPress) {
                return keyPressed(static_cast<QKeyEvent &>(*event));
            }
            break;
        case QEvent::InputMethod:
            if (m_handlers.keyPress && !m_forwardingInput) {
                return inputMethod(static_cast<QInputMethodEvent &>(*event));
            }
            break;
        case QEvent::PaletteChange:
            invalidMaybeChanged();
            break;
        case QEvent::ContextMenu:
            if (qobject_cast<QLineEdit *>(m_field)) {
                showContextMenu(static_cast<QContextMenuEvent &>(*event));
                return true;
            }
            break;
        case QEvent::MouseButtonRelease:
            if (pastesAreTyped()) {
                return pasteEvent(*event);
            }
            break;
        default:
            break;
        }
        return QObject::eventFilter(watched, event);
    }

private:
    void focusIn(const QFocusEvent &event)
    {
        QWidget *window = m_field->window();
        const auto leftWithWindow =
            window->property(kFieldLeftWithWindow).value<QPointer<QWidget>>();
        window->setProperty(kFieldLeftWithWindow, QVariant());
        if (isActivationReason(event.reason()) && leftWithWindow == m_field) {
            return; // the window got its focus back; the field never lost it
        }
        if (m_handlers.gotFocus) {
            m_handlers.gotFocus();
        }
    }

    void focusOut(const QFocusEvent &event) const
    {
        if (isActivationReason(event.reason())) {
            m_field->window()->setProperty(kFieldLeftWithWindow,
                                           QVariant::fromValue(QPointer<QWidget>(m_field)));
        }
    }

    bool keyPressed(QKeyEvent &event)
    {
        if (pastesAreTyped() && event.matches(QKeySequence::Paste)) {
            typeIn(QGuiApplication::clipboard()->text());
            return true;
        }
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

    // Composed characters go through the key handler one at a time; those it
    // does not swallow reach the field as the input method meant them.
    bool inputMethod(QInputMethodEvent &event)
    {
        if (event.commitString().isEmpty()) {
            return false;
        }
        for (const QString &character : typedCharacters(event.commitString())) {
            if (typeCharacter(character)) {
                QInputMethodEvent single;
                single.setCommitString(character);
                forwardInput(single);
            }
        }
        if (!event.preeditString().isEmpty()) {
            QInputMethodEvent preedit(event.preeditString(), event.attributes());
            forwardInput(preedit);
        }
        event.accept();
        return true;
    }

    void forwardInput(QInputMethodEvent &event)
    {
        const QScopedValueRollback forwarding(m_forwardingInput, true);
        QCoreApplication::sendEvent(m_field, &event);
    }

    // The invalid colour is the field's invalid state: a screen reader,
    // which sees no colour, hears of it in the field's description.
    void invalidMaybeChanged()
    {
        const QString description = accessibility::fieldDescription(m_field);
        if (description != m_lastDescription) {
            m_lastDescription = description;
            accessibility::descriptionChanged(m_field);
        }
    }

    static bool isDragEvent(const QEvent &event)
    {
        return event.type() == QEvent::DragEnter || event.type() == QEvent::DragMove ||
               event.type() == QEvent::Drop;
    }

    // A drop edits the field it lands in, so that field takes the focus
    // first and becomes the one its panel converts from. Some drags must
    // copy, never move (see mustCopy); the field is offered them as copies,
    // and the drag's source is told so while it hovers and when it drops.
    bool draggedOver(QObject &target, QDropEvent &event)
    {
        if (m_forwardingDrop || !event.mimeData()) {
            return false;
        }
        if (event.type() == QEvent::Drop && !m_field->hasFocus()) {
            m_field->setFocus(Qt::OtherFocusReason);
        }
        if (!mustCopy(event)) {
            return false;
        }
        const std::unique_ptr<QDropEvent> copy = copyOnly(event);
        {
            const QScopedValueRollback forwarding(m_forwardingDrop, true);
            QCoreApplication::sendEvent(&target, copy.get());
        }
        event.setDropAction(Qt::CopyAction);
        event.setAccepted(copy->isAccepted());
        return true;
    }

    // A drag from the other field of the same panel is a copy: moving would
    // delete the dragged text from the field that has just received its
    // conversion, and convert that emptied field back. A drag that the field
    // can keep only part of is a copy too: a move would lose the rest.
    [[nodiscard]] bool mustCopy(const QDropEvent &event) const
    {
        if (isDragFromSibling(event, m_field)) {
            return true;
        }
        const qsizetype room = roomForDrop();
        return room >= 0 && draggedCodesUpTo(*event.mimeData(), room) > room;
    }

    // How many codes a drop may still add to the field; -1 when it has no limit.
    [[nodiscard]] qsizetype roomForDrop() const
    {
        if (pastesAreTyped()) {
            return 1; // the first character is typed, the rest is not
        }
        if (const auto *line = qobject_cast<const QLineEdit *>(m_field)) {
            return std::max<qsizetype>(0, line->maxLength() - line->text().size());
        }
        if (const auto *area = qobject_cast<const TextArea *>(m_field);
            area && area->maxLength() > 0) {
            return std::max<qsizetype>(0, area->maxLength() -
                                              qsizetype(toCodeText(area->text()).size()));
        }
        return -1;
    }

    // Runs the key handler for one character; true when the handler left it
    // for the field.
    bool typeCharacter(const QString &character) const
    {
        const std::string code = toCodeText(character);
        int keyAscii = static_cast<unsigned char>(code.empty() ? '?' : code.front());
        m_handlers.keyPress(keyAscii);
        return keyAscii != 0;
    }

    [[nodiscard]] bool pastesAreTyped() const
    {
        return m_handlers.pasteAsTyping && m_handlers.keyPress &&
               qobject_cast<QLineEdit *>(m_field);
    }

    bool pasteEvent(QEvent &event)
    {
        if (event.type() == QEvent::Drop) {
            auto &drop = static_cast<QDropEvent &>(event);
            if (!drop.mimeData()->hasText()) {
                return false;
            }
            drop.setDropAction(Qt::CopyAction);
            drop.accept();
            typeIn(drop.mimeData()->text());
            return true;
        }
        const auto &release = static_cast<QMouseEvent &>(event);
        if (release.button() == Qt::MiddleButton &&
            QGuiApplication::clipboard()->supportsSelection()) {
            typeIn(QGuiApplication::clipboard()->text(QClipboard::Selection));
            return true;
        }
        return false;
    }

    // A line edit's copy and cut carry the codes too, as the multi-line
    // fields' do: a field may hold a lone CR, which plain text would turn
    // into a line break elsewhere.
    bool copiesCodes(const QKeyEvent &event)
    {
        const bool cut = event.matches(QKeySequence::Cut);
        if (!qobject_cast<QLineEdit *>(m_field) || !(cut || event.matches(QKeySequence::Copy))) {
            return false;
        }
        copyCodes(cut);
        return true;
    }

    void copyCodes(bool cut)
    {
        auto *lineEdit = static_cast<QLineEdit *>(m_field.data());
        if (!lineEdit->hasSelectedText() || lineEdit->echoMode() != QLineEdit::Normal) {
            return;
        }
        // A control code shows as its picture; the clipboard gets the code.
        QString characters = lineEdit->selectedText();
        for (QChar &c : characters) {
            c = fieldcodes::characterOfPicture(c);
        }
        QGuiApplication::clipboard()->setMimeData(
            codeclipboard::mimeDataOf(toCodeText(characters)));
        if (cut && !lineEdit->isReadOnly()) {
            lineEdit->del();
        }
    }

    // The field's own menu: copy and cut carry the codes, and paste types
    // the clipboard where pastes are typed.
    void showContextMenu(const QContextMenuEvent &event)
    {
        auto *lineEdit = static_cast<QLineEdit *>(m_field.data());
        QMenu *menu = lineEdit->createStandardContextMenu();
        const auto reconnect = [&](const char *text, const QString &name, auto slot) {
            if (QAction *action = standardAction(*menu, text, name)) {
                QObject::disconnect(action, &QAction::triggered, lineEdit, nullptr);
                QObject::connect(action, &QAction::triggered, this, slot);
            }
        };
        reconnect("&Copy", QStringLiteral("edit-copy"), [this] { copyCodes(false); });
        reconnect("Cu&t", QStringLiteral("edit-cut"), [this] { copyCodes(true); });
        if (pastesAreTyped()) {
            reconnect("&Paste", QStringLiteral("edit-paste"),
                      [this] { typeIn(QGuiApplication::clipboard()->text()); });
        }
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->popup(event.globalPos());
    }

    // The field holds one character, so only the first one pasted counts,
    // as the length limit of a line edit would keep it: it is handled
    // exactly as if it had been typed.
    void typeIn(const QString &text)
    {
        if (!m_field->hasFocus()) {
            m_field->setFocus(Qt::OtherFocusReason);
        }
        const QString character = firstTypedCharacter(text);
        if (character.isEmpty() || !m_field) {
            return;
        }
        if (typeCharacter(character) && character != QStringLiteral("\r")) {
            static_cast<QLineEdit *>(m_field.data())->insert(character);
        }
    }

    QPointer<QWidget> m_field;
    FieldHandlers m_handlers;
    ChangeCheck m_textDiffers;
    bool m_forwardingInput = false;
    bool m_forwardingDrop = false;
    QString m_lastDescription;
};

} // namespace

void connect(TextField *field, FieldHandlers handlers)
{
    auto *filter = new FieldEventFilter(dynamic_cast<QWidget *>(field), std::move(handlers),
                                        [field, last = field->textRevision()]() mutable {
                                            const quint64 now = field->textRevision();
                                            return std::exchange(last, now) != now;
                                        });
    field->onTextChanged(filter, [filter] { filter->textChanged(); });
}

std::optional<int> typedCharacterCode(const QKeyEvent &event)
{
    switch (event.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return keys::kEnter;
    case Qt::Key_Backspace:
        return keys::kBackspace;
    case Qt::Key_Escape:
        return keys::kEscape;
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
