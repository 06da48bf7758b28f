// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text_field.h"

#include <QAbstractScrollArea>
#include <functional>
#include <memory>
#include <string>
#include <utility>

class QMenu;
class QMimeData;

// A multi-line text field for texts of any length, such as binary dumps of
// a hundred million digits. It keeps the text as codes of the program's
// character set, one byte each, in a gap buffer (CodeBuffer), and lays out
// and paints only the lines in view, so a key costs the same at any length
// and at any place. To the program and to screen readers it looks like a
// QPlainTextEdit: the plainText property, the textChanged signal (and
// pasteFinished, once a paste is applied), the clipboard slots, undo and redo, the standard context
// menu and an accessible editable text.
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
// is converted in slices from the event loop, after paste() returns, while
// the window keeps repainting and the field shows its progress; the user's
// input waits for it (HeldInput), and the result comes as one edit with one
// textChanged(), followed by pasteFinished().
//
// The widget itself only hands its events on: its keys, mouse and drops are
// read into the actions of a controller, which edits the model, and a view
// lays the text out and paints it.
namespace vantrel {

class BinaryTextCanvas;
class BinaryTextControl;
class BinaryTextDrops;
class BinaryTextKeys;
class BinaryTextModel;
class BinaryTextMouse;

class BinaryTextEdit : public QAbstractScrollArea, public TextField
{
    Q_OBJECT
    Q_PROPERTY(QString plainText READ toPlainText WRITE setPlainText NOTIFY textChanged USER true)

public:
    explicit BinaryTextEdit(QWidget *parent = nullptr);
    ~BinaryTextEdit() override;

    // The number of codes.
    [[nodiscard]] qsizetype codeCount() const;
    // Codes [start, end), copied: a bounded read, for what needs only a few.
    [[nodiscard]] std::string codeText(qsizetype start, qsizetype end) const;
    // The whole text, one code per char, copied: it costs the text's length,
    // so it is for whole-text uses, not for what runs at every key.
    [[nodiscard]] std::string codeText() const;
    // The word at a code offset, as a double click selects it, cut at
    // `reach` codes either side.
    [[nodiscard]] std::pair<qsizetype, qsizetype> wordAt(qsizetype offset, qsizetype reach) const;
    // The model under the field: its codes, layout, caret and history. Its
    // header is the field's own, for the field's parts and tests.
    [[nodiscard]] const BinaryTextModel &model() const;
    // A program write: replaces the whole text as it is, clears undo and
    // redo, puts the caret at the start and emits textChanged() once,
    // inside the call. A text of more than 2^31 - 1 codes is refused: the
    // field keeps its text and shows the invalid colour.
    void setCodeText(std::string codes);
    [[nodiscard]] QString toPlainText() const;
    // As setCodeText(), from any Unicode text.
    void setPlainText(const QString &text);

    [[nodiscard]] qsizetype cursorPosition() const;
    // Moves the caret and drops the selection.
    void setCursorPosition(qsizetype position);
    // Selects from anchor to position, the caret at position.
    void setSelection(qsizetype anchor, qsizetype position);
    void moveCursorToEnd() override;
    void onTextChanged(QObject *context, std::function<void()> changed) override;
    [[nodiscard]] quint64 textRevision() const override { return revision(); }
    [[nodiscard]] bool hasSelection() const;
    [[nodiscard]] qsizetype selectionStart() const;
    [[nodiscard]] qsizetype selectionEnd() const;
    // The length of toPlainText(): a line break counts one.
    [[nodiscard]] qsizetype plainLength() const;
    // Grows with every edit that really changes the text; an edit that puts
    // back the same codes leaves it as it is.
    [[nodiscard]] quint64 revision() const;
    // Codes other than "0" and "1", known at every change without a scan.
    [[nodiscard]] qsizetype nonBinaryCodes() const;

    [[nodiscard]] bool isUndoAvailable() const;
    [[nodiscard]] bool isRedoAvailable() const;
    // Whether a large paste is still being converted; input waits for it.
    [[nodiscard]] bool isPasting() const;
    [[nodiscard]] bool canPaste() const;

    // The menu QPlainTextEdit shows, in Qt's words, so Qt's translations apply.
    [[nodiscard]] QMenu *createStandardContextMenu(QWidget *parent = nullptr);

    // Replaces codes [start, end) with a text as a user's edit: undoable,
    // with one textChanged(). For the accessible editable text.
    void replaceAsUser(qsizetype start, qsizetype end, const QString &text);

    // Geometry in viewport coordinates.
    [[nodiscard]] QRect characterRect(qsizetype offset) const;
    [[nodiscard]] qsizetype offsetAt(const QPoint &point) const;
    [[nodiscard]] qsizetype firstVisibleLine() const;

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
    // A paste or a drop was applied (or refused).
    void pasteFinished();

protected:
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

private:
    // Children, so that their timers are the window's.
    BinaryTextControl *m_control; // it owns the model
    BinaryTextCanvas *m_canvas = nullptr;
    BinaryTextMouse *m_mouse = nullptr;
    std::unique_ptr<BinaryTextKeys> m_keys;
    std::unique_ptr<BinaryTextDrops> m_drops;
};

} // namespace vantrel
