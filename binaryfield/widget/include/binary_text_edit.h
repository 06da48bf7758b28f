// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text_field.h"

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <functional>
#include <memory>
#include <optional>
#include <string>

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
namespace vantrel {

class BinaryTextDrops;
class BinaryTextKeys;
class BinaryTextModel;
class BinaryTextMouse;
class PasteConversion;
enum class EditKind;
struct TextExchange;

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
    [[nodiscard]] const BinaryTextModel &model() const { return *m_model; }
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
    [[nodiscard]] bool isPasting() const { return m_paste != nullptr; }
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
    void timerEvent(QTimerEvent *event) override;

private:
    friend class BinaryTextKeys;
    friend class BinaryTextMouse;
    friend class BinaryTextDrops;
    // Space between the viewport's edges and the text, as QPlainTextEdit leaves.
    static constexpr int kMargin = 4;
    // What a change of the text or the caret must tell and redraw.
    struct CaretState
    {
        qsizetype caret = 0;
        qsizetype anchor = 0;
        quint64 revision = 0;
    };

    // editing, each a user's edit through the model
    void edit(const std::function<bool()> &change);
    void replaceSelection(std::string codes, EditKind kind);
    void deleteSelection();
    void insertFromMimeData(const QMimeData *source);
    [[nodiscard]] bool canInsertFromMimeData(const QMimeData *source) const;
    [[nodiscard]] QMimeData *createMimeDataFromSelection() const;
    void insertPasted(std::string codes);
    void startSlicedPaste(PasteConversion *conversion);
    void finishSlicedPaste();
    void cancelPaste();
    bool deferredWhilePasting(void (BinaryTextEdit::*slot)());
    void refuseText();

    // caret and selection
    [[nodiscard]] CaretState caretState() const;
    void announce(const CaretState &before);
    // Both set the caret's column anew, as a text cursor put somewhere does.
    // A drag with the mouse moves the caret without scrolling to it.
    void moveCaret(qsizetype position, bool keepAnchor, bool scroll = true);
    void select(qsizetype anchor, qsizetype caret, bool scroll = true);
    void offerSelection();
    // The x that Up and Down keep, from the start of the caret's line.
    [[nodiscard]] qreal caretColumn() const;

    // layout, view and painting
    void notifyScreenReaders(const TextExchange &exchange);
    void updateMetrics();
    void updateLayoutWidth();
    void updateScrollBar();
    void ensureCaretVisible();
    [[nodiscard]] qsizetype topLineShowingAtBottom(qsizetype lineIndex) const;
    void scrollToLine(qsizetype lineIndex);
    void showFromLine(qsizetype lineIndex);
    [[nodiscard]] qreal paragraphOffset(qsizetype paragraph, qsizetype lineInParagraph) const;
    [[nodiscard]] qreal paragraphHeight(qsizetype paragraph) const;
    [[nodiscard]] qreal paragraphY(qsizetype paragraph) const;
    [[nodiscard]] qreal verticalOffset() const;
    [[nodiscard]] qreal firstLineTop() const;
    [[nodiscard]] qreal contentTop(qsizetype lineIndex) const;
    [[nodiscard]] QRect caretRectAt(qsizetype offset) const;
    [[nodiscard]] int lineTop(qsizetype lineIndex) const;
    void paintLine(QPainter &painter, qsizetype lineIndex) const;
    void paintCaret(QPainter &painter, qsizetype offset) const;
    [[nodiscard]] QRegion selectedPixels(qsizetype lineIndex, int top) const;
    void paintPasteProgress(QPainter &painter) const;
    void restartBlinking();
    void updateCaretAt(qsizetype offset);

    std::unique_ptr<BinaryTextModel> m_model;
    std::unique_ptr<BinaryTextKeys> m_keys;
    BinaryTextMouse *m_mouse; // a QObject child, for its timers
    std::unique_ptr<BinaryTextDrops> m_drops;
    qreal m_preferredX = -1; // kept across Up and Down
    // Where in the view the caret stood when paging began, kept while the
    // user pages on.
    std::optional<qreal> m_pageCaretY;

    QFont m_drawFont;
    int m_lineHeight = 1;      // a line's step, in whole pixels
    qreal m_naturalHeight = 1; // the font's own line spacing
    // The view starts at a line of a paragraph, a fraction of a pixel off.
    qsizetype m_topParagraph = 0;
    qsizetype m_topLineInParagraph = 0;
    qreal m_topFraction = 0;
    qreal m_ascent = 0;
    qreal m_textHeight = 1; // ascent and descent, the caret's height

    QBasicTimer m_blinkTimer;
    bool m_caretShown = false;

    PasteConversion *m_paste = nullptr; // while a large paste is converted
};

} // namespace vantrel
