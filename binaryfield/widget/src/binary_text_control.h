// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "binary_text_model.h"
#include "binary_text_view.h"

#include <QObject>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QMimeData;
class QWidget;

// The controller of a binary text field, as QWidgetTextControl is for Qt's
// editors: it owns the model (the codes, the caret, the selection, the
// history), the x that Up and Down keep, where paging began, the drop caret
// and a paste being converted, and it turns the user's actions into edits
// of the model and requests to its view (BinaryTextView). The field's keys,
// mouse and drops (BinaryTextKeys, BinaryTextMouse, BinaryTextDrops) read
// their events into these actions. Every edit goes through here, and tells
// of itself once: textChanged() when the codes changed, the view's
// caretMoved() when the caret or the selection did.
namespace vantrel {

class PasteConversion;

class BinaryTextControl : public QObject
{
    Q_OBJECT
public:
    // `field` is the widget the events come to, and the source of the drags
    // that start there. The view comes next, once it is made.
    explicit BinaryTextControl(QWidget &field);
    ~BinaryTextControl() override;
    void setView(BinaryTextView &view) { m_view = &view; }

    [[nodiscard]] const BinaryTextModel &model() const { return *m_model; }
    // For the view: it gives the layout its font's advances and its width.
    [[nodiscard]] CodeLineLayout &layout() { return m_model->layout(); }
    [[nodiscard]] BinaryTextView &view() const { return *m_view; }
    [[nodiscard]] QWidget &field() const { return m_field; }

    // What the view shows besides the text: where a drop would land (-1
    // when no drag hovers), and how far a paste has been converted.
    [[nodiscard]] qsizetype dropCaret() const { return m_dropCaret; }
    void showDropCaret(qsizetype offset);
    [[nodiscard]] std::optional<qreal> pasteProgress() const;
    [[nodiscard]] bool isPasting() const { return m_paste != nullptr; }

    // A program write: the whole text, as the field's setCodeText() says.
    void setCodeText(std::string codes);
    // Selects from anchor to caret (the caret's column set anew), for the
    // program, a screen reader or a click.
    void select(qsizetype anchor, qsizetype caret, bool scroll = true);

    // The user's edits. Pasting, cutting, undoing and redoing wait for a
    // paste being converted, as the user's input does.
    void paste();
    void copy();
    void cut();
    void undo();
    void redo();
    void selectAll();
    void deleteSelection();
    // Replaces codes [start, end) as typed text (undoable, one
    // textChanged()); the model keeps the range from splitting a line break.
    void replace(qsizetype start, qsizetype end, std::string codes, EditKind kind);
    void replaceSelection(std::string codes, EditKind kind);
    // The deleting keys: the selection, or from the caret to where `move`
    // leads; the other, from the anchor to the end of the paragraph.
    void removeSelectionOr(BinaryTextModel::Move move, EditKind kind);
    void removeToParagraphEnd();
    // Codes [start, end) dragged to `to` within the field.
    void moveCodes(qsizetype start, qsizetype end, qsizetype to);
    void insertFromMimeData(const QMimeData *source);
    [[nodiscard]] bool canInsertFromMimeData(const QMimeData *source) const;
    [[nodiscard]] QMimeData *createMimeDataFromSelection() const;
    // A selection the user made becomes the X11 primary selection.
    void offerSelection();

    // Moves the caret and sets its column anew, as a text cursor put
    // somewhere does; a drag with the mouse moves it without scrolling.
    void moveCaret(qsizetype position, bool keepAnchor, bool scroll = true);
    // A move by lines or pages, keeping `column` for the next one (none
    // sets it anew). A page move keeps where paging began.
    void moveCaretByLines(qsizetype position, bool keepAnchor, std::optional<qreal> column,
                          bool paging);
    // The x that Up and Down keep, from the start of the caret's line.
    [[nodiscard]] qreal caretColumn() const;
    // Brings back the column a remembered selection had.
    void setCaretColumn(qreal column) { m_preferredX = column; }
    // Where a page move from `caret` leads, as QPlainTextEdit pages: the
    // view moves a page first, then the caret steps line by line, keeping
    // its x, until it stands at least as far into the view as it did when
    // paging began.
    [[nodiscard]] qsizetype pageMoved(qsizetype caret, int direction, qreal x);

Q_SIGNALS:
    void textChanged();
    // A paste or a drop was applied (or refused).
    void pasteFinished();
    // Codes were exchanged: what remembers places in the text follows them.
    void codesExchanged(const vantrel::TextExchange &exchange);

private:
    using CaretState = BinaryTextView::CaretState;

    // Runs one change of the model as a user's edit, then shows it and tells
    // of it.
    void edit(const std::function<bool(BinaryTextModel &)> &change);
    void removeByKey(const std::function<BinaryTextModel::Removal(BinaryTextModel &)> &removal);
    void placeCaret(const std::function<void(BinaryTextModel &)> &place, bool scroll, bool blink);
    [[nodiscard]] CaretState caretState() const;
    void announce(const CaretState &before);
    void insertPasted(std::string codes);
    void startSlicedPaste(PasteConversion *conversion);
    void finishSlicedPaste();
    void cancelPaste();
    bool deferredWhilePasting(void (BinaryTextControl::*slot)());

    QWidget &m_field;
    BinaryTextView *m_view = nullptr;
    std::unique_ptr<BinaryTextModel> m_model;
    qreal m_preferredX = -1; // kept across Up and Down
    // Where in the view the caret stood when paging began, kept while the
    // user pages on.
    std::optional<qreal> m_pageCaretY;
    qsizetype m_dropCaret = -1;
    PasteConversion *m_paste = nullptr; // a child, while a large paste is converted
};

} // namespace vantrel
