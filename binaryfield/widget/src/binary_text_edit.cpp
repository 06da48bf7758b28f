// SPDX-License-Identifier: GPL-3.0-or-later
#include "binary_text_edit.h"

#include "binary_text_canvas.h"
#include "binary_text_control.h"
#include "binary_text_drops.h"
#include "binary_text_keys.h"
#include "binary_text_mouse.h"
#include "field_codes.h"
#include "held_input.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QIcon>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QScrollBar>

// The widget: it hands each event to the part that reads it (the keys, the
// mouse, the drops, or the view), and its public calls to the controller.
namespace vantrel {
namespace {

const char kMenuContext[] = "QWidgetTextControl";

// The shortcut that QPlainTextEdit's menu shows after an entry.
QString shortcutSuffix(QKeySequence::StandardKey key)
{
    if (QCoreApplication::testAttribute(Qt::AA_DontShowShortcutsInContextMenus)) {
        return {};
    }
    return QLatin1Char('\t') + QKeySequence(key).toString(QKeySequence::NativeText);
}

} // namespace

BinaryTextEdit::BinaryTextEdit(QWidget *parent)
    : QAbstractScrollArea(parent), m_control(new BinaryTextControl(*this)),
      m_keys(std::make_unique<BinaryTextKeys>(*m_control)),
      m_drops(std::make_unique<BinaryTextDrops>(*m_control))
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_InputMethodEnabled);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setAcceptDrops(true);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    verticalScrollBar()->setSingleStep(1);
    m_canvas = new BinaryTextCanvas(*this, *m_control);
    m_control->setView(*m_canvas);
    m_mouse = new BinaryTextMouse(*m_control, *m_drops);
    connect(m_control, &BinaryTextControl::textChanged, this, &BinaryTextEdit::textChanged);
    connect(m_control, &BinaryTextControl::pasteFinished, this, &BinaryTextEdit::pasteFinished);
}

// The controller goes first, with its mouse and a paste it may still
// convert, while the view it knows is still there.
BinaryTextEdit::~BinaryTextEdit()
{
    delete m_control;
}

const BinaryTextModel &BinaryTextEdit::model() const
{
    return m_control->model();
}

qsizetype BinaryTextEdit::codeCount() const
{
    return model().size();
}

std::string BinaryTextEdit::codeText(qsizetype start, qsizetype end) const
{
    return model().codes(start, end);
}

std::string BinaryTextEdit::codeText() const
{
    return model().codes();
}

std::pair<qsizetype, qsizetype> BinaryTextEdit::wordAt(qsizetype offset, qsizetype reach) const
{
    return model().wordAt(offset, reach);
}

void BinaryTextEdit::setCodeText(std::string codes)
{
    m_control->setCodeText(std::move(codes));
}

QString BinaryTextEdit::toPlainText() const
{
    return fieldcodes::plainText(model().codes());
}

void BinaryTextEdit::setPlainText(const QString &text)
{
    setCodeText(fieldcodes::codesFromText(text));
}

qsizetype BinaryTextEdit::cursorPosition() const
{
    return model().caret();
}

void BinaryTextEdit::setCursorPosition(qsizetype position)
{
    setSelection(position, position);
}

void BinaryTextEdit::setSelection(qsizetype anchor, qsizetype position)
{
    m_control->select(anchor, position);
}

void BinaryTextEdit::moveCursorToEnd()
{
    setCursorPosition(model().size());
}

void BinaryTextEdit::onTextChanged(QObject *context, std::function<void()> changed)
{
    QObject::connect(this, &BinaryTextEdit::textChanged, context,
                     [changed = std::move(changed)] { changed(); });
}

bool BinaryTextEdit::hasSelection() const
{
    return model().hasSelection();
}

qsizetype BinaryTextEdit::selectionStart() const
{
    return model().selectionStart();
}

qsizetype BinaryTextEdit::selectionEnd() const
{
    return model().selectionEnd();
}

