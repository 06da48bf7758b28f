// SPDX-License-Identifier: GPL-3.0-or-later
#include "binary_field_element.h"
#include "binary_text_edit.h"
#include "binary_text_model.h"
#include "code_clipboard.h"
#include "elements.h"
#include "field_events.h"
#include "palette_use.h"
#include "queued_input.h"
#include "screen_colours.h"
#include "typing.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFontMetricsF>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPaintEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <memory>

using namespace vantrel;

namespace {

constexpr qsizetype kLarge = 1'000'000;
// How long a sliced paste may take: only a paste that never ends fails.
constexpr int kPasteWait = 600'000;

// Digits in a pattern that shows where a slice comes from.
std::string digits(qsizetype count)
{
    static const char pattern[] = "0110";
    std::string text(std::size_t(count), '0');
    for (qsizetype i = 0; i < count; ++i) {
        text[std::size_t(i)] = pattern[i % 4];
    }
    return text;
}

// Collects what a widget paints.
class PaintRecorder : public QObject
{
public:
    explicit PaintRecorder(QWidget *widget) { widget->installEventFilter(this); }
    QRegion painted;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            painted += static_cast<QPaintEvent *>(event)->region();
        }
        return QObject::eventFilter(watched, event);
    }
};

QString plain(const std::string &codes)
{
    return QString::fromLatin1(codes.data(), qsizetype(codes.size()));
}

} // namespace

class BinaryTextEditTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup();

    void lineBreaksAndForeignCharactersBecomeCodes_data();
    void lineBreaksAndForeignCharactersBecomeCodes();
    void loneCrAndLfStayOneVisibleCode();
    void caretNeverStandsInsideALineBreak();

    void keysEditALargeTextWithOneChangeEach_data();
    void keysEditALargeTextWithOneChangeEach();
    void redoKeysAreThePlatformsAsInQtsEditor_data();
    void redoKeysAreThePlatformsAsInQtsEditor();
    void inputMethodCommitsAreTyped();
    void inputMethodNeverSplitsALineBreak();
    void caretKeysMoveAndSelect_data();
    void caretKeysMoveAndSelect();
    void mouseSelectsByClickDragAndDoubleClick();

    void clipboardAndHistoryRoundTrip();
    void typedCharactersUndoTogether();
    void largePasteIsSlicedAndInputWaits();
    void dropInsertsAtTheDropPosition();

    void pageKeysAndWheelScroll();
    void wrapsAtTheFieldsWidth();
    void caretMovesRepaintOnlyItsOldAndNewPlace();
    void digitsAreDrawnAtEveryLength_data();
    void digitsAreDrawnAtEveryLength();

    void contextMenuEntriesFollowTheState_data();
    void contextMenuEntriesFollowTheState();
    void contextMenuReadsAsQPlainTextEdits();
    void factoryGivesTheFieldItsFace();
    void eventAdapterSeesKeysFirstAndEveryChange();
    void accessibleTextReadsAndEdits();
    void plainTextPropertyAndPasteSlot();

private:
    // A field holding `codes`, shown with focus, the caret at `caret`.
    BinaryTextEdit *field(const std::string &codes, qsizetype caret = -1);
    void click(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    [[nodiscard]] QPoint pointOf(qsizetype offset) const;
    [[nodiscard]] qsizetype codesPerLine() const;
    [[nodiscard]] std::string selectedCodes() const
    {
        const std::string codes = m_field->codeText();
        return codes.substr(std::size_t(m_field->selectionStart()),
                            std::size_t(m_field->selectionEnd() - m_field->selectionStart()));
    }

    std::unique_ptr<QWidget> m_window;
    BinaryTextEdit *m_field = nullptr;
};

void BinaryTextEditTest::init()
{
    m_window = std::make_unique<QWidget>();
    m_window->resize(400, 200);
    elements::FieldDesign design;
    design.font = elements::designFont(QStringLiteral("Calibri"), 12);
    design.tooltip = QStringLiteral(" VALOR BINARIO ");
    m_field = elements::binaryTextEdit(m_window.get(), QStringLiteral("txtBin"),
                                       QRect(120, 120, 4455, 1215), design);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QVERIFY(testing::giveFocus(m_field));
    QGuiApplication::clipboard()->clear();
}

void BinaryTextEditTest::cleanup()
{
    m_window.reset();
}

BinaryTextEdit *BinaryTextEditTest::field(const std::string &codes, qsizetype caret)
{
    m_field->setCodeText(codes);
    m_field->setCursorPosition(caret < 0 ? qsizetype(codes.size()) : caret);
    return m_field;
}

void BinaryTextEditTest::click(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(m_field, key, modifiers);
}

