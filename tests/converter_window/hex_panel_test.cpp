// SPDX-License-Identifier: GPL-3.0-or-later
#include "application.h"
#include "binary_text_edit.h"
#include "field_text.h"
#include "fresh_windows.h"
#include "frmAscii.h"
#include "house_colours.h"
#include "manual_clock.h"
#include "palette_use.h"
#include "screen_colours.h"
#include "text_area.h"
#include "typing.h"

#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QTest>

using namespace vantrel;
using testing::element;
using namespace colours;

class HexPanelTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup() { testing::destroyAllWindows(); }

    void eachKeystrokeConverts_data();
    void eachKeystrokeConverts();
    void clearingOneFieldClearsTheOther();
    void focusMovesConvertNothingAndRecolour();
    void invalidMarksOutliveGoodTextsFromTheOtherSide();
    void beforeAnyFocusOnlyTheBinaryFieldConverts();
    void enterInAnEmptyHexFieldKeepsTheBinaryText_data();
    void enterInAnEmptyHexFieldKeepsTheBinaryText();
    void millionDigitPasteConvertsAndEditsStayChecked();
    void hexadecimalFieldShowsAtMost500Digits_data();
    void hexadecimalFieldShowsAtMost500Digits();

private:
    // Clicks the tab "HEXA" and lets the panel slide into view.
    void showPanel();
    TextArea *txtHexa() const { return element<TextArea>(m_window, "txtHexa"); }
    BinaryTextEdit *txtBin() const { return element<BinaryTextEdit>(m_window, "txtBin"); }

    frmAscii *m_window = nullptr;
};

void HexPanelTest::init()
{
    m_window = &app::converterWindow();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
}

void HexPanelTest::showPanel()
{
    testing::ManualClock clock;
    QTest::mouseClick(element<QWidget>(m_window, "cmdBoton1"), Qt::LeftButton);
    QVERIFY(clock.advanceUntilStill());
}

void HexPanelTest::eachKeystrokeConverts_data()
{
    QTest::addColumn<QString>("fieldName");
    QTest::addColumn<QTestEventList>("keys");
    QTest::addColumn<QStringList>("otherAfterEachKey");
    QTest::addColumn<QColor>("colour");

    const auto keys = [](const QString &text, std::initializer_list<Qt::Key> after = {}) {
        QTestEventList events;
        for (const QChar c : text) {
            events.addKeyClick(c.toLatin1());
        }
        for (const Qt::Key key : after) {
            events.addKeyClick(key);
        }
        return events;
    };
    QTest::newRow("binary 1, 0, 1, 0")
        << "txtBin" << keys("1010") << QStringList{"1", "2", "5", "A"} << kActive;
    QTest::newRow("binary with a 2 keeps the last result")
        << "txtBin" << keys("12") << QStringList{"1", "1"} << kInvalid;
    QTest::newRow("deleting the 2 converts again")
        << "txtBin" << keys("12", {Qt::Key_Backspace}) << QStringList{"1", "1", "1"} << kActive;
    QTest::newRow("Enter in the binary field is invalid")
        << "txtBin" << keys("1", {Qt::Key_Return}) << QStringList{"1", "1"} << kInvalid;
    QTest::newRow("lone G is rejected") << "txtHexa" << keys("G") << QStringList{""} << kInvalid;
    QTest::newRow("1G is accepted")
        << "txtHexa" << keys("1G") << QStringList{"1", "10000"} << kActive;
    QTest::newRow("lower case") << "txtHexa" << keys("1f") << QStringList{"1", "11111"} << kActive;
    QTest::newRow("Enter after an accepted text appends eight zeros")
        << "txtHexa" << keys("A", {Qt::Key_Return}) << QStringList{"1010", "101000000000"}
        << kActive;
}

void HexPanelTest::eachKeystrokeConverts()
{
    QFETCH(QString, fieldName);
    QFETCH(QTestEventList, keys);
    QFETCH(QStringList, otherAfterEachKey);
    QFETCH(QColor, colour);
    showPanel();
    auto *source = element<QWidget>(m_window, fieldName);
    QWidget *other = source == txtBin() ? static_cast<QWidget *>(txtHexa()) : txtBin();
    QVERIFY(testing::clickField(source));
    QStringList seen;
    for (QTestEvent *event : keys) {
        QTestEventList one;
        one.append(event->clone());
        one.simulate(source);
        seen << testing::fieldText(other);
    }
    QCOMPARE(seen, otherAfterEachKey);
    QCOMPARE(testing::background(source), colour);
    QCOMPARE(testing::background(other), kIdle);
}

