// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "code_line_layout.h"
#include "edit_history.h"

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <string>

class QMenu;
class QMimeData;

// A multi-line text field for texts of any length, such as binary dumps of
// a hundred million digits. It keeps the text as codes of the program's
// character set, one byte each, and lays out and paints only the lines in
// view, so a key costs the same at any length. To the program and to screen
// readers it looks like a QPlainTextEdit: the plainText property, textChanged
// and the other signals, the clipboard slots, undo and redo, the standard
// context menu and an accessible editable text.
//
// A line break is the pair CR LF (13 10). Every line break the user types,
// pastes or drops, whatever its form (CR LF, CR, LF, U+2028, U+2029), becomes
// that pair; in toPlainText() and on the clipboard it is "\n", as in
// QPlainTextEdit. A lone 13 or 10, which only setCodeText() can write, is an
// ordinary character shown by its control picture (U+240D, U+240A), as are
// the other control codes. Positions count codes, so a line break counts two;
// the caret never stands inside one.
//
// Tab and Shift+Tab always move the focus, as setTabChangesFocus(true) makes
// a QPlainTextEdit do. A paste or drop of more than a few million characters
// is converted in slices while the window keeps repainting and the field
// shows its progress; user input waits for it (see PasteConversion), and
// the result comes as one edit with one textChanged(), followed by
// pasteFinished(), before paste() returns.
namespace vantrel {

class PasteConversion;

class BinaryTextEdit : public QAbstractScrollArea
{
    Q_OBJECT
    Q_PROPERTY(QString plainText READ toPlainText WRITE setPlainText NOTIFY textChanged USER true)
    Q_PROPERTY(bool readOnly READ isReadOnly WRITE setReadOnly)
    Q_PROPERTY(bool undoRedoEnabled READ isUndoRedoEnabled)

public:
    explicit BinaryTextEdit(QWidget *parent = nullptr);
    ~BinaryTextEdit() override;

    // The text, one code per char.
    [[nodiscard]] const std::string &codeText() const { return m_text; }
    // A program write: replaces the whole text as it is, clears undo and
    // redo, puts the caret at the start and emits textChanged() once,
    // inside the call.
    void setCodeText(std::string codes);
    [[nodiscard]] QString toPlainText() const;
    // As setCodeText(), from any Unicode text.
    void setPlainText(const QString &text);

    [[nodiscard]] qsizetype cursorPosition() const { return m_caret; }
    // Moves the caret and drops the selection.
    void setCursorPosition(qsizetype position);
    // Selects from anchor to position, the caret at position.
    void setSelection(qsizetype anchor, qsizetype position);
    void moveCursorToEnd();
    [[nodiscard]] bool hasSelection() const { return m_anchor != m_caret; }
    [[nodiscard]] qsizetype selectionStart() const { return std::min(m_anchor, m_caret); }
    [[nodiscard]] qsizetype selectionEnd() const { return std::max(m_anchor, m_caret); }
    [[nodiscard]] std::string selectedCodeText() const;
    // The length of toPlainText(): a line break counts one.
    [[nodiscard]] qsizetype plainLength() const;

    [[nodiscard]] bool isReadOnly() const { return m_readOnly; }
    void setReadOnly(bool readOnly);
    [[nodiscard]] bool isUndoRedoEnabled() const { return true; }
    [[nodiscard]] bool isUndoAvailable() const { return m_history.canUndo(); }
    [[nodiscard]] bool isRedoAvailable() const { return m_history.canRedo(); }
    // Whether a large paste is still being converted; input waits for it.
    [[nodiscard]] bool isPasting() const { return m_paste != nullptr; }
    [[nodiscard]] bool canPaste() const;
    // Grows with every edit that really changes the text; an edit that puts
    // back the same codes leaves it as it is.
    [[nodiscard]] quint64 revision() const { return m_revision; }

    // The menu QPlainTextEdit shows, in Qt's words, so Qt's translations apply.
    [[nodiscard]] QMenu *createStandardContextMenu(QWidget *parent = nullptr);

    // Replaces codes [start, end) with a text as a user's edit: undoable,
    // with one textChanged(). For the accessible editable text.
    void replaceAsUser(qsizetype start, qsizetype end, const QString &text);

