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

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QSignalSpy>
#include <QTest>

using namespace vantrel;
using testing::element;
using namespace colours;

namespace {
const QString kMarker = QStringLiteral("!(Código no válido)");
} // namespace

class MessagePanelTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup() { testing::destroyAllWindows(); }

    void typingConvertsAsTheModeSays_data();
    void typingConvertsAsTheModeSays();
    void focusClearsOnlyAMarkerLeftByADecoding_data();
    void focusClearsOnlyAMarkerLeftByADecoding();
    void aTypedMarkerIsNeverErased();
    void invalidFlagOutlivesAGoodEncoding();
    void bitModeButtonsConvertAtOnceOnEachSide();
    void messageFieldHoldsAtMost500Characters();
    void pastedLineBreaksInvalidateTheBinaryMessage();
    void millionDigitBinaryMessageFillsTheMessageField();

private:
    TextArea *txtMensaje() const { return element<TextArea>(m_window, "txtMensaje"); }
    BinaryTextEdit *txtBinario() const { return element<BinaryTextEdit>(m_window, "txtBinario"); }
    QAbstractButton *option(int bits) const
    {
        return element<QAbstractButton>(m_window, bits == 7 ? "Option1" : "Option2");
    }
    void chooseBitMode(int bits);
    // Sets manual mode, then slides the message panel into view: switched
    // off there, manual mode would warn.
    void showPanel(bool manual);

    frmAscii *m_window = nullptr;
};

void MessagePanelTest::init()
{
    m_window = &app::converterWindow();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
}

void MessagePanelTest::showPanel(bool manual)
{
    testing::setManualMode(m_window, manual);
    testing::ManualClock clock;
    QTest::mouseClick(element<QWidget>(m_window, "cmd1"), Qt::LeftButton);
    QVERIFY(clock.advanceUntilStill());
    QVERIFY(option(7)->isEnabled());
}

void MessagePanelTest::chooseBitMode(int bits)
{
    QTest::mouseClick(option(bits), Qt::LeftButton);
    QVERIFY(option(bits)->isChecked());
    QVERIFY(!option(bits == 7 ? 8 : 7)->isChecked());
}

void MessagePanelTest::typingConvertsAsTheModeSays_data()
{
    QTest::addColumn<bool>("manual");
    QTest::addColumn<int>("bits");
    QTest::addColumn<QString>("fieldName");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("enter");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("binary");
    QTest::addColumn<QColor>("binaryColour");

    QTest::newRow("automatic, 8 bits") << false << 8 << "txtMensaje"
                                       << "Hola" << false << "Hola"
                                       << "01001000011011110110110001100001" << kIdle;
    QTest::newRow("automatic, 7 bits") << false << 7 << "txtMensaje"
                                       << "Hola" << false << "Hola"
                                       << "1001000110111111011001100001" << kIdle;
    QTest::newRow("automatic, 7 bits drops the top digit") << false << 7 << "txtMensaje"
                                                           << "é" << false << "é"
                                                           << "1101001" << kIdle;
    QTest::newRow("manual, typing converts nothing") << true << 8 << "txtMensaje"
                                                     << "A" << false << "A"
                                                     << "" << kIdle;
    QTest::newRow("manual, Enter encodes without a line break") << true << 8 << "txtMensaje"
                                                                << "A" << true << "A"
                                                                << "01000001" << kIdle;
    QTest::newRow("automatic, Enter adds CR LF") << false << 8 << "txtMensaje"
                                                 << "a" << true << "a\r\n"
                                                 << "011000010000110100001010" << kIdle;
    QTest::newRow("automatic, outside the set is code 63")
        << false << 8 << "txtMensaje" << QString::fromUtf8("中😀") << false
        << QString::fromUtf8("中😀") << "0011111100111111" << kIdle;
    QTest::newRow("automatic, decoding") << false << 8 << "txtBinario"
                                         << "0100000101000010" << false << "AB"
                                         << "0100000101000010" << kActive;
    QTest::newRow("automatic, 8-bit groups read in 7 bits") << false << 7 << "txtBinario"
                                                            << "0100000101000010" << false
                                                            << "\x02"
                                                               "B"
                                                            << "0100000101000010" << kActive;
    QTest::newRow("automatic, zero group ends the message")
        << false << 8 << "txtBinario"
        << "010000010000000001000010" << false << "A"
        << "010000010000000001000010" << kActive;
    QTest::newRow("automatic, a space is invalid")
        << false << 8 << "txtBinario"
        << "0100 0001" << false << kMarker << "0100 0001" << kInvalid;
    QTest::newRow("manual, typing decodes nothing") << true << 8 << "txtBinario"
                                                    << "01000001" << false << ""
                                                    << "01000001" << kActive;
    QTest::newRow("manual, Enter decodes, no line break") << true << 8 << "txtBinario"
                                                          << "01000001" << true << "A"
                                                          << "01000001" << kActive;
    QTest::newRow("automatic, Enter adds no line break") << false << 8 << "txtBinario"
                                                         << "01000001" << true << "A"
                                                         << "01000001" << kActive;
}