QPoint BinaryTextEditTest::pointOf(qsizetype offset) const
{
    const QRect rect = m_field->characterRect(offset);
    return {rect.left() + 1, rect.center().y()};
}

qsizetype BinaryTextEditTest::codesPerLine() const
{
    const CodeLineLayout::Line first = m_field->model().layout().line(0);
    return first.end - first.start;
}

// --- codes ----------------------------------------------------------------------

void BinaryTextEditTest::lineBreaksAndForeignCharactersBecomeCodes_data()
{
    QTest::addColumn<QString>("pasted");
    QTest::addColumn<QByteArray>("codes");
    QTest::newRow("CR LF") << QStringLiteral("1\r\n0") << QByteArray("1\r\n0");
    QTest::newRow("lone CR") << QStringLiteral("1\r0") << QByteArray("1\r\n0");
    QTest::newRow("lone LF") << QStringLiteral("1\n0") << QByteArray("1\r\n0");
    QTest::newRow("line separator") << QStringLiteral("1\u20280") << QByteArray("1\r\n0");
    QTest::newRow("paragraph separator") << QStringLiteral("1\u20290") << QByteArray("1\r\n0");
    QTest::newRow("CR CR LF LF") << QStringLiteral("\r\r\n\n") << QByteArray("\r\n\r\n\r\n");
    QTest::newRow("euro sign") << QStringLiteral("\u20AC") << QByteArray("\x80");
    QTest::newRow("undefined code 129") << QStringLiteral("\u0081") << QByteArray("\x81");
    QTest::newRow("outside the set") << QStringLiteral("\u4E2D") << QByteArray("?");
    QTest::newRow("emoji is one character") << QStringLiteral("\U0001F600") << QByteArray("?");
}

void BinaryTextEditTest::lineBreaksAndForeignCharactersBecomeCodes()
{
    QFETCH(QString, pasted);
    QFETCH(QByteArray, codes);
    const std::string large = digits(kLarge);
    field(large, kLarge / 2);
    QGuiApplication::clipboard()->setText(pasted);
    click(Qt::Key_V, Qt::ControlModifier);
    std::string expected = large;
    expected.insert(std::size_t(kLarge / 2), codes.toStdString());
    QVERIFY(m_field->codeText() == expected);
    QCOMPARE(m_field->cursorPosition(), kLarge / 2 + codes.size());

    m_field->setPlainText(pasted); // a program write converts alike
    QCOMPARE(QByteArray::fromStdString(m_field->codeText()), codes);
}

void BinaryTextEditTest::loneCrAndLfStayOneVisibleCode()
{
    field("0\r1\n0", 0);
    QCOMPARE(m_field->codeText(), std::string("0\r1\n0"));
    QCOMPARE(m_field->toPlainText(), QStringLiteral("0\r1\n0")); // the pictures are only drawn
    QCOMPARE(m_field->model().layout().lineCount(), 1);
    for (qsizetype expected = 1; expected <= 5; ++expected) {
        click(Qt::Key_Right);
        QCOMPARE(m_field->cursorPosition(), expected);
    }
    click(Qt::Key_Backspace);
    click(Qt::Key_Backspace);
    QCOMPARE(m_field->codeText(), std::string("0\r1"));
}

void BinaryTextEditTest::caretNeverStandsInsideALineBreak()
{
    field("01\r\n10", 2);
    click(Qt::Key_Right);
    QCOMPARE(m_field->cursorPosition(), 4);
    click(Qt::Key_Left);
    QCOMPARE(m_field->cursorPosition(), 2);
    m_field->setCursorPosition(3);
    QCOMPARE(m_field->cursorPosition(), 2);
    click(Qt::Key_Delete);
    QCOMPARE(m_field->codeText(), std::string("0110"));
    field("01\r\n10", 4);
    click(Qt::Key_Backspace);
    QCOMPARE(m_field->codeText(), std::string("0110"));
    QCOMPARE(m_field->toPlainText(), QStringLiteral("0110"));
    click(Qt::Key_Return);
    QCOMPARE(m_field->codeText(), std::string("01\r\n10"));
    QCOMPARE(m_field->toPlainText(), QStringLiteral("01\n10"));
    field("0\r1\n0", 3); // taking out the 1 joins a lone CR and a lone LF
    click(Qt::Key_Backspace);
    QCOMPARE(m_field->codeText(), std::string("0\r\n0"));
    QCOMPARE(m_field->cursorPosition(), 1);
}

// --- editing ----------------------------------------------------------------