    // Geometry in viewport coordinates.
    [[nodiscard]] QRect characterRect(qsizetype offset) const;
    [[nodiscard]] qsizetype offsetAt(const QPoint &point) const;
    [[nodiscard]] const CodeLineLayout &lineLayout() const { return m_layout; }
    [[nodiscard]] qsizetype firstVisibleLine() const;
    [[nodiscard]] int lineHeight() const { return m_lineHeight; }

public Q_SLOTS:
    void paste();
    void copy();
    void cut();
    void undo();
    void redo();
    void selectAll();
    // Empties the text and the undo stack, as QPlainTextEdit::clear() does.
    void clear();

Q_SIGNALS:
    void textChanged();
    void cursorPositionChanged();
    void selectionChanged();
    void copyAvailable(bool yes);
    void undoAvailable(bool available);
    void redoAvailable(bool available);
    // A paste or a drop was applied (or refused); large ones finish later.
    void pasteFinished();

protected:
    // The hooks of QPlainTextEdit, so a subclass can filter what comes in.
    [[nodiscard]] virtual bool canInsertFromMimeData(const QMimeData *source) const;
    [[nodiscard]] virtual QMimeData *createMimeDataFromSelection() const;
    virtual void insertFromMimeData(const QMimeData *source);

    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    [[nodiscard]] QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void timerEvent(QTimerEvent *event) override;

private:
    enum class Move {
        PreviousChar,
        NextChar,
        PreviousWord,
        NextWord,
        PreviousLine,
        NextLine,
        StartOfLine,
        EndOfLine,
        StartOfDocument,
        EndOfDocument,
        PreviousPage,
        NextPage,
    };
    struct CaretState
    {
        qsizetype caret = 0;
        qsizetype anchor = 0;
        bool canUndo = false;
        bool canRedo = false;
    };

    // editing
    bool handleEditKey(QKeyEvent *event);
    bool handleMoveKey(QKeyEvent *event);
    void insertTyped(std::string codes, EditKind kind);
    void removeSelectionOr(Move move, EditKind kind);
    void deleteSelection();
    void replaceRange(qsizetype start, qsizetype end, std::string codes, EditKind kind);
    void moveRange(qsizetype start, qsizetype end, qsizetype to);
    void recordExchange(qsizetype start, qsizetype end, std::string codes, EditKind kind,
                        bool joinsPrevious);
    void finishEdit(const CaretState &before);
    std::string exchange(qsizetype start, qsizetype end, std::string codes);
    void notifyScreenReaders(qsizetype plainStart, qsizetype removedCharacters, qsizetype start,
                             qsizetype insertedLength);
    void exchangeHistoryStep(bool undoing);
    void pasteInSlices(QString text);
    void cancelPaste();
    [[nodiscard]] bool acceptsInput() const { return !m_readOnly && !m_paste; }

    // caret and selection
    [[nodiscard]] CaretState caretState() const;
    // The offset, or the one before it when it lies inside a line break.
    [[nodiscard]] qsizetype legalOffset(qsizetype offset) const;
    void announce(const CaretState &before);
    void moveCaret(qsizetype position, bool keepAnchor);
    [[nodiscard]] qsizetype moved(qsizetype from, Move move) const;
    [[nodiscard]] qsizetype nextCharacter(qsizetype from) const;
    [[nodiscard]] qsizetype previousCharacter(qsizetype from) const;
    [[nodiscard]] bool isWordCode(qsizetype offset) const;
    [[nodiscard]] qsizetype pageLines() const;
    void selectWordAt(qsizetype offset);

    // layout, view and painting
    void updateMetrics();
    void updateLayoutWidth();
    void updateScrollBar();
    void ensureCaretVisible();
    [[nodiscard]] QRect caretRectAt(qsizetype offset) const;
    [[nodiscard]] int lineTop(qsizetype lineIndex) const;
    void paintLine(QPainter &painter, qsizetype lineIndex) const;
    void paintPasteProgress(QPainter &painter) const;
    void restartBlinking();
    void updateCaretAt(qsizetype offset);
    void autoScroll();

    // mouse and drag
    void startDrag();

    std::string m_text;
    CodeLineLayout m_layout{m_text};
    EditHistory m_history;
    qsizetype m_caret = 0;
    qsizetype m_anchor = 0;
    qreal m_preferredX = -1; // kept across Up and Down
    bool m_readOnly = false;

    QFont m_drawFont;
    int m_lineHeight = 1;
    int m_ascent = 0;

    QBasicTimer m_blinkTimer;
    bool m_caretShown = false;
    QBasicTimer m_autoScrollTimer;
    QPoint m_lastMousePoint;
    bool m_selecting = false;
    bool m_dragCandidate = false;
    QPoint m_dragStartPoint;
    qsizetype m_dropCaret = -1;
    qsizetype m_dragSourceStart = -1; // the selection dragged out, while dragging
    qsizetype m_dragSourceEnd = -1;
    bool m_movedWithinField = false;

    PasteConversion *m_paste = nullptr; // while a large paste is converted
    quint64 m_revision = 0;
};

} // namespace vantrel