void HexPanelTest::clearingOneFieldClearsTheOther()
{
    showPanel();
    QVERIFY(testing::clickField(txtBin()));
    testing::typeText(txtBin(), QStringLiteral("11111111"));
    QCOMPARE(testing::fieldText(txtHexa()), QStringLiteral("FF"));
    QTest::keyClick(txtBin(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(txtBin(), Qt::Key_Delete);
    QCOMPARE(testing::fieldText(txtHexa()), QString());

    QVERIFY(testing::clickField(txtHexa()));
    testing::typeText(txtHexa(), QStringLiteral("7"));
    QCOMPARE(testing::fieldText(txtBin()), QStringLiteral("111"));
    QTest::keyClick(txtHexa(), Qt::Key_Backspace);
    QCOMPARE(testing::fieldText(txtBin()), QString());
    QCOMPARE(testing::background(txtHexa()), kActive);
}

void HexPanelTest::focusMovesConvertNothingAndRecolour()
{
    showPanel();
    QVERIFY(testing::clickField(txtHexa()));
    testing::typeText(txtHexa(), QStringLiteral("xyz"));
    QCOMPARE(testing::background(txtHexa()), kInvalid);
    QCOMPARE(testing::fieldText(txtBin()), QString());

    QVERIFY(testing::clickField(txtBin()));
    QCOMPARE(testing::background(txtHexa()), kIdle);
    QCOMPARE(testing::background(txtBin()), kActive);
    QCOMPARE(testing::fieldText(txtHexa()), QStringLiteral("xyz"));

    QVERIFY(testing::clickField(txtHexa()));
    QCOMPARE(testing::background(txtHexa()), kInvalid);
    QCOMPARE(testing::background(txtBin()), kIdle);
}

void HexPanelTest::invalidMarksOutliveGoodTextsFromTheOtherSide()
{
    showPanel();
    QVERIFY(testing::clickField(txtHexa()));
    testing::typeText(txtHexa(), QStringLiteral("G"));
    QVERIFY(testing::clickField(txtBin()));
    testing::typeText(txtBin(), QStringLiteral("101"));
    QCOMPARE(testing::fieldText(txtHexa()), QStringLiteral("5"));
    QVERIFY(testing::clickField(txtHexa()));
    QCOMPARE(testing::background(txtHexa()), kInvalid);
    QTest::keyClick(txtHexa(), Qt::Key_End, Qt::ControlModifier);
    testing::typeText(txtHexa(), QStringLiteral("1"));
    QCOMPARE(testing::background(txtHexa()), kActive);
    QCOMPARE(testing::fieldText(txtBin()), QStringLiteral("1010001"));
}

// Program writes: a user's typing would first give the field the focus.
void HexPanelTest::beforeAnyFocusOnlyTheBinaryFieldConverts()
{
    txtHexa()->setText(QStringLiteral("F"));
    QCOMPARE(testing::fieldText(txtBin()), QString());
    testing::setFieldText(txtBin(), QStringLiteral("1010"));
    QCOMPARE(testing::fieldText(txtHexa()), QStringLiteral("A"));
}

void HexPanelTest::hexadecimalFieldShowsAtMost500Digits_data()
{
    QTest::addColumn<QString>("binary");
    QTest::addColumn<QString>("hex");
    QTest::newRow("4,001 digits") << QString(4'001, '1') << "1" + QString(499, 'F');
    QTest::newRow("leading zeros go after the cut")
        << QString(8, '0') + QString(3'000, '1') << QString(498, 'F');
    QTest::newRow("a million digits") << QString(1'000'000, '1') << QString(500, 'F');
}

void HexPanelTest::hexadecimalFieldShowsAtMost500Digits()
{
    QFETCH(QString, binary);
    QFETCH(QString, hex);
    showPanel();
    QVERIFY(testing::clickField(txtBin()));
    QApplication::clipboard()->setText(binary);
    QTest::keyClick(txtBin(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(testing::fieldText(txtBin()).size(), binary.size());
    QCOMPARE(testing::fieldText(txtHexa()), hex);

    // Typing into the full field is refused.
    QVERIFY(testing::clickField(txtHexa()));
    QTest::keyClick(txtHexa(), Qt::Key_A, Qt::ControlModifier);
    testing::typeText(txtHexa(), QString(500, 'F'));
    testing::typeText(txtHexa(), QStringLiteral("1"));
    QCOMPARE(testing::fieldText(txtHexa()), QString(500, 'F'));
    QCOMPARE(testing::fieldText(txtBin()), QString(2'000, '1'));
}

void HexPanelTest::enterInAnEmptyHexFieldKeepsTheBinaryText_data()
{
    QTest::addColumn<QString>("binary");
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<Qt::KeyboardModifiers>("modifiers");
    QTest::addColumn<QString>("binaryAfter");
    QTest::addColumn<QColor>("hexColour");
    const struct
    {
        const char *name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
    } enters[] = {{"Enter", Qt::Key_Return, {}},
                  {"Shift+Enter", Qt::Key_Return, Qt::ShiftModifier},
                  {"keypad Enter", Qt::Key_Enter, Qt::KeypadModifier}};
    for (const auto &enter : enters) {
        // A line break alone is rejected: the binary text stays.
        QTest::addRow("invalid binary, %s", enter.name)
            << "0100 0001" << enter.key << enter.modifiers << "0100 0001" << kInvalid;
        QTest::addRow("empty binary, %s", enter.name)
            << "" << enter.key << enter.modifiers << "" << kInvalid;
        // After an accepted text, the line break adds a group of zeros.
        QTest::addRow("valid binary, %s at the end", enter.name)
            << "01000001" << enter.key << enter.modifiers << "100000100000000" << kActive;
    }
}

// Qt signals a change before the line break is in an empty document; that
// is no change, and must not convert the empty text.
void HexPanelTest::enterInAnEmptyHexFieldKeepsTheBinaryText()
{
    QFETCH(QString, binary);
    QFETCH(Qt::Key, key);
    QFETCH(Qt::KeyboardModifiers, modifiers);
    QFETCH(QString, binaryAfter);
    QFETCH(QColor, hexColour);
    showPanel();
    QVERIFY(testing::clickField(txtBin()));
    QApplication::clipboard()->setText(binary);
    QTest::keyClick(txtBin(), Qt::Key_V, Qt::ControlModifier);
    QVERIFY(testing::clickField(txtHexa()));
    QTest::keyClick(txtHexa(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(txtHexa(), key, modifiers);
    QCOMPARE(testing::fieldText(txtBin()), binaryAfter);
    QCOMPARE(testing::background(txtHexa()), hexColour);
}

void HexPanelTest::millionDigitPasteConvertsAndEditsStayChecked()
{
    showPanel();
    QVERIFY(testing::clickField(txtBin()));
    QApplication::clipboard()->setText(QString(1'000'000, u'1'));
    QSignalSpy pasted(txtBin(), &BinaryTextEdit::pasteFinished);
    QTest::keyClick(txtBin(), Qt::Key_V, Qt::ControlModifier);
    QTRY_COMPARE(pasted.size(), 1);
    QCOMPARE(txtBin()->codeText().size(), std::size_t{1'000'000});
    QCOMPARE(testing::fieldText(txtHexa()), QString(500, u'F'));
    QCOMPARE(testing::background(txtBin()), kActive);

    // A wrong character anywhere marks the whole field; taking it back clears it.
    txtBin()->setCursorPosition(500'000);
    testing::typeText(txtBin(), QStringLiteral("x"));
    QCOMPARE(testing::background(txtBin()), kInvalid);
    QCOMPARE(testing::fieldText(txtHexa()), QString(500, u'F'));
    QTest::keyClick(txtBin(), Qt::Key_Backspace);
    QCOMPARE(testing::background(txtBin()), kActive);

    // A zero more at the start makes a leading group of its own: the first
    // 500 hexadecimal digits are "0" and 499 "F", the zero then dropped.
    QTest::keyClick(txtBin(), Qt::Key_Home, Qt::ControlModifier);
    testing::typeText(txtBin(), QStringLiteral("0"));
    QCOMPARE(testing::fieldText(txtHexa()), QString(499, u'F'));
}

QTEST_MAIN(HexPanelTest)
#include "hex_panel_test.moc"
