// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "text_field.h"

#include <QPlainTextEdit>

// A multi-line text field whose text is what the conversions read and write:
// a line break is carriage return and line feed (two characters), however it
// was typed or pasted (CR LF, CR, LF, Shift+Enter, Unicode's line and
// paragraph separators). A lone CR or LF that the program writes stays that
// one code, shown as its picture ␍ or ␊; so does every other control code but
// the tab, written or pasted, each with the picture fieldcodes::displayCharacter
// gives it. The pictures themselves typed or pasted are characters outside the
// set. The length limit counts characters of the program's character set, a
// line break as two. The limit binds typing, pasting, dropping, input methods
// and program writes alike.
namespace vantrel {

class TextArea : public QPlainTextEdit, public TextField
{
    Q_OBJECT
public:
    explicit TextArea(QWidget *parent = nullptr);

    void setMaxLength(int maxLength); // 0: no limit
    [[nodiscard]] int maxLength() const { return m_maxLength; }

    // The text with every line break as CR LF.
    [[nodiscard]] QString text() const;
    // Replaces the text, cut to the limit. CR LF starts a new line; a lone CR
    // or LF is kept as that one code. A picture written in place of a control
    // code stands for that code: the tab's picture shows a tab as ␉.
    void setText(const QString &text);
    // Adds text at the end, as far as the limit allows, without rebuilding the
    // document. The caret keeps its place, at the start when the field was
    // empty; a caret at the end moves on with the text.
    void appendText(const QString &text);

    void onTextChanged(QObject *context, std::function<void()> changed) override;
    [[nodiscard]] quint64 textRevision() const override;
    void moveCursorToEnd() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    // A copy carries the codes themselves as well as the plain text, and a
    // paste of codes from this program's fields gives back the same codes.
    [[nodiscard]] QMimeData *createMimeDataFromSelection() const override;
    [[nodiscard]] bool canInsertFromMimeData(const QMimeData *source) const override;
    void insertFromMimeData(const QMimeData *source) override;

private:
    // How many characters may still be inserted in place of the selection.
    [[nodiscard]] qsizetype room() const;

    int m_maxLength = 0;
    mutable ComparedRevision m_revision;
};

} // namespace vantrel
