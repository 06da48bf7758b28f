// SPDX-License-Identifier: GPL-3.0-or-later
#include "binary_text_drops.h"
#include "binary_text_edit.h"
#include "binary_text_keys.h"
#include "binary_text_model.h"
#include "binary_text_mouse.h"
#include "field_codes.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDrag>
#include <QIcon>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QScrollBar>

// Input handed to the key, mouse and drop controllers; focus and the caret's
// blinking; the context menu.
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

bool BinaryTextEdit::event(QEvent *event)
{
    if (event->type() == QEvent::ShortcutOverride &&
        m_keys->overridesShortcut(static_cast<const QKeyEvent &>(*event))) {
        event->accept();
        return true;
    }
    return QAbstractScrollArea::event(event);
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
    switch (query) {
    case Qt::ImEnabled:
        return true;
    case Qt::ImCursorRectangle:
        return caretRectAt(m_model->caret()).translated(viewport()->pos());
    case Qt::ImFont:
        return font();
    case Qt::ImHints:
        return int(Qt::ImhMultiLine);
    case Qt::ImCursorPosition:
    case Qt::ImAnchorPosition: {
        // Within the caret's line, the surrounding text.
        const CodeLineLayout::Line line =
            m_model->layout().line(m_model->layout().lineOf(m_model->caret()));
        const qsizetype offset =
            query == Qt::ImCursorPosition ? m_model->caret() : m_model->anchor();
        return int(std::clamp(offset, line.start, line.end) - line.start);
    }
    case Qt::ImSurroundingText: {
        const CodeLineLayout::Line line =
            m_model->layout().line(m_model->layout().lineOf(m_model->caret()));
        return fieldcodes::plainText(m_model->codes(line.start, line.end));
    }
    case Qt::ImCurrentSelection:
        return fieldcodes::plainText(m_model->selectedCodes());
    default:
        return QAbstractScrollArea::inputMethodQuery(query);
    }
}

void BinaryTextEdit::focusInEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusInEvent(event);
    restartBlinking();
    viewport()->update();
}

void BinaryTextEdit::focusOutEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusOutEvent(event);
    m_blinkTimer.stop();
    m_caretShown = false;
    viewport()->update();
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
    using Slot = void (BinaryTextEdit::*)();
    // Each entry named, and drawn with the icon, after the theme's icon name.
    const auto add = [this, menu](const char *source, QKeySequence::StandardKey key, bool enabled,
                                  Slot slot, const QString &name) {
        QString caption = QCoreApplication::translate(kMenuContext, source);
        if (key != QKeySequence::UnknownKey) {
            caption += shortcutSuffix(key);
        }
        QAction *action = menu->addAction(caption);
        connect(action, &QAction::triggered, this, slot);
        action->setEnabled(enabled);
        action->setObjectName(name);
        if (QIcon::hasThemeIcon(name)) {
            action->setIcon(QIcon::fromTheme(name));
        }
    };
    add("&Undo", QKeySequence::Undo, isUndoAvailable(), &BinaryTextEdit::undo,
        QStringLiteral("edit-undo"));
    add("&Redo", QKeySequence::Redo, isRedoAvailable(), &BinaryTextEdit::redo,
        QStringLiteral("edit-redo"));
    menu->addSeparator();
    add("Cu&t", QKeySequence::Cut, hasSelection(), &BinaryTextEdit::cut,
        QStringLiteral("edit-cut"));
    add("&Copy", QKeySequence::Copy, hasSelection(), &BinaryTextEdit::copy,
        QStringLiteral("edit-copy"));
    add("&Paste", QKeySequence::Paste, canPaste(), &BinaryTextEdit::paste,
        QStringLiteral("edit-paste"));
    add("Delete", QKeySequence::UnknownKey, hasSelection(), &BinaryTextEdit::deleteSelection,
        QStringLiteral("edit-delete"));
    menu->addSeparator();
    add("Select All", QKeySequence::SelectAll, m_model->size() > 0, &BinaryTextEdit::selectAll,
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
