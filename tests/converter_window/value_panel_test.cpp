// SPDX-License-Identifier: GPL-3.0-or-later
#include "application.h"
#include "code_clipboard.h"
#include "code_text.h"
#include "field_codes.h"
#include "fresh_windows.h"
#include "frmAscii.h"
#include "house_colours.h"
#include "palette_use.h"
#include "screen_colours.h"
#include "typing.h"

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMimeData>
#include <QTest>

using namespace vantrel;
using testing::element;
using namespace colours;

namespace {

// What txtC shows for a code: its character, or the picture of a control code.
QString character(int code)
{
    return QString(fieldcodes::displayCharacter(static_cast<unsigned char>(code)));
}
} // namespace

// What the three fields show: texts and colours.
struct PanelView
{
    QString txtC, txtA, txtB;
    QColor colourC, colourA, colourB;
};
Q_DECLARE_METATYPE(PanelView)

class ValuePanelTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup() { testing::destroyAllWindows(); }

    void typingConvertsAsTheModeSays_data();
    void typingConvertsAsTheModeSays();
    void binaryFieldIsInvalidUntilItsEighthDigit();
    void focusColoursTheActiveFieldByItsCheck_data();
    void focusColoursTheActiveFieldByItsCheck();
    void everyCodeTypedIntoTheCharacterField();
    void characterFieldShowsControlCodesByTheirPictures_data();
    void characterFieldShowsControlCodesByTheirPictures();
    void keysThatTypeNothingConvertNothing();
    void pastingIsCutToTheFieldLimit_data();
    void pastingIsCutToTheFieldLimit();

private:
    QLineEdit *field(const char *name) const { return element<QLineEdit>(m_window, name); }
    PanelView view() const;
    void setManual(bool manual) const { testing::setManualMode(m_window, manual); }

    frmAscii *m_window = nullptr;
};

void ValuePanelTest::init()
{
    m_window = &app::converterWindow();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    QTRY_VERIFY(field("txtC")->hasFocus());
}

PanelView ValuePanelTest::view() const
{
    return {field("txtC")->text(),
            field("txtA")->text(),
            field("txtB")->text(),
            testing::background(field("txtC")),
            testing::background(field("txtA")),
            testing::background(field("txtB"))};
}