void MessagePanelTest::typingConvertsAsTheModeSays()
{
    QFETCH(bool, manual);
    QFETCH(int, bits);
    QFETCH(QString, fieldName);
    QFETCH(QString, typed);
    QFETCH(bool, enter);
    QFETCH(QString, message);
    QFETCH(QString, binary);
    QFETCH(QColor, binaryColour);

    showPanel(manual);
    chooseBitMode(bits);
    auto *target = element<QWidget>(m_window, fieldName);
    QVERIFY(testing::giveFocus(target));
    testing::typeText(target, typed);
    if (enter) {
        QTest::keyClick(target, Qt::Key_Return);
    }
    QCOMPARE(txtMensaje()->text(), message);
    QCOMPARE(testing::fieldText(txtBinario()), binary);
    QCOMPARE(testing::background(txtBinario()), binaryColour);
    QCOMPARE(testing::background(txtMensaje()), fieldName == "txtMensaje" ? kActive : kIdle);
    if (fieldName == "txtMensaje" && !binary.isEmpty()) {
        QVERIFY(testing::caretAtEnd(txtBinario()));
    }
}

void MessagePanelTest::focusClearsOnlyAMarkerLeftByADecoding_data()
{
    QTest::addColumn<bool>("manual");
    QTest::addColumn<QString>("binaryAfter");
    QTest::newRow("automatic: the emptied message encodes") << false << "";
    QTest::newRow("manual: the binary field keeps its text") << true << "01x";
}

void MessagePanelTest::focusClearsOnlyAMarkerLeftByADecoding()
{
    QFETCH(bool, manual);
    QFETCH(QString, binaryAfter);
    showPanel(manual);
    QVERIFY(testing::giveFocus(txtBinario()));
    testing::typeText(txtBinario(), QStringLiteral("01x"));
    if (manual) {
        QTest::keyClick(txtBinario(), Qt::Key_Return);
    }
    QCOMPARE(txtMensaje()->text(), kMarker);
    QCOMPARE(testing::background(txtBinario()), kInvalid);

    QVERIFY(testing::giveFocus(txtMensaje()));
    QCOMPARE(txtMensaje()->text(), QString());
    QCOMPARE(testing::fieldText(txtBinario()), binaryAfter);
}

void MessagePanelTest::aTypedMarkerIsNeverErased()
{
    showPanel(false);
    QVERIFY(testing::giveFocus(txtBinario()));
    testing::typeText(txtBinario(), QStringLiteral("2"));
    QCOMPARE(txtMensaje()->text(), kMarker);

    // The user edits the marker, then types it back: it is their message now.
    QVERIFY(testing::giveFocus(txtMensaje()));
    testing::typeText(txtMensaje(), kMarker);
    QVERIFY(testing::giveFocus(txtBinario()));
    QVERIFY(testing::giveFocus(txtMensaje()));
    QCOMPARE(txtMensaje()->text(), kMarker);

    QTest::keyClick(txtMensaje(), Qt::Key_A, Qt::ControlModifier);
    QApplication::clipboard()->setText(kMarker);
    QTest::keyClick(txtMensaje(), Qt::Key_V, Qt::ControlModifier);
    QVERIFY(testing::giveFocus(txtBinario()));
    QVERIFY(testing::giveFocus(txtMensaje()));
    QCOMPARE(txtMensaje()->text(), kMarker);
}

void MessagePanelTest::invalidFlagOutlivesAGoodEncoding()
{
    showPanel(false);
    QVERIFY(testing::giveFocus(txtBinario()));
    testing::typeText(txtBinario(), QStringLiteral("1 "));
    QCOMPARE(testing::background(txtBinario()), kInvalid);

    QVERIFY(testing::giveFocus(txtMensaje()));
    testing::typeText(txtMensaje(), QStringLiteral("ok"));
    QCOMPARE(testing::fieldText(txtBinario()), QStringLiteral("0110111101101011"));
    QVERIFY(testing::giveFocus(txtBinario()));
    QCOMPARE(testing::background(txtBinario()), kInvalid); // until the next decoding
    testing::typeText(txtBinario(), QStringLiteral("1"));
    QCOMPARE(testing::background(txtBinario()), kActive);
    QVERIFY(testing::giveFocus(txtMensaje()));
    QVERIFY(testing::giveFocus(txtBinario()));
    QCOMPARE(testing::background(txtBinario()), kActive); // the valid decoding cleared the mark
}