void BinaryTextEditTest::keysEditALargeTextWithOneChangeEach_data()
{
    QTest::addColumn<qsizetype>("caret");
    QTest::addColumn<int>("key"); // a digit's character, or a Qt::Key
    QTest::addColumn<qsizetype>("removedAt");
    QTest::addColumn<QByteArray>("inserted");
    QTest::newRow("typing at the end") << kLarge << int('1') << qsizetype(-1) << QByteArray("1");
    QTest::newRow("typing in the middle")
        << kLarge / 2 << int('0') << qsizetype(-1) << QByteArray("0");
    QTest::newRow("Backspace at the end")
        << kLarge << int(Qt::Key_Backspace) << kLarge - 1 << QByteArray();
    QTest::newRow("Backspace in the middle")
        << kLarge / 2 << int(Qt::Key_Backspace) << kLarge / 2 - 1 << QByteArray();
    QTest::newRow("Delete in the middle")
        << kLarge / 2 << int(Qt::Key_Delete) << kLarge / 2 << QByteArray();
}

void BinaryTextEditTest::keysEditALargeTextWithOneChangeEach()
{
    QFETCH(qsizetype, caret);
    QFETCH(int, key);
    QFETCH(qsizetype, removedAt);
    QFETCH(QByteArray, inserted);
    std::string expected = digits(kLarge);
    field(expected, caret);
    const qsizetype linesBefore = m_field->model().layout().lineCount();
    QSignalSpy changes(m_field, &BinaryTextEdit::textChanged);
    if (key < 0x100) {
        QTest::keyClick(m_field, char(key));
    } else {
        click(Qt::Key(key));
    }
    if (removedAt >= 0) {
        expected.erase(std::size_t(removedAt), 1);
    } else {
        expected.insert(std::size_t(caret), inserted.toStdString());
    }
    QVERIFY(m_field->codeText() == expected);
    QCOMPARE(changes.size(), 1);
    QCOMPARE(m_field->cursorPosition(), removedAt >= 0 ? removedAt : caret + 1);
    const qsizetype perLine = codesPerLine();
    QCOMPARE(m_field->model().layout().lineCount(),
             (qsizetype(expected.size()) + perLine - 1) / perLine);
    QVERIFY(qAbs(m_field->model().layout().lineCount() - linesBefore) <= 1);
}

void BinaryTextEditTest::inputMethodCommitsAreTyped()
{
    const std::string large = digits(kLarge);
    field(large, 4);
    QInputMethodEvent composed;
    composed.setCommitString(QStringLiteral("\u00E9\u20AC"));
    QApplication::sendEvent(m_field, &composed);
    std::string expected = large;
    expected.insert(4, "\xE9\x80");
    QVERIFY(m_field->codeText() == expected);
    QCOMPARE(m_field->cursorPosition(), 6);
    QInputMethodEvent replacing;
    replacing.setCommitString(QStringLiteral("1"), -2, 2); // the two before the caret
    QApplication::sendEvent(m_field, &replacing);
    QVERIFY(m_field->codeText() == large.substr(0, 4) + "1" + large.substr(4));
}

// A replacement reaching back over a line start takes the whole line break.
void BinaryTextEditTest::inputMethodNeverSplitsALineBreak()
{
    field("01\r\n10", 4);
    QInputMethodEvent replacing;
    replacing.setCommitString(QString(), -1, 1);
    QApplication::sendEvent(m_field, &replacing);
    QCOMPARE(QByteArray::fromStdString(m_field->codeText()), QByteArray("0110"));
}

void BinaryTextEditTest::caretKeysMoveAndSelect_data()
{
    // Positions in lines and columns of a large text, the line length L.
    QTest::addColumn<qsizetype>("startLine");
    QTest::addColumn<qsizetype>("startColumn");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<qsizetype>("line");
    QTest::addColumn<qsizetype>("column"); // -1: the line's last code
    QTest::addColumn<bool>("selects");
    const int none = Qt::NoModifier;
    const int shift = Qt::ShiftModifier;
    const int ctrl = Qt::ControlModifier;
    QTest::newRow("Right") << 5LL << 3LL << int(Qt::Key_Right) << none << 5LL << 4LL << false;
    QTest::newRow("Left") << 5LL << 3LL << int(Qt::Key_Left) << none << 5LL << 2LL << false;
    QTest::newRow("Down keeps the column")
        << 5LL << 3LL << int(Qt::Key_Down) << none << 6LL << 3LL << false;
    QTest::newRow("Up") << 5LL << 3LL << int(Qt::Key_Up) << none << 4LL << 3LL << false;
    QTest::newRow("Home") << 5LL << 3LL << int(Qt::Key_Home) << none << 5LL << 0LL << false;
    // As in Qt's editors, a wrapped line ends where the next begins.
    QTest::newRow("End goes to the wrap")
        << 5LL << 3LL << int(Qt::Key_End) << none << 6LL << 0LL << false;
    QTest::newRow("Up on the first line stays")
        << 0LL << 3LL << int(Qt::Key_Up) << none << 0LL << 3LL << false;
    QTest::newRow("Shift+Right selects")
        << 5LL << 3LL << int(Qt::Key_Right) << shift << 5LL << 4LL << true;
    QTest::newRow("Shift+Down selects a line")
        << 5LL << 3LL << int(Qt::Key_Down) << shift << 6LL << 3LL << true;
    QTest::newRow("Ctrl+Home") << 5LL << 3LL << int(Qt::Key_Home) << ctrl << 0LL << 0LL << false;
    QTest::newRow("Shift+Ctrl+Home selects to the start")
        << 5LL << 3LL << int(Qt::Key_Home) << (ctrl | shift) << 0LL << 0LL << true;
}