void ValuePanelTest::typingConvertsAsTheModeSays_data()
{
    QTest::addColumn<bool>("manual");
    QTest::addColumn<QString>("fieldName");
    QTest::addColumn<QString>("startText"); // typed over the field's text before the keys
    QTest::addColumn<QTestEventList>("keys");
    QTest::addColumn<PanelView>("expected");

    const auto keys = [](const QString &text, std::initializer_list<Qt::Key> after = {}) {
        QTestEventList events;
        events.addKeyClicks(text);
        for (const Qt::Key key : after) {
            events.addKeyClick(key);
        }
        return events;
    };
    const QString start = QStringLiteral("\x01"); // keep the text, caret at its end

    QTest::newRow("manual, Enter converts the stored code")
        << true << "txtC" << start << keys({}, {Qt::Key_Return})
        << PanelView{"A", "65", "01000001", kActive, kIdle, kIdle};
    QTest::newRow("automatic, a letter") << false << "txtC" << start << keys("a")
                                         << PanelView{"a", "97", "01100001", kActive, kIdle, kIdle};
    QTest::newRow("automatic, Backspace is code 8")
        << false << "txtC" << start << keys("a", {Qt::Key_Backspace})
        << PanelView{character(8), "8", "00001000", kActive, kIdle, kIdle};
    QTest::newRow("automatic, Enter is code 13")
        << false << "txtC" << start << keys({}, {Qt::Key_Return})
        << PanelView{character(13), "13", "00001101", kActive, kIdle, kIdle};
    QTest::newRow("manual, typing only shows the character")
        << true << "txtC" << start << keys("z")
        << PanelView{"z", "65", "01000001", kActive, kIdle, kIdle};
    QTest::newRow("manual, z then Enter")
        << true << "txtC" << start << keys("z", {Qt::Key_Return})
        << PanelView{"z", "122", "01111010", kActive, kIdle, kIdle};
    QTest::newRow("automatic, decimal 3")
        << false << "txtA"
        << "" << keys("3") << PanelView{character(3), "3", "00000011", kIdle, kActive, kIdle};
    QTest::newRow("automatic, decimal 30")
        << false << "txtA"
        << "" << keys("30") << PanelView{character(30), "30", "00011110", kIdle, kActive, kIdle};
    QTest::newRow("automatic, 300 keeps the results of 30")
        << false << "txtA"
        << "" << keys("300") << PanelView{character(30), "300", "00011110", kIdle, kInvalid, kIdle};
    QTest::newRow("automatic, emptied decimal recovers to 0")
        << false << "txtA"
        << "65" << keys({}, {Qt::Key_Backspace, Qt::Key_Backspace})
        << PanelView{"", "0", "00000000", kIdle, kActive, kIdle};
    QTest::newRow("automatic, 1a recovers through a nested run")
        << false << "txtA"
        << "1" << keys("a") << PanelView{"", "0", "00000000", kIdle, kActive, kIdle};
    QTest::newRow("manual, 1a and Enter recovers without nesting")
        << true << "txtA"
        << "1a" << keys({}, {Qt::Key_Return})
        << PanelView{"", "0", "00000001", kIdle, kActive, kIdle};
    QTest::newRow("manual, typing converts nothing")
        << true << "txtA"
        << "" << keys("97") << PanelView{"A", "97", "01000001", kIdle, kActive, kIdle};
    QTest::newRow("manual, 97 and Enter")
        << true << "txtA"
        << "" << keys("97", {Qt::Key_Return})
        << PanelView{"a", "97", "01100001", kIdle, kActive, kIdle};
    QTest::newRow("automatic, Enter in the decimal field starts nothing")
        << false << "txtA"
        << "" << keys("97", {Qt::Key_Return})
        << PanelView{"a", "97", "01100001", kIdle, kActive, kIdle};
    QTest::newRow("automatic, code 255")
        << false << "txtA"
        << "" << keys("255") << PanelView{"ÿ", "255", "11111111", kIdle, kActive, kIdle};
    QTest::newRow("automatic, code 128 is the euro sign")
        << false << "txtA"
        << "" << keys("128") << PanelView{"€", "128", "10000000", kIdle, kActive, kIdle};
    QTest::newRow("automatic, binary 01000001")
        << false << "txtB"
        << "" << keys("01000001") << PanelView{"A", "65", "01000001", kIdle, kIdle, kActive};
    QTest::newRow("automatic, binary with a 2 is invalid")
        << false << "txtB"
        << "" << keys("01000002") << PanelView{"A", "65", "01000002", kIdle, kIdle, kInvalid};
    QTest::newRow("manual, 0100000a and Enter is invalid, no text changes")
        << true << "txtB"
        << "0100000a" << keys({}, {Qt::Key_Return})
        << PanelView{"A", "65", "0100000a", kIdle, kIdle, kInvalid};
    QTest::newRow("manual, short binary and Enter is invalid")
        << true << "txtB"
        << "0100" << keys({}, {Qt::Key_Return})
        << PanelView{"A", "65", "0100", kIdle, kIdle, kInvalid};
    QTest::newRow("manual, binary 11111111 and Enter")
        << true << "txtB"
        << "11111111" << keys({}, {Qt::Key_Return})
        << PanelView{"ÿ", "255", "11111111", kIdle, kIdle, kActive};
}

void ValuePanelTest::typingConvertsAsTheModeSays()
{
    QFETCH(bool, manual);
    QFETCH(QString, fieldName);
    QFETCH(QString, startText);
    QFETCH(QTestEventList, keys);
    QFETCH(PanelView, expected);

    setManual(manual);
    QLineEdit *target = field(qPrintable(fieldName));
    QVERIFY(testing::clickField(target));
    if (startText == QStringLiteral("\x01")) {
        QTest::keyClick(target, Qt::Key_End);
    } else { // the keys type over the selection when there is no start text
        QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
        testing::typeText(target, startText);
    }
    keys.simulate(target);

    const PanelView actual = view();
    QCOMPARE(actual.txtC, expected.txtC);
    QCOMPARE(actual.txtA, expected.txtA);
    QCOMPARE(actual.txtB, expected.txtB);
    QCOMPARE(actual.colourC, expected.colourC);
    QCOMPARE(actual.colourA, expected.colourA);
    QCOMPARE(actual.colourB, expected.colourB);
    if (fieldName == "txtC") {
        QCOMPARE(target->cursorPosition(), target->text().size());
    }
}

void ValuePanelTest::binaryFieldIsInvalidUntilItsEighthDigit()
{
    setManual(false);
    QLineEdit *txtB = field("txtB");
    QVERIFY(testing::replaceText(txtB, QString()));
    for (const QChar digit : QStringLiteral("0100000")) {
        QTest::keyClick(txtB, digit.toLatin1());
        QCOMPARE(testing::background(txtB), kInvalid);
        QCOMPARE(field("txtA")->text(), QStringLiteral("65")); // nothing converted
    }
    QTest::keyClick(txtB, '1');
    QCOMPARE(testing::background(txtB), kActive);
    QCOMPARE(field("txtA")->text(), QStringLiteral("65"));
    QCOMPARE(field("txtC")->text(), QStringLiteral("A"));
    // A ninth digit does not fit: the field keeps eight.
    QTest::keyClick(txtB, '1');
    QCOMPARE(txtB->text(), QStringLiteral("01000001"));
}