qsizetype BinaryTextEdit::plainLength() const
{
    return model().plainLength();
}

quint64 BinaryTextEdit::revision() const
{
    return model().revision();
}

qsizetype BinaryTextEdit::nonBinaryCodes() const
{
    return model().nonBinaryCodes();
}

bool BinaryTextEdit::isUndoAvailable() const
{
    return model().canUndo();
}

bool BinaryTextEdit::isRedoAvailable() const
{
    return model().canRedo();
}

bool BinaryTextEdit::isPasting() const
{
    return m_control->isPasting();
}

bool BinaryTextEdit::canPaste() const
{
    const QMimeData *source = QGuiApplication::clipboard()->mimeData();
    return source && m_control->canInsertFromMimeData(source);
}

// Asked for by assistive technologies: after any input that waits.
void BinaryTextEdit::replaceAsUser(qsizetype start, qsizetype end, const QString &text)
{
    HeldInput::runInOrder([control = QPointer<BinaryTextControl>(m_control), start, end, text] {
        if (control) {
            control->replace(start, end, fieldcodes::codesFromText(text), EditKind::Other);
        }
    });
}

QRect BinaryTextEdit::characterRect(qsizetype offset) const
{
    return m_canvas->characterRect(offset);
}

qsizetype BinaryTextEdit::offsetAt(const QPoint &point) const
{
    return m_canvas->offsetAt(point);
}

qsizetype BinaryTextEdit::firstVisibleLine() const
{
    return m_canvas->firstVisibleLine();
}

void BinaryTextEdit::paste()
{
    m_control->paste();
}

void BinaryTextEdit::copy()
{
    m_control->copy();
}

void BinaryTextEdit::cut()
{
    m_control->cut();
}

void BinaryTextEdit::undo()
{
    m_control->undo();
}

void BinaryTextEdit::redo()
{
    m_control->redo();
}

void BinaryTextEdit::selectAll()
{
    m_control->selectAll();
}

void BinaryTextEdit::clear()
{
    setCodeText({});
}

bool BinaryTextEdit::event(QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride &&
        m_keys->overridesShortcut(static_cast<const QKeyEvent &>(*event))) {
        event->accept();
        return true;
    }
    return QAbstractScrollArea::event(event);
}

void BinaryTextEdit::paintEvent(QPaintEvent *event)
{
    m_canvas->paint(event->rect());
}

void BinaryTextEdit::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    m_canvas->updateLayoutWidth();
}

void BinaryTextEdit::changeEvent(QEvent *event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        m_canvas->updateMetrics();
    } else if (event->type() == QEvent::EnabledChange) {
        m_canvas->restartBlinking();
    }
}

void BinaryTextEdit::scrollContentsBy(int, int)
{
    m_canvas->followScrollBar();
}

void BinaryTextEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab ||
        event->key() == Qt::Key_Escape) {
        event->ignore();
        return;
    }
    event->setAccepted(m_keys->keyPress(*event));
}

void BinaryTextEdit::inputMethodEvent(QInputMethodEvent *event)
{
    m_keys->inputMethod(*event);
    event->accept();
}

QVariant BinaryTextEdit::inputMethodQuery(Qt::InputMethodQuery query) const
{
    const BinaryTextModel &text = model();
    // Within the caret's line, the surrounding text.
    const auto caretLine = [&text] {
        return text.layout().line(text.layout().lineOf(text.caret()));
    };
    switch (query) {
    case Qt::ImEnabled:
        return true;
    case Qt::ImCursorRectangle:
        return m_canvas->caretRect().translated(viewport()->pos());
    case Qt::ImFont:
        return font();
    case Qt::ImHints:
        return int(Qt::ImhMultiLine);
    case Qt::ImCursorPosition:
    case Qt::ImAnchorPosition: {
        const CodeLineLayout::Line line = caretLine();
        const qsizetype offset = query == Qt::ImCursorPosition ? text.caret() : text.anchor();
        return int(std::clamp(offset, line.start, line.end) - line.start);
    }
    case Qt::ImSurroundingText: {
        const CodeLineLayout::Line line = caretLine();
        return fieldcodes::plainText(text.codes(line.start, line.end));
    }
    case Qt::ImCurrentSelection:
        return fieldcodes::plainText(text.selectedCodes());
    default:
        return QAbstractScrollArea::inputMethodQuery(query);
    }
}

