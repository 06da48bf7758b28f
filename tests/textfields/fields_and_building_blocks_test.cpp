// SPDX-License-Identifier: GPL-3.0-or-later
#include "binary_text_edit.h"
#include "field_events.h"
#include "fresh_windows.h"
#include "line_field.h"
#include "palette_use.h"
#include "screen_colours.h"
#include "text_area.h"
#include "twips.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QTest>
#include <functional>

using namespace vantrel;

class FieldsAndBuildingBlocksTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { testing::destroyAllWindows(); }

    void twipsRoundToTheNearestPixel_data();
    void twipsRoundToTheNearestPixel();
    void placedWidgetsKeepTheirTwips();

    void typedCharactersArriveWithTheirCode_data();
    void typedCharactersArriveWithTheirCode();
    void keysThatTypeNothingReachOnlyTheField_data();
    void keysThatTypeNothingReachOnlyTheField();
    void aSwallowedKeyLeavesTheFieldAlone();
    void changeEventsRunInsideProgramWrites();
    void multiLineFieldsReportChangesAndFocus();
    void changeHandlerRunsOncePerRealChange_data();
    void changeHandlerRunsOncePerRealChange();

    void backgroundsGoThroughThePalette();

    void textAreaTextHasCrLfLineBreaks_data();
    void textAreaTextHasCrLfLineBreaks();
    void textAreaLimitCountsCharactersOfTheSet_data();
    void textAreaLimitCountsCharactersOfTheSet();
};

void FieldsAndBuildingBlocksTest::textAreaTextHasCrLfLineBreaks_data()
{
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("read");
    QTest::newRow("CR LF") << "a\r\nb"
                           << "a\r\nb";
    // A lone CR or LF is one code of its own, not a line break.
    QTest::newRow("lone LF") << "a\nb"
                             << "a\nb";
    QTest::newRow("lone CR") << "a\rb"
                             << "a\rb";
    QTest::newRow("lone CR before CR LF") << "a\r\r\nb"
                                          << "a\r\r\nb";
    QTest::newRow("lone LF after CR LF") << "a\r\n\nb"
                                         << "a\r\n\nb";
    QTest::newRow("trailing break") << "a\r\n"
                                    << "a\r\n";
    QTest::newRow("no-break space kept") << "a\u00A0b"
                                         << "a\u00A0b";
    QTest::newRow("empty") << ""
                           << "";
}

void FieldsAndBuildingBlocksTest::textAreaTextHasCrLfLineBreaks()
{
    QFETCH(QString, written);
    QFETCH(QString, read);
    TextArea field;
    field.setText(written);
    QCOMPARE(field.text(), read);
}

void FieldsAndBuildingBlocksTest::textAreaLimitCountsCharactersOfTheSet_data()
{
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("kept");
    QTest::newRow("fits") << "abcd"
                          << "abcd";
    QTest::newRow("cut") << "abcdef"
                         << "abcd";
    QTest::newRow("line break counts two") << "ab\r\ncd"
                                           << "ab\r\n";
    QTest::newRow("break that no longer fits") << "abc\r\nd"
                                               << "abc";
    QTest::newRow("emoji counts one") << QString::fromUtf8("😀😀😀😀😀") << QString::fromUtf8("😀😀😀😀");
}

void FieldsAndBuildingBlocksTest::textAreaLimitCountsCharactersOfTheSet()
{
    QFETCH(QString, written);
    QFETCH(QString, kept);
    TextArea field;
    field.setMaxLength(4);
    field.setText(written); // a program write
    QCOMPARE(field.text(), kept);

    field.setText(QString());
    field.show();
    QApplication::clipboard()->setText(written); // a paste
    QTest::keyClick(&field, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(field.text(), kept);

    // Typing: characters that insert themselves stop at the limit; editing
    // keys still work.
    field.setText(QStringLiteral("abcd"));
    field.moveCursor(QTextCursor::End);
    for (const QString &typed :
         {QStringLiteral("x"), QStringLiteral("\t"), QString::fromUtf8("😀")}) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, typed);
        QApplication::sendEvent(&field, &press);
    }
    QTest::keyClick(&field, Qt::Key_Return);
    QCOMPARE(field.text(), QStringLiteral("abcd"));
    QTest::keyClick(&field, Qt::Key_Backspace);
    QCOMPARE(field.text(), QStringLiteral("abc"));
}

void FieldsAndBuildingBlocksTest::twipsRoundToTheNearestPixel_data()
{
    QTest::addColumn<int>("twips");
    QTest::addColumn<int>("pixels");
    QTest::newRow("zero") << 0 << 0;
    QTest::newRow("below half") << 7 << 0;
    QTest::newRow("half up") << 8 << 1;
    QTest::newRow("one pixel") << 15 << 1;
    QTest::newRow("1.47") << 22 << 1;
    QTest::newRow("1.53") << 23 << 2;
    QTest::newRow("client width") << 7575 << 505;
    QTest::newRow("slid away") << -4080 << -272;
    QTest::newRow("negative below half") << -7 << 0;
    QTest::newRow("negative half") << -8 << -1;
    QTest::newRow("bounce step") << -2650 << -177;
}