void ValuePanelTest::focusColoursTheActiveFieldByItsCheck_data()
{
    QTest::addColumn<QString>("decimal");
    QTest::addColumn<QString>("binary");
    QTest::addColumn<QString>("focusFirst");
    QTest::addColumn<QString>("focusThen");
    QTest::addColumn<PanelView>("expected");
    QTest::newRow("invalid decimal gets the focus")
        << "300"
        << "01000001"
        << "txtC"
        << "txtA" << PanelView{"A", "300", "01000001", kIdle, kInvalid, kIdle};
    QTest::newRow("from an invalid decimal to a complete binary")
        << "300"
        << "0100000a"
        << "txtA"
        << "txtB" << PanelView{"A", "300", "0100000a", kIdle, kIdle, kActive};
    QTest::newRow("from an invalid decimal to a short binary")
        << "300"
        << "0100"
        << "txtA"
        << "txtB" << PanelView{"A", "300", "0100", kIdle, kIdle, kInvalid};
    QTest::newRow("from a short binary to the character")
        << "65"
        << "0100"
        << "txtB"
        << "txtC" << PanelView{"A", "65", "0100", kActive, kIdle, kIdle};
    QTest::newRow("fraction in range")
        << "2.5"
        << "0100"
        << "txtB"
        << "txtA" << PanelView{"A", "2.5", "0100", kIdle, kActive, kIdle};
}

void ValuePanelTest::focusColoursTheActiveFieldByItsCheck()
{
    QFETCH(QString, decimal);
    QFETCH(QString, binary);
    QFETCH(QString, focusFirst);
    QFETCH(QString, focusThen);
    QFETCH(PanelView, expected);
    // Typed with manual mode on, the texts stay unconverted.
    QVERIFY(testing::replaceText(field("txtA"), decimal));
    QVERIFY(testing::replaceText(field("txtB"), binary));
    setManual(false);
    QVERIFY(testing::giveFocus(field(qPrintable(focusFirst))));
    QVERIFY(testing::giveFocus(field(qPrintable(focusThen))));
    const PanelView actual = view();
    QCOMPARE(actual.txtA, expected.txtA); // focus writes no text
    QCOMPARE(actual.txtB, expected.txtB);
    QCOMPARE(actual.txtC, expected.txtC);
    QCOMPARE(actual.colourC, expected.colourC);
    QCOMPARE(actual.colourA, expected.colourA);
    QCOMPARE(actual.colourB, expected.colourB);
}

void ValuePanelTest::everyCodeTypedIntoTheCharacterField()
{
    setManual(false);
    QLineEdit *txtC = field("txtC");
    // The Unicode character of each code in the program's character set.
    const QString codePage =
        QString::fromUtf8("€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F\u0090‘’“”•–—˜™š›œ\u009DžŸ");
    for (int code = 0; code < 256; ++code) {
        const QChar unicode = code >= 128 && code < 160 ? codePage.at(code - 128) : QChar(code);
        testing::typeText(txtC, QString(unicode));
        QCOMPARE(txtC->text(), character(code));
        QCOMPARE(field("txtA")->text(), QString::number(code));
        QCOMPARE(field("txtB")->text(), QString::number(code, 2).rightJustified(8, '0'));
    }
    // Outside the set: code 63, shown as the question mark it stands for.
    for (const QString &foreign : {QStringLiteral("中"), QString::fromUtf8("😀")}) {
        testing::typeText(txtC, foreign);
        QCOMPARE(txtC->text(), QStringLiteral("?"));
        QCOMPARE(field("txtA")->text(), QStringLiteral("63"));
    }
}

void ValuePanelTest::characterFieldShowsControlCodesByTheirPictures_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<QString>("shown");
    QTest::newRow("1") << 1 << QStringLiteral("\u2401");
    QTest::newRow("2") << 2 << QStringLiteral("\u2402");
    QTest::newRow("tab") << 9 << QStringLiteral("\u2409");
    QTest::newRow("line feed") << 10 << QStringLiteral("\u240A");
    QTest::newRow("carriage return") << 13 << QStringLiteral("\u240D");
    QTest::newRow("31") << 31 << QStringLiteral("\u241F");
    QTest::newRow("space") << 32 << QStringLiteral(" ");
    QTest::newRow("A") << 65 << QStringLiteral("A");
    QTest::newRow("DEL") << 127 << QStringLiteral("\u2421");
    QTest::newRow("euro") << 128 << QStringLiteral("€");
    QTest::newRow("HOP") << 129 << QStringLiteral("ⓗ");
    QTest::newRow("RI") << 141 << QStringLiteral("ⓡ");
    QTest::newRow("SS3") << 143 << QStringLiteral("ⓢ");
    QTest::newRow("DCS") << 144 << QStringLiteral("ⓓ");
    QTest::newRow("OSC") << 157 << QStringLiteral("ⓞ");
    QTest::newRow("no-break space") << 160 << QStringLiteral("\u00A0");
}