void BinaryTextEdit::focusInEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusInEvent(event);
    m_canvas->focusChanged(true);
}

void BinaryTextEdit::focusOutEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusOutEvent(event);
    m_canvas->focusChanged(false);
}

void BinaryTextEdit::mousePressEvent(QMouseEvent *event)
{
    m_mouse->press(*event);
    if (event->button() != Qt::LeftButton) {
        event->ignore();
    }
}

void BinaryTextEdit::mouseMoveEvent(QMouseEvent *event)
{
    m_mouse->move(*event);
}

void BinaryTextEdit::mouseReleaseEvent(QMouseEvent *event)
{
    m_mouse->release(*event);
}

void BinaryTextEdit::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    m_mouse->doubleClick(*event);
}

void BinaryTextEdit::dragEnterEvent(QDragEnterEvent *event)
{
    m_drops->enter(*event);
}

void BinaryTextEdit::dragMoveEvent(QDragMoveEvent *event)
{
    m_drops->enter(*event);
}

void BinaryTextEdit::dragLeaveEvent(QDragLeaveEvent *)
{
    m_drops->leave();
}

void BinaryTextEdit::dropEvent(QDropEvent *event)
{
    m_drops->drop(*event);
}

QMenu *BinaryTextEdit::createStandardContextMenu(QWidget *parent)
{
    auto *menu = new QMenu(parent ? parent : this);
    menu->setObjectName(QStringLiteral("qt_edit_menu"));
    using Slot = void (BinaryTextControl::*)();
    // Each entry named, and drawn with the icon, after the theme's icon name.
    const auto add = [this, menu](const char *source, QKeySequence::StandardKey key, bool enabled,
                                  Slot slot, const QString &name) {
        QString caption = QCoreApplication::translate(kMenuContext, source);
        if (key != QKeySequence::UnknownKey) {
            caption += shortcutSuffix(key);
        }
        QAction *action = menu->addAction(caption);
        connect(action, &QAction::triggered, m_control, slot);
        action->setEnabled(enabled);
        action->setObjectName(name);
        if (QIcon::hasThemeIcon(name)) {
            action->setIcon(QIcon::fromTheme(name));
        }
    };
    add("&Undo", QKeySequence::Undo, isUndoAvailable(), &BinaryTextControl::undo,
        QStringLiteral("edit-undo"));
    add("&Redo", QKeySequence::Redo, isRedoAvailable(), &BinaryTextControl::redo,
        QStringLiteral("edit-redo"));
    menu->addSeparator();
    add("Cu&t", QKeySequence::Cut, hasSelection(), &BinaryTextControl::cut,
        QStringLiteral("edit-cut"));
    add("&Copy", QKeySequence::Copy, hasSelection(), &BinaryTextControl::copy,
        QStringLiteral("edit-copy"));
    add("&Paste", QKeySequence::Paste, canPaste(), &BinaryTextControl::paste,
        QStringLiteral("edit-paste"));
    add("Delete", QKeySequence::UnknownKey, hasSelection(), &BinaryTextControl::deleteSelection,
        QStringLiteral("edit-delete"));
    menu->addSeparator();
    add("Select All", QKeySequence::SelectAll, model().size() > 0, &BinaryTextControl::selectAll,
        QStringLiteral("select-all"));
    return menu;
}

void BinaryTextEdit::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu *menu = createStandardContextMenu();
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

} // namespace vantrel