void FieldsAndBuildingBlocksTest::twipsRoundToTheNearestPixel()
{
    QFETCH(int, twips);
    QFETCH(int, pixels);
    QCOMPARE(twips::toPixels(twips), pixels);
}

void FieldsAndBuildingBlocksTest::placedWidgetsKeepTheirTwips()
{
    QWidget parent;
    QWidget child(&parent);
    twips::place(&child, {4680, 1320, 3975, 1215});
    QCOMPARE(child.geometry(), QRect(312, 88, 265, 81));
    // Twenty moves of 7 twips go 140 twips, where rounding each move would go nowhere.
    for (int i = 0; i < 20; ++i) {
        twips::move(&child, twips::geometry(&child).topLeft() + QPoint(7, 0));
    }
    QCOMPARE(twips::geometry(&child), QRect(4820, 1320, 3975, 1215));
    QCOMPARE(child.x(), 321);
}

void FieldsAndBuildingBlocksTest::typedCharactersArriveWithTheirCode_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("code");
    QTest::newRow("letter") << "a" << int(Qt::Key_A) << 97;
    QTest::newRow("capital") << "Z" << int(Qt::Key_Z) << 90;
    QTest::newRow("space") << " " << int(Qt::Key_Space) << 32;
    QTest::newRow("enter") << "\r" << int(Qt::Key_Return) << 13;
    QTest::newRow("keypad enter") << "\r" << int(Qt::Key_Enter) << 13;
    QTest::newRow("backspace") << "\b" << int(Qt::Key_Backspace) << 8;
    QTest::newRow("escape") << "\x1b" << int(Qt::Key_Escape) << 27;
    QTest::newRow("e acute") << "é" << int(Qt::Key_Eacute) << 233;
    QTest::newRow("euro") << "€" << 0 << 128;
    QTest::newRow("undefined 1252 code") << QString(QChar(0x8D)) << 0 << 141;
    QTest::newRow("outside the set") << "中" << 0 << 63;
    QTest::newRow("emoji") << QString::fromUtf8("😀") << 0 << 63;
}

// Records what the key handler sees; swallows nothing.
struct KeyRecorder
{
    QList<int> codes;
    fields::FieldHandlers handlers()
    {
        return {.keyPress = [this](int &keyAscii) { codes.append(keyAscii); }};
    }
};

void FieldsAndBuildingBlocksTest::typedCharactersArriveWithTheirCode()
{
    QFETCH(QString, text);
    QFETCH(int, key);
    QFETCH(int, code);
    LineField field;
    KeyRecorder recorder;
    fields::connect(&field, recorder.handlers());
    field.show();
    // The event a keyboard sends; characters without a key of their own come as text only.
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
    QApplication::sendEvent(&field, &press);
    QCOMPARE(recorder.codes, QList<int>{code});
}

void FieldsAndBuildingBlocksTest::keysThatTypeNothingReachOnlyTheField_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("textAfter");
    QTest::newRow("left arrow") << int(Qt::Key_Left) << int(Qt::NoModifier) << "abc";
    QTest::newRow("delete") << int(Qt::Key_Delete) << int(Qt::NoModifier) << "ab";
    QTest::newRow("home") << int(Qt::Key_Home) << int(Qt::NoModifier) << "abc";
    QTest::newRow("tab") << int(Qt::Key_Tab) << int(Qt::NoModifier) << "abc";
    QTest::newRow("select all") << int(Qt::Key_A) << int(Qt::ControlModifier) << "abc";
    QTest::newRow("shift only") << int(Qt::Key_Shift) << int(Qt::ShiftModifier) << "abc";
}

void FieldsAndBuildingBlocksTest::keysThatTypeNothingReachOnlyTheField()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, textAfter);
    LineField field(QStringLiteral("abc"));
    KeyRecorder recorder;
    fields::connect(&field, recorder.handlers());
    field.show();
    field.setCursorPosition(2);
    QTest::keyClick(&field, static_cast<Qt::Key>(key), Qt::KeyboardModifiers(modifiers));
    QVERIFY(recorder.codes.isEmpty());
    QCOMPARE(field.text(), textAfter);
}

void FieldsAndBuildingBlocksTest::aSwallowedKeyLeavesTheFieldAlone()
{
    LineField field;
    fields::connect(&field, {.keyPress = [](int &keyAscii) {
        if (keyAscii == 'x') {
            keyAscii = 0;
        }
    }});
    field.show();
    QTest::keyClicks(&field, QStringLiteral("axbx"));
    QCOMPARE(field.text(), QStringLiteral("ab"));
}