void ValuePanelTest::characterFieldShowsControlCodesByTheirPictures()
{
    QFETCH(int, code);
    QFETCH(QString, shown);
    setManual(false);
    QLineEdit *txtA = field("txtA");
    QVERIFY(testing::giveFocus(txtA));
    QTest::keyClick(txtA, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(txtA, QString::number(code));
    QLineEdit *txtC = field("txtC");
    QCOMPARE(txtC->text(), shown);

    // A copy of it is the code again, not its picture.
    for (const QKeySequence::StandardKey copy : {QKeySequence::Copy, QKeySequence::Cut}) {
        QGuiApplication::clipboard()->clear();
        QVERIFY(testing::giveFocus(txtC));
        QTest::keyClick(txtC, Qt::Key_A, Qt::ControlModifier);
        const QKeyCombination keys = QKeySequence(copy)[0];
        QTest::keyClick(txtC, keys.key(), keys.keyboardModifiers());
        const QMimeData *copied = QGuiApplication::clipboard()->mimeData();
        QVERIFY(copied);
        QCOMPARE(codeclipboard::codesOf(*copied), std::string(1, static_cast<char>(code)));
        QCOMPARE(txtC->text(), copy == QKeySequence::Cut ? QString() : shown);
    }

    // Typed again into the emptied field, its code converts as ever.
    testing::typeText(txtC, fromCodeText(std::string(1, static_cast<char>(code))));
    QCOMPARE(txtC->text(), shown);
    QCOMPARE(txtA->text(), QString::number(code));
}

void ValuePanelTest::keysThatTypeNothingConvertNothing()
{
    setManual(false);
    QLineEdit *txtC = field("txtC");
    QTest::keyClick(txtC, Qt::Key_Home);
    QTest::keyClick(txtC, Qt::Key_Delete);
    QCOMPARE(txtC->text(), QString());
    QTest::keyClick(txtC, Qt::Key_Left);
    QCOMPARE(field("txtA")->text(), QStringLiteral("65"));
    // With manual mode on, Enter converts the stored code, not the emptied field...
    setManual(true);
    QVERIFY(testing::replaceText(field("txtA"), QString())); // converts nothing
    QCOMPARE(field("txtA")->text(), QString());
    QVERIFY(testing::clickField(txtC));
    QTest::keyClick(txtC, Qt::Key_Return);
    QCOMPARE(field("txtA")->text(), QStringLiteral("65"));
    QCOMPARE(txtC->text(), QString());
    // ...and with it off, Enter types code 13.
    setManual(false);
    QTest::keyClick(txtC, Qt::Key_Return);
    QCOMPARE(field("txtA")->text(), QStringLiteral("13"));
}

void ValuePanelTest::pastingIsCutToTheFieldLimit_data()
{
    QTest::addColumn<QString>("fieldName");
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<PanelView>("expected");
    QTest::newRow("decimal") << "txtA"
                             << "1234567890"
                             << PanelView{"{", "123", "01111011", kIdle, kActive, kIdle};
    QTest::newRow("binary") << "txtB"
                            << "0100001011111"
                            << PanelView{"B", "66", "01000010", kIdle, kIdle, kActive};
    QTest::newRow("huge decimal") << "txtA" << QString(200'000, '7')
                                  << PanelView{"A", "777", "01000001", kIdle, kInvalid, kIdle};
    QTest::newRow("line breaks") << "txtB"
                                 << "0\n1\r\n000001"
                                 << PanelView{"A", "65", "0\n1\r\n000", kIdle, kIdle, kInvalid};
}

void ValuePanelTest::pastingIsCutToTheFieldLimit()
{
    QFETCH(QString, fieldName);
    QFETCH(QString, clipboard);
    QFETCH(PanelView, expected);
    setManual(false);
    QLineEdit *target = field(qPrintable(fieldName));
    QVERIFY(testing::giveFocus(target));
    QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
    QApplication::clipboard()->setText(clipboard);
    QTest::keyClick(target, Qt::Key_V, Qt::ControlModifier);
    const PanelView actual = view();
    QCOMPARE(actual.txtA, expected.txtA);
    QCOMPARE(actual.txtB, expected.txtB);
    QCOMPARE(actual.txtC, expected.txtC);
    QCOMPARE(target->text().size(), target->maxLength() < 8 ? qsizetype(3) : qsizetype(8));
    QCOMPARE(testing::background(target),
             fieldName == "txtA" ? expected.colourA : expected.colourB);
}

QTEST_MAIN(ValuePanelTest)
#include "value_panel_test.moc"