void BinaryTextEditTest::caretKeysMoveAndSelect()
{
    QFETCH(qsizetype, startLine);
    QFETCH(qsizetype, startColumn);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(qsizetype, line);
    QFETCH(qsizetype, column);
    QFETCH(bool, selects);
    field(digits(kLarge));
    const qsizetype perLine = codesPerLine();
    const qsizetype start = startLine * perLine + startColumn;
    m_field->setCursorPosition(start);
    click(Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    const qsizetype expected = line * perLine + (column < 0 ? perLine - 1 : column);
    QCOMPARE(m_field->cursorPosition(), expected);
    QCOMPARE(m_field->hasSelection(), selects);
    if (selects) {
        QCOMPARE(selectedCodes(), digits(kLarge).substr(std::size_t(std::min(start, expected)),
                                                        std::size_t(qAbs(expected - start))));
    }
    // The caret stays in view.
    QVERIFY(m_field->viewport()->rect().contains(m_field->characterRect(expected).center()));
}

void BinaryTextEditTest::mouseSelectsByClickDragAndDoubleClick()
{
    std::string text = digits(kLarge);
    text[20] = ' ';
    text[30] = ' ';
    field(text, 0);
    QWidget *viewport = m_field->viewport();
    QTest::mouseClick(viewport, Qt::LeftButton, {}, pointOf(7));
    QCOMPARE(m_field->cursorPosition(), 7);
    QTest::mouseClick(viewport, Qt::LeftButton, Qt::ShiftModifier, pointOf(12));
    QCOMPARE(selectedCodes(), text.substr(7, 5));

    QTest::mousePress(viewport, Qt::LeftButton, {}, pointOf(2));
    QTest::mouseMove(viewport, pointOf(15));
    QTest::mouseRelease(viewport, Qt::LeftButton, {}, pointOf(15));
    QCOMPARE(m_field->selectionStart(), 2);
    QCOMPARE(m_field->selectionEnd(), 15);

    QTest::mouseDClick(viewport, Qt::LeftButton, {}, pointOf(25));
    QCOMPARE(m_field->selectionStart(), 21);
    QCOMPARE(m_field->selectionEnd(), 30);
}

void BinaryTextEditTest::redoKeysAreThePlatformsAsInQtsEditor_data()
{
    QTest::addColumn<QKeyCombination>("key");
    QTest::newRow("Ctrl+Y") << QKeyCombination(Qt::ControlModifier, Qt::Key_Y);
    QTest::newRow("Ctrl+Shift+Z") << (Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_Z);
    QTest::newRow("Alt+Shift+Backspace")
        << (Qt::AltModifier | Qt::ShiftModifier | Qt::Key_Backspace);
}

// A key redoes in the field exactly where it redoes in QPlainTextEdit: by
// the platform's key bindings.
void BinaryTextEditTest::redoKeysAreThePlatformsAsInQtsEditor()
{
    QFETCH(QKeyCombination, key);
    field("", 0);
    QPlainTextEdit qtField;
    qtField.show();
    for (QWidget *edit : {static_cast<QWidget *>(m_field), static_cast<QWidget *>(&qtField)}) {
        QTest::keyClick(edit, Qt::Key_1);
        QTest::keyClick(edit, Qt::Key_Z, Qt::ControlModifier);
        QTest::keyClick(edit, key.key(), key.keyboardModifiers());
    }
    QCOMPARE(QString::fromStdString(m_field->codeText()), qtField.toPlainText());
}

void BinaryTextEditTest::clipboardAndHistoryRoundTrip()
{
    const std::string large = digits(kLarge);
    field(large + "\r\n1");
    QSignalSpy changes(m_field, &BinaryTextEdit::textChanged);
    m_field->setSelection(kLarge - 2, kLarge + 3);
    m_field->copy();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("10\n1"));
    click(Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(m_field->codeText(), large.substr(0, std::size_t(kLarge - 2)));
    QCOMPARE(changes.size(), 1);
    m_field->setCursorPosition(0);
    click(Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(m_field->codeText().substr(0, 5), std::string("10\r\n1"));
    QCOMPARE(changes.size(), 2);

    click(Qt::Key_Z, Qt::ControlModifier);
    click(Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(m_field->codeText() == large + "\r\n1");
    QVERIFY(!m_field->isUndoAvailable());
    QCOMPARE(changes.size(), 4);
    // Redo by the platform's keys, as in Qt's editors; Ctrl+Y and
    // Ctrl+Shift+Z only where the platform binds them.
    const QKeySequence redo = QKeySequence::keyBindings(QKeySequence::Redo).constFirst();
    QTest::keySequence(m_field, redo);
    QTest::keySequence(m_field, redo);
    QCOMPARE(m_field->codeText().substr(0, 5), std::string("10\r\n1"));
    QCOMPARE(qsizetype(m_field->codeText().size()), kLarge + 3);
    QVERIFY(!m_field->isRedoAvailable());

    m_field->setCodeText("1"); // a program write forgets the history
    QVERIFY(!m_field->isUndoAvailable());
}

void BinaryTextEditTest::typedCharactersUndoTogether()
{
    const std::string large = digits(kLarge);
    field(large, 10);
    testing::typeText(m_field, QStringLiteral("101"));
    click(Qt::Key_Backspace);
    click(Qt::Key_Backspace);
    click(Qt::Key_Z, Qt::ControlModifier); // both Backspaces
    QCOMPARE(m_field->codeText().substr(10, 3), std::string("101"));
    click(Qt::Key_Z, Qt::ControlModifier); // all three digits
    QVERIFY(m_field->codeText() == large);

    // A paste that replaces everything keeps the old text for undo.
    QGuiApplication::clipboard()->setText(QStringLiteral("11"));
    m_field->selectAll();
    m_field->paste();
    QCOMPARE(m_field->codeText(), std::string("11"));
    m_field->undo();
    QVERIFY(m_field->codeText() == large);
}

void BinaryTextEditTest::largePasteIsSlicedAndInputWaits()
{
    field("01", 1);
    // Line breaks of every form and characters of two UTF-16 units, in runs
    // whose pieces are three units long: the slices' ends fall on every
    // place in them.
    const QString pasted = QStringLiteral("1\r\n").repeated(700'000) +
                           QStringLiteral("0\U0001F600").repeated(700'000) +
                           QStringLiteral("\r\u2029\n").repeated(300'000);
    std::string expected = "0";
    for (int i = 0; i < 700'000; ++i) {
        expected += "1\r\n";
    }
    for (int i = 0; i < 700'000; ++i) {
        expected += "0?";
    }
    for (int i = 0; i < 300'000; ++i) {
        expected += "\r\n\r\n\r\n";
    }
    expected += "1";
    QGuiApplication::clipboard()->setText(pasted);
    QSignalSpy changes(m_field, &BinaryTextEdit::textChanged);
    QSignalSpy finished(m_field, &BinaryTextEdit::pasteFinished);
    m_field->paste(); // returns at once: the event loop converts it
    QVERIFY(m_field->isPasting());
    QTest::keyClick(m_field, '0'); // waits for the paste
    // So does an edit that a screen reader asks for, after the key.
    QAccessible::queryAccessibleInterface(m_field)->editableTextInterface()->insertText(
        0, QStringLiteral("1"));
    QVERIFY(m_field->codeText() == "01");
    QVERIFY(finished.wait(kPasteWait));
    QCOMPARE(changes.size(), 1);
    QCOMPARE(m_field->codeText().size(), expected.size());
    QVERIFY(m_field->codeText() == expected);
    QCOMPARE(m_field->cursorPosition(), qsizetype(expected.size()) - 1);
    // Then the key typed meanwhile, where the paste left the caret, and the
    // screen reader's edit.
    testing::handOnHeldInput();
    QCOMPARE(changes.size(), 3);
    expected.insert(expected.size() - 1, "0");
    expected.insert(0, "1");
    QVERIFY(m_field->codeText() == expected);

    // A copy from a field of the program, in its own format, takes the same way.
    QGuiApplication::clipboard()->setMimeData(codeclipboard::mimeDataOf(expected));
    m_field->selectAll();
    m_field->paste();
    QVERIFY(m_field->isPasting());
    QVERIFY(finished.wait(kPasteWait));
    QVERIFY(m_field->codeText() == expected);
}

void BinaryTextEditTest::dropInsertsAtTheDropPosition()
{
    const std::string large = digits(kLarge);
    field(large, 0);
    QMimeData data;
    data.setText(QStringLiteral("1\n1"));
    QSignalSpy changes(m_field, &BinaryTextEdit::textChanged);
    const QPointF at = pointOf(9) - QPoint(1, 0);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_field->viewport(), &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_field->viewport(), &drop);
    QVERIFY(drop.isAccepted());
    std::string expected = large;
    expected.insert(9, "1\r\n1");
    QVERIFY(m_field->codeText() == expected);
    QCOMPARE(changes.size(), 1);
}

// --- view -------------------------------------------------------------------

void BinaryTextEditTest::pageKeysAndWheelScroll()
{
    field(digits(kLarge), 0);
    QScrollBar *bar = m_field->verticalScrollBar();
    QCOMPARE(m_field->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(bar->maximum(), m_field->model().layout().lineCount() - bar->pageStep());
    QCOMPARE(bar->value(), 0);
    click(Qt::Key_PageDown);
    QCOMPARE(bar->value(), bar->pageStep());
    // The caret comes back at least as far into the view as it was: below
    // the first line, which sits a little higher than under the top margin.
    QCOMPARE(m_field->model().layout().lineOf(m_field->cursorPosition()), bar->pageStep() + 1);
    click(Qt::Key_PageUp);
    QCOMPARE(bar->value(), 0);
    QWheelEvent wheel(QPointF(10, 10), m_field->viewport()->mapToGlobal(QPointF(10, 10)), {},
                      QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(m_field->viewport(), &wheel);
    QCOMPARE(bar->value(), QApplication::wheelScrollLines());
    click(Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(bar->value(), bar->maximum());
}

void BinaryTextEditTest::wrapsAtTheFieldsWidth()
{
    field(digits(kLarge));
    QFont font = m_field->font();
    const qreal advance = QFontMetricsF(font).horizontalAdvance(QLatin1Char('0'));
    for (const int width : {297, 150, 600}) {
        m_field->resize(width, m_field->height());
        const int textWidth = m_field->viewport()->width() - 8; // margins of 4
        const auto perLine = qsizetype(textWidth / advance);
        QCOMPARE(m_field->model().layout().lineCount(), (kLarge + perLine - 1) / perLine);
    }
    // Other characters wrap by their own widths, anywhere.
    field(std::string(std::size_t(kLarge), 'W'));
    const qreal wide = QFontMetricsF(font).horizontalAdvance(QLatin1Char('W'));
    const auto perLine = qsizetype((m_field->viewport()->width() - 8) / wide);
    QCOMPARE(m_field->model().layout().lineCount(), (kLarge + perLine - 1) / perLine);
}

void BinaryTextEditTest::caretMovesRepaintOnlyItsOldAndNewPlace()
{
    field(digits(kLarge), 5);
    PaintRecorder recorder(m_field->viewport());
    QTRY_VERIFY(!recorder.painted.isEmpty()); // the new text, drawn whole
    recorder.painted = QRegion();
    const QRect from = m_field->characterRect(5);
    const QRect to = m_field->characterRect(6);
    click(Qt::Key_Right);
    QTRY_VERIFY(recorder.painted.contains(QPoint(to.left(), to.center().y())));
    QVERIFY(recorder.painted.contains(QPoint(from.left(), from.center().y())));
    int area = 0;
    for (const QRect &rect : recorder.painted) {
        area += rect.width() * rect.height();
    }
    QVERIFY2(area <= 2 * 5 * m_field->characterRect(0).height(), qPrintable(QString::number(area)));
}

void BinaryTextEditTest::digitsAreDrawnAtEveryLength_data()
{
    QTest::addColumn<qsizetype>("length");
    QTest::newRow("100") << qsizetype(100);
    QTest::newRow("50,000,001") << qsizetype(50'000'001);
}

void BinaryTextEditTest::digitsAreDrawnAtEveryLength()
{
    QFETCH(qsizetype, length);
    field(std::string(std::size_t(length), '1'), length / 2);
    palette::setBackground(m_field, QColor(255, 255, 255));
    const QImage image = m_field->viewport()->grab().toImage();
    const QRgb background = testing::background(m_field).rgb();
    int inked = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            inked += image.pixel(x, y) != background;
        }
    }
    // Several lines of digits cover a good share of the field.
    QVERIFY2(inked > image.width() * image.height() / 20, qPrintable(QString::number(inked)));
}

// --- what the program and screen readers see ----------------------------------

void BinaryTextEditTest::contextMenuEntriesFollowTheState_data()
{
    QTest::addColumn<bool>("selection");
    QTest::addColumn<bool>("edited");
    QTest::addColumn<bool>("clipboard");
    QTest::addColumn<QStringList>("enabled");
    QTest::addColumn<QStringList>("disabled");
    QTest::newRow("fresh text") << false << false << false << QStringList{"select-all"}
                                << QStringList{"edit-undo", "edit-redo",  "edit-cut",
                                               "edit-copy", "edit-paste", "edit-delete"};
    QTest::newRow("selection, edited, clipboard")
        << true << true << true << QStringList{"edit-undo",  "edit-cut",    "edit-copy",
                                               "edit-paste", "edit-delete", "select-all"}
        << QStringList{"edit-redo"};
}

void BinaryTextEditTest::contextMenuEntriesFollowTheState()
{
    QFETCH(bool, selection);
    QFETCH(bool, edited);
    QFETCH(bool, clipboard);
    QFETCH(QStringList, enabled);
    QFETCH(QStringList, disabled);
    field(digits(kLarge));
    if (edited) {
        QTest::keyClick(m_field, '1');
    }
    if (selection) {
        m_field->setSelection(0, 10);
    }
    if (clipboard) {
        QGuiApplication::clipboard()->setText(QStringLiteral("1"));
    }
    std::unique_ptr<QMenu> menu(m_field->createStandardContextMenu(nullptr));
    QStringList names;
    for (const QAction *action : menu->actions()) {
        if (action->isSeparator()) {
            continue;
        }
        names << action->objectName();
        QCOMPARE(action->isEnabled(), enabled.contains(action->objectName()));
    }
    for (const QString &name : enabled + disabled) {
        QVERIFY2(names.contains(name), qPrintable(name));
    }
    QCOMPARE(names.size(), enabled.size() + disabled.size());
}

void BinaryTextEditTest::contextMenuReadsAsQPlainTextEdits()
{
    QTranslator spanish;
    if (!spanish.load(QStringLiteral("qtbase_es"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QSKIP("Qt's Spanish translation is not installed");
    }
    QCoreApplication::installTranslator(&spanish);
    QPlainTextEdit reference(QStringLiteral("0110"), m_window.get());
    QTextCursor cursor = reference.textCursor();
    cursor.setPosition(1);
    cursor.setPosition(3, QTextCursor::KeepAnchor);
    reference.setTextCursor(cursor);
    field("0110");
    m_field->setSelection(1, 3);
    std::unique_ptr<QMenu> theirs(reference.createStandardContextMenu());
    std::unique_ptr<QMenu> ours(m_field->createStandardContextMenu(nullptr));
    QCoreApplication::removeTranslator(&spanish);
    const auto entries = [](const QMenu &menu) {
        QStringList texts;
        for (const QAction *action : menu.actions()) {
            texts << action->text() + (action->isEnabled() ? QString() : QStringLiteral(" (off)"));
        }
        return texts;
    };
    QCOMPARE(entries(*ours), entries(*theirs));
    QVERIFY(entries(*ours).first().startsWith(QStringLiteral("&Deshacer")));
}

void BinaryTextEditTest::factoryGivesTheFieldItsFace()
{
    QCOMPARE(m_field->objectName(), QStringLiteral("txtBin"));
    QCOMPARE(m_field->geometry(), QRect(8, 8, 297, 81));
    QCOMPARE(m_field->toolTip(), QStringLiteral(" VALOR BINARIO "));
    QCOMPARE(m_field->accessibleName(), QStringLiteral("VALOR BINARIO"));
    QCOMPARE(m_field->font().family(), QStringLiteral("Calibri"));
    QCOMPARE(m_field->font().pointSizeF(), 12.0);
    QCOMPARE(m_field->frameShape(), QFrame::NoFrame);

    palette::setBackground(m_field, QColor(255, 128, 128));
    QCOMPARE(m_field->palette().color(QPalette::Base), QColor(255, 128, 128));
    QCOMPARE(testing::background(m_field), QColor(255, 128, 128));
    field(digits(kLarge), 0);
    const QImage image = m_field->viewport()->grab().toImage();
    QCOMPARE(image.pixelColor(image.width() - 1, image.height() - 1), QColor(255, 128, 128));

    // Tab leaves the field; it never types.
    auto *next = new QLineEdit(m_window.get());
    next->show();
    QTest::keyClick(m_field, Qt::Key_Tab);
    QVERIFY(m_field->codeText() == digits(kLarge));
    QVERIFY(next->hasFocus());
}

void BinaryTextEditTest::eventAdapterSeesKeysFirstAndEveryChange()
{
    int changes = 0;
    QList<int> codes;
    fields::connect(m_field, {{},
                              [&changes] { ++changes; },
                              [&codes](int &keyAscii) {
                                  codes << keyAscii;
                                  if (keyAscii == 13) {
                                      keyAscii = 0; // swallowed
                                  }
                              }});
    field(digits(kLarge));
    QCOMPARE(changes, 1); // the program write
    QTest::keyClick(m_field, '1');
    click(Qt::Key_Return);
    click(Qt::Key_Backspace);
    QCOMPARE(codes, (QList<int>{'1', 13, 8}));
    QVERIFY(m_field->codeText() == digits(kLarge));
    QCOMPARE(changes, 3);
}

void BinaryTextEditTest::accessibleTextReadsAndEdits()
{
    const std::string large = digits(kLarge);
    field("10\r\n" + large, 0);
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(m_field);
    QVERIFY(accessible);
    QCOMPARE(accessible->role(), QAccessible::EditableText);
    QCOMPARE(accessible->text(QAccessible::Name), QStringLiteral("VALOR BINARIO"));
    QAccessibleTextInterface *text = accessible->textInterface();
    QVERIFY(text);
    QCOMPARE(text->characterCount(), int(kLarge) + 3);
    QCOMPARE(text->text(0, 5), QStringLiteral("10\n01"));
    m_field->setCursorPosition(4 + 7);
    QCOMPARE(text->cursorPosition(), 3 + 7);
    text->setSelection(0, 1, 4);
    QCOMPARE(selectedCodes(), std::string("0\r\n0"));
    int start = 0;
    int end = 0;
    text->selection(0, &start, &end);
    QCOMPARE(start, 1);
    QCOMPARE(end, 4);
    const CodeLineLayout::Line second = m_field->model().layout().line(1);
    const QString secondLine = plain(large.substr(0, std::size_t(second.end - second.start)));
    const struct
    {
        QAccessible::TextBoundaryType boundary;
        int offset;
        QString before, at, after;
    } pieces[] = {
        {QAccessible::CharBoundary, 2, "0", "\n", "0"},
        {QAccessible::WordBoundary, 1, "", "10", "\n"},
        {QAccessible::LineBoundary, 1, "", "10", secondLine},
        // A paragraph is read no further than 4,096 characters on.
        {QAccessible::ParagraphBoundary, 1, "", "10", plain(large.substr(0, 4096))},
    };
    for (const auto &piece : pieces) {
        QCOMPARE(text->textBeforeOffset(piece.offset, piece.boundary, &start, &end), piece.before);
        QCOMPARE(text->textAtOffset(piece.offset, piece.boundary, &start, &end), piece.at);
        QCOMPARE(text->textAfterOffset(piece.offset, piece.boundary, &start, &end), piece.after);
    }
    QCOMPARE(text->textAtOffset(4, QAccessible::ParagraphBoundary, &start, &end).size(),
             4 + 4096 - 3);
    QCOMPARE(start, 3);
    const QRect rect = text->characterRect(4);
    QCOMPARE(text->offsetAtPoint(rect.center() - QPoint(rect.width() / 4, 0)), 4);

    QAccessibleEditableTextInterface *editable = accessible->editableTextInterface();
    QVERIFY(editable);
    editable->insertText(3, QStringLiteral("1\n"));
    QCOMPARE(m_field->codeText().substr(0, 9), std::string("10\r\n1\r\n01"));
    editable->deleteText(0, 3);
    QCOMPARE(m_field->codeText().substr(0, 5), std::string("1\r\n01"));
}

void BinaryTextEditTest::plainTextPropertyAndPasteSlot()
{
    const QMetaProperty user = m_field->metaObject()->userProperty();
    QCOMPARE(user.name(), "plainText");
    QSignalSpy changes(m_field, &BinaryTextEdit::textChanged);
    const QString large = plain(digits(kLarge));
    QVERIFY(user.write(m_field, large + QStringLiteral("\r\n1")));
    QCOMPARE(changes.size(), 1);
    QCOMPARE(user.read(m_field).toString(), large + QStringLiteral("\n1"));
    QCOMPARE(m_field->cursorPosition(), 0); // as QPlainTextEdit puts it
    m_field->moveCursorToEnd();
    QGuiApplication::clipboard()->setText(QStringLiteral("0"));
    QVERIFY(QMetaObject::invokeMethod(m_field, "paste"));
    QCOMPARE(user.read(m_field).toString(), large + QStringLiteral("\n10"));
    QCOMPARE(changes.size(), 2);
}

QTEST_MAIN(BinaryTextEditTest)
#include "binary_text_edit_test.moc"