void FieldsAndBuildingBlocksTest::changeEventsRunInsideProgramWrites()
{
    LineField first;
    LineField second;
    QStringList log;
    fields::connect(&first, {.change = [&] {
        log << "first:" + first.text();
        second.setText(first.text().toUpper());
        log << "first done";
    }});
    fields::connect(&second, {.change = [&] { log << "second:" + second.text(); }});
    first.setText(QStringLiteral("ab"));
    QCOMPARE(log, (QStringList{"first:ab", "second:AB", "first done"}));

    log.clear();
    first.setText(QStringLiteral("ab")); // the same text is no change
    QVERIFY(log.isEmpty());
}

void FieldsAndBuildingBlocksTest::multiLineFieldsReportChangesAndFocus()
{
    QWidget window;
    auto *other = new QLineEdit(&window);
    auto *field = new TextArea(&window);
    int changes = 0;
    int focusCount = 0;
    QList<int> codes;
    fields::connect(field, {.gotFocus = [&] { ++focusCount; },
                            .change = [&] { ++changes; },
                            .keyPress = [&](int &keyAscii) { codes.append(keyAscii); }});
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    other->setFocus();
    field->setFocus();
    QCOMPARE(focusCount, 1);
    QTest::keyClicks(field, QStringLiteral("hi"));
    QTest::keyClick(field, Qt::Key_Return);
    QCOMPARE(codes, (QList<int>{'h', 'i', 13}));
    QCOMPARE(changes, 3);
    field->setPlainText(QStringLiteral("program write"));
    QCOMPARE(changes, 4);
}

void FieldsAndBuildingBlocksTest::changeHandlerRunsOncePerRealChange_data()
{
    QTest::addColumn<QString>("kind");
    for (const char *kind : {"line edit", "text area", "binary field"}) {
        QTest::newRow(kind) << QString::fromLatin1(kind);
    }
}

// Random editing keys from an empty field, line breaks, deletions at either
// end and undo back to empty among them. Every run of the change handler
// must see a text other than the one before, and none may be missed.
void FieldsAndBuildingBlocksTest::changeHandlerRunsOncePerRealChange()
{
    QFETCH(QString, kind);
    QWidget window;
    QWidget *field = nullptr;
    std::function<QString()> text;
    if (kind == QLatin1String("line edit")) {
        auto *edit = new LineField(&window);
        text = [edit] { return edit->text(); };
        field = edit;
    } else if (kind == QLatin1String("text area")) {
        auto *area = new TextArea(&window);
        text = [area] { return area->document()->toRawText(); };
        field = area;
    } else {
        auto *binary = new BinaryTextEdit(&window);
        text = [binary] { return QString::fromStdString(binary->codeText()); };
        field = binary;
    }
    QStringList seen{QString()};
    const auto connectTo = [&](auto *typed) {
        fields::connect(typed, {.change = [&] { seen << text(); }});
    };
    if (auto *edit = qobject_cast<LineField *>(field)) {
        connectTo(edit);
    } else if (auto *area = qobject_cast<TextArea *>(field)) {
        connectTo(area);
    } else {
        connectTo(static_cast<BinaryTextEdit *>(field));
    }
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    field->setFocus();

    const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {
        {Qt::Key_1, {}},
        {Qt::Key_Return, {}},
        {Qt::Key_Return, Qt::ShiftModifier},
        {Qt::Key_Enter, Qt::KeypadModifier},
        {Qt::Key_Backspace, {}},
        {Qt::Key_Delete, {}},
        {Qt::Key_Z, Qt::ControlModifier},
        {Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier},
        {Qt::Key_Home, {}},
        {Qt::Key_A, Qt::ControlModifier},
    };
    QRandomGenerator random(20261207);
    QString trace;
    for (int step = 0; step < 400; ++step) {
        const auto &[key, modifiers] = keys[random.bounded(int(std::size(keys)))];
        trace += QKeySequence(key | modifiers).toString() + u' ';
        QTest::keyClick(field, key, modifiers);
        QVERIFY2(seen.last() == text(), qPrintable(u"missed a change after: "_qs + trace));
        QVERIFY2(seen.size() < 2 || seen.at(seen.size() - 2) != seen.last(),
                 qPrintable(u"ran without a change after: "_qs + trace));
    }
}

void FieldsAndBuildingBlocksTest::backgroundsGoThroughThePalette()
{
    QWidget frame;
    QLineEdit field;
    palette::setBackground(&frame, QColor(250, 250, 250));
    palette::setBackground(&field, QColor(0, 160, 240));
    QVERIFY(frame.autoFillBackground());
    QCOMPARE(frame.palette().color(QPalette::Window), QColor(250, 250, 250));
    QCOMPARE(field.palette().color(QPalette::Base), QColor(0, 160, 240));
    QCOMPARE(testing::background(&field), QColor(0, 160, 240));
    field.setEnabled(false);
    QCOMPARE(field.palette().color(QPalette::Disabled, QPalette::Base), QColor(0, 160, 240));
}

QTEST_MAIN(FieldsAndBuildingBlocksTest)
#include "fields_and_building_blocks_test.moc"