void MessagePanelTest::bitModeButtonsConvertAtOnceOnEachSide()
{
    showPanel(true);
    QVERIFY(testing::giveFocus(txtMensaje()));
    testing::typeText(txtMensaje(), QStringLiteral("A"));
    QCOMPARE(testing::fieldText(txtBinario()), QString());
    chooseBitMode(7); // converts although typing does not
    QCOMPARE(testing::fieldText(txtBinario()), QStringLiteral("1000001"));
    chooseBitMode(8);
    QCOMPARE(testing::fieldText(txtBinario()), QStringLiteral("01000001"));

    QVERIFY(testing::replaceText(txtBinario(), QStringLiteral("11000001")));
    chooseBitMode(7); // decodes again and repaints, the focus on the button
    QCOMPARE(txtMensaje()->text(), QStringLiteral("A"));
    QCOMPARE(testing::background(txtBinario()), kActive);
    QVERIFY(testing::replaceText(txtBinario(), QStringLiteral("1100000x")));
    chooseBitMode(8);
    QCOMPARE(txtMensaje()->text(), kMarker);
    QCOMPARE(testing::background(txtBinario()), kInvalid);
}

void MessagePanelTest::messageFieldHoldsAtMost500Characters()
{
    showPanel(false);
    // A 32,766-digit binary message decodes to 4,095 characters; 500 show.
    QVERIFY(testing::giveFocus(txtBinario()));
    QApplication::clipboard()->setText(QString(32'766, '1'));
    QTest::keyClick(txtBinario(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(txtMensaje()->text(), QString(500, QChar(0xFF)));

    // Typing stops at 500; a line break needs room for two characters.
    QVERIFY(testing::giveFocus(txtMensaje()));
    QTest::keyClick(txtMensaje(), Qt::Key_A, Qt::ControlModifier);
    QApplication::clipboard()->setText(QString(600, 'x'));
    QTest::keyClick(txtMensaje(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(txtMensaje()->text(), QString(500, 'x'));
    QCOMPARE(testing::fieldText(txtBinario()).size(), 4000);
    testing::typeText(txtMensaje(), QStringLiteral("y"));
    QTest::keyClick(txtMensaje(), Qt::Key_Backspace);
    QTest::keyClick(txtMensaje(), Qt::Key_Return);
    QCOMPARE(txtMensaje()->text(), QString(499, 'x'));
}

void MessagePanelTest::pastedLineBreaksInvalidateTheBinaryMessage()
{
    showPanel(false);
    QVERIFY(testing::giveFocus(txtBinario()));
    QApplication::clipboard()->setText(QStringLiteral("01000001\n01000010"));
    QTest::keyClick(txtBinario(), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(testing::fieldText(txtBinario()), QStringLiteral("01000001\r\n01000010"));
    QCOMPARE(txtMensaje()->text(), kMarker);
    QCOMPARE(testing::background(txtBinario()), kInvalid);
}

void MessagePanelTest::millionDigitBinaryMessageFillsTheMessageField()
{
    showPanel(false);
    chooseBitMode(8);
    QVERIFY(testing::giveFocus(txtBinario()));
    QApplication::clipboard()->setText(QString(1'000'000, u'1'));
    QSignalSpy pasted(txtBinario(), &BinaryTextEdit::pasteFinished);
    QTest::keyClick(txtBinario(), Qt::Key_V, Qt::ControlModifier);
    QTRY_COMPARE(pasted.size(), 1);
    // 125,000 codes of 255, as many as the message field holds.
    QCOMPARE(testing::fieldText(txtMensaje()), QString(500, QChar(0xFF)));
    QCOMPARE(testing::background(txtBinario()), kActive);
    txtBinario()->setCursorPosition(123'456);
    testing::typeText(txtBinario(), QStringLiteral(" "));
    QCOMPARE(testing::fieldText(txtMensaje()), kMarker);
    QCOMPARE(testing::background(txtBinario()), kInvalid);
}

QTEST_MAIN(MessagePanelTest)
#include "message_panel_test.moc"
