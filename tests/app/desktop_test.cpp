// SPDX-License-Identifier: GPL-3.0-or-later
// What a real desktop brings that Qt's defaults hide: its palette, its
// translations, every way text arrives in a field, focus that comes back with
// a window, minimised and splash windows.
#include "about_box.h"
#include "application.h"
#include "application_setup.h"
#include "binary_text_edit.h"
#include "code_text.h"
#include "desktop_palette.h"
#include "field_text.h"
#include "fresh_windows.h"
#include "frmAscii.h"
#include "frmAsciiColl.h"
#include "frmInicio.h"
#include "house_colours.h"
#include "manual_clock.h"
#include "message_conversion.h"
#include "palette_use.h"
#include "screen_colours.h"
#include "text_area.h"
#include "typing.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <functional>
#include <memory>

using namespace vantrel;
using testing::element;
using namespace colours;

using WindowFactory = std::function<QWidget *()>;
Q_DECLARE_METATYPE(WindowFactory)

namespace {

std::string codes(std::initializer_list<int> values)
{
    std::string text;
    for (int value : values) {
        text.push_back(static_cast<char>(value));
    }
    return text;
}

// Every code a decoded message can hold: a zero group ends it.
std::string everyCode()
{
    std::string text;
    for (int code = 1; code < 256; ++code) {
        text.push_back(static_cast<char>(code));
    }
    return text;
}

void sendFocus(QWidget *field, QEvent::Type type, Qt::FocusReason reason)
{
    QFocusEvent event(type, reason);
    QApplication::sendEvent(field, &event);
}

} // namespace

class DesktopTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanup();

    void windowsLookTheSameUnderADarkDesktopPalette_data();
    void windowsLookTheSameUnderADarkDesktopPalette();
    void standardTextsAreSpanish();
    void everyLineBreakIsCrLf_data();
    void everyLineBreakIsCrLf();
    void decodedMessageEncodesBackToTheSameDigits_data();
    void decodedMessageEncodesBackToTheSameDigits();
    void textReachingTxtCIsTyped_data();
    void textReachingTxtCIsTyped();
    void focusComingBackWithTheWindowIsNoFocusMove_data();
    void focusComingBackWithTheWindowIsNoFocusMove();
    void cmd2RestoresAMinimisedTable();
    void startupWindowIsASplashScreen();

private:
    frmAscii *openConverter();
};

void DesktopTest::initTestCase()
{
    app::setUpApplication(*qApp);
}

void DesktopTest::cleanup()
{
    testing::destroyAllWindows();
    QApplication::setPalette(QPalette());
}

frmAscii *DesktopTest::openConverter()
{
    frmAscii *window = &app::converterWindow();
    window->show();
    if (!QTest::qWaitForWindowActive(window)) {
        return nullptr;
    }
    return window;
}

void DesktopTest::windowsLookTheSameUnderADarkDesktopPalette_data()
{
    QTest::addColumn<WindowFactory>("create");
    QTest::newRow("converter") << WindowFactory([] {
        frmAscii *window = &app::converterWindow();
        element<QAbstractButton>(window, "Option1")->setEnabled(false); // greyed caption
        return window;
    });
    QTest::newRow("table") << WindowFactory([] { return &app::asciiTableWindow(); });
    QTest::newRow("start-up") << WindowFactory([] { return &app::startupWindow(); });
    QTest::newRow("about box") << WindowFactory([] {
        return static_cast<QWidget *>(new AboutBox(app::applicationTitle(), aboutText(2, 5),
                                                   app::applicationIcon(), nullptr));
    });
}

void DesktopTest::windowsLookTheSameUnderADarkDesktopPalette()
{
    QFETCH(WindowFactory, create);
    QWidget *window = create();
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
    // No event runs between the two pictures, so no timer moves anything.
    const QImage light = window->grab().toImage();
    QApplication::setPalette(testing::darkDesktopPalette());
    const QImage dark = window->grab().toImage();
    QCOMPARE(dark.size(), light.size());
    QVERIFY2(dark == light, "the desktop's palette shows through");
    delete window;
}

void DesktopTest::standardTextsAreSpanish()
{
    QLineEdit lineEdit;
    std::unique_ptr<QMenu> menu(lineEdit.createStandardContextMenu());
    QStringList entries;
    for (const QAction *action : menu->actions()) {
        entries << action->text().section(QLatin1Char('\t'), 0, 0).remove(QLatin1Char('&'));
    }
    for (const char *expected :
         {"Deshacer", "Rehacer", "Cortar", "Copiar", "Pegar", "Seleccionar todo"}) {
        QVERIFY2(entries.contains(QString::fromUtf8(expected)), qPrintable(entries.join(u'|')));
    }
    QDialogButtonBox buttons(QDialogButtonBox::Ok);
    QCOMPARE(buttons.button(QDialogButtonBox::Ok)->text().remove(QLatin1Char('&')),
             QStringLiteral("Aceptar"));
}

void DesktopTest::everyLineBreakIsCrLf_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("pasted"); // empty: Shift+Enter is typed instead
    for (const char *field : {"txtMensaje", "txtHexa", "txtBin"}) {
        QTest::addRow("%s Shift+Enter", field) << field << QString();
        QTest::addRow("%s CR LF", field) << field << QStringLiteral("1\r\n0");
        QTest::addRow("%s CR", field) << field << QStringLiteral("1\r0");
        QTest::addRow("%s LF", field) << field << QStringLiteral("1\n0");
        QTest::addRow("%s line separator", field) << field << QStringLiteral("1\u20280");
        QTest::addRow("%s paragraph separator", field) << field << QStringLiteral("1\u20290");
    }
}

void DesktopTest::everyLineBreakIsCrLf()
{
    QFETCH(QString, field);
    QFETCH(QString, pasted);
    frmAscii *window = openConverter();
    QVERIFY(window);
    testing::setManualMode(window, false); // Enter types a line break
    {
        testing::ManualClock clock; // the field's panel slides into view
        const char *panelShownBy = field == QLatin1String("txtMensaje") ? "cmd1" : "cmdBoton1";
        QTest::mouseClick(element<QWidget>(window, panelShownBy), Qt::LeftButton);
        QVERIFY(clock.advanceUntilStill());
    }
    auto *area = element<QWidget>(window, field);
    QVERIFY(testing::clickField(area));
    if (pasted.isEmpty()) {
        testing::typeText(area, QStringLiteral("1"));
        QTest::keyClick(area, Qt::Key_Return, Qt::ShiftModifier);
        testing::typeText(area, QStringLiteral("0"));
    } else {
        QApplication::clipboard()->setText(pasted);
        QTest::keyClick(area, Qt::Key_V, Qt::ControlModifier);
    }
    QCOMPARE(toCodeText(testing::fieldText(area)), codes({'1', 13, 10, '0'}));
}

void DesktopTest::decodedMessageEncodesBackToTheSameDigits_data()
{
    QTest::addColumn<std::string>("message");
    QTest::addColumn<int>("bits");
    QTest::newRow("every code") << everyCode() << 8;
    QTest::newRow("lone CR") << codes({'A', 13, 'B'}) << 8;
    QTest::newRow("lone LF") << codes({'A', 10, 'B'}) << 8;
    QTest::newRow("LF CR") << codes({'A', 10, 13, 'B'}) << 8;
    QTest::newRow("CR CR LF LF") << codes({13, 13, 10, 10}) << 8;
    QTest::newRow("7-bit lone CR and LF") << codes({'a', 13, 'b', 10, 'c', 13, 10}) << 7;
    QTest::newRow("500 codes with a lone LF")
        << std::string(250, 'x') + '\n' + std::string(249, 'y') << 8;
}

void DesktopTest::decodedMessageEncodesBackToTheSameDigits()
{
    QFETCH(std::string, message);
    QFETCH(int, bits);
    const BitMode mode = bits == 7 ? BitMode::Seven : BitMode::Eight;
    const std::string digits = binText(message, mode);
    frmAscii *window = openConverter();
    QVERIFY(window);
    QTest::mouseClick(element<QAbstractButton>(window, "cmd1"), Qt::LeftButton);
    QTRY_VERIFY(element<QAbstractButton>(window, bits == 7 ? "Option1" : "Option2")->isEnabled());
    QTest::mouseClick(element<QAbstractButton>(window, bits == 7 ? "Option1" : "Option2"),
                      Qt::LeftButton);

    auto *binary = element<BinaryTextEdit>(window, "txtBinario");
    auto *text = element<TextArea>(window, "txtMensaje");
    QVERIFY(testing::giveFocus(binary));
    QApplication::clipboard()->setText(QString::fromStdString(digits));
    QTest::keyClick(binary, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(binary, Qt::Key_Return); // decode
    QCOMPARE(toCodeText(text->text()), message);

    QVERIFY(testing::giveFocus(text));
    QTest::keyClick(text, Qt::Key_Return); // encode again
    QCOMPARE(binary->codeText(), digits);
}

void DesktopTest::textReachingTxtCIsTyped_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("manual");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    for (const char *path : {"Ctrl+V", "Shift+Insert", "menu", "drop"}) {
        for (const bool manual : {true, false}) {
            QTest::addRow("%s, manual %s", path, manual ? "on" : "off")
                << path << manual << QStringLiteral("z") << QStringLiteral("z");
            // The field holds one character: the first is typed, once.
            QTest::addRow("%s, manual %s, several characters", path, manual ? "on" : "off")
                << path << manual << QStringLiteral("Hola\r\nmundo") << QStringLiteral("H");
        }
    }
    QTest::newRow("outside the set") << "drop" << false << "\u4E2D"
                                     << "?";
}

void DesktopTest::textReachingTxtCIsTyped()
{
    QFETCH(QString, path);
    QFETCH(bool, manual);
    QFETCH(QString, text);
    QFETCH(QString, expected);
    frmAscii *window = openConverter();
    QVERIFY(window);
    testing::setManualMode(window, manual);
    auto *txtC = element<QLineEdit>(window, "txtC");
    auto *txtA = element<QLineEdit>(window, "txtA");
    auto *txtB = element<QLineEdit>(window, "txtB");
    QVERIFY(testing::giveFocus(txtC));
    QApplication::clipboard()->setText(text);
    QSignalSpy conversions(txtA, &QLineEdit::textChanged);
    if (path == QLatin1String("Ctrl+V")) {
        QTest::keyClick(txtC, Qt::Key_V, Qt::ControlModifier);
    } else if (path == QLatin1String("Shift+Insert")) {
        QTest::keyClick(txtC, Qt::Key_Insert, Qt::ShiftModifier);
    } else if (path == QLatin1String("menu")) {
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(5, 5),
                                txtC->mapToGlobal(QPoint(5, 5)));
        QApplication::sendEvent(txtC, &event);
        QTRY_VERIFY(QApplication::activePopupWidget());
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        QVERIFY(menu);
        auto *paste = menu->findChild<QAction *>("edit-paste");
        QVERIFY(paste);
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(paste).center());
        QTRY_VERIFY(!QApplication::activePopupWidget());
    } else {
        QMimeData data;
        data.setText(text);
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(txtC, &enter);
        QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(txtC, &drop);
    }
    if (manual) {
        QTest::keyClick(txtC, Qt::Key_Return);
    }
    const std::string code = toCodeText(expected);
    const int value = static_cast<unsigned char>(code.front());
    QCOMPARE(txtC->text(), expected);
    QCOMPARE(conversions.size(), 1);
    QCOMPARE(txtA->text(), QString::number(value));
    QCOMPARE(txtB->text(), QStringLiteral("%1").arg(value, 8, 2, QLatin1Char('0')));
}

void DesktopTest::focusComingBackWithTheWindowIsNoFocusMove_data()
{
    QTest::addColumn<Qt::FocusReason>("reason");
    QTest::newRow("window re-activated") << Qt::ActiveWindowFocusReason;
    QTest::newRow("context menu closed") << Qt::PopupFocusReason;
}

void DesktopTest::focusComingBackWithTheWindowIsNoFocusMove()
{
    QFETCH(Qt::FocusReason, reason);
    frmAscii *window = openConverter();
    QVERIFY(window);
    auto *txtA = element<QLineEdit>(window, "txtA");
    auto *txtB = element<QLineEdit>(window, "txtB");
    QVERIFY(testing::giveFocus(txtA));
    QTest::keyClick(txtA, Qt::Key_A, Qt::ControlModifier);
    testing::typeText(txtA, QStringLiteral("300"));
    QCOMPARE(testing::background(txtA), kActive); // manual: checked on Enter only

    sendFocus(txtA, QEvent::FocusOut, reason);
    sendFocus(txtA, QEvent::FocusIn, reason);
    QCOMPARE(testing::background(txtA), kActive);

    // A field that the focus moved to while the window was away does receive it.
    sendFocus(txtA, QEvent::FocusOut, reason);
    sendFocus(txtB, QEvent::FocusIn, reason);
    QCOMPARE(testing::background(txtB), kActive);
    QCOMPARE(testing::background(txtA), kIdle);
}

void DesktopTest::cmd2RestoresAMinimisedTable()
{
    frmAscii *window = openConverter();
    QVERIFY(window);
    QTest::mouseClick(element<QAbstractButton>(window, "cmd2"), Qt::LeftButton);
    frmAsciiColl *table = testing::openTableWindow();
    QVERIFY(table);
    table->showMinimized();
    QVERIFY(table->isMinimized());
    QTest::mouseClick(element<QAbstractButton>(window, "cmd2"), Qt::LeftButton);
    QCOMPARE(testing::openTableWindow(), table);
    QVERIFY(!table->isMinimized());
    QVERIFY(table->isVisible());
}

void DesktopTest::startupWindowIsASplashScreen()
{
    frmInicio &startup = app::startupWindow();
    QCOMPARE(startup.windowType(), Qt::SplashScreen);
    QCOMPARE(startup.windowTitle(), app::applicationTitle());
}

QTEST_MAIN(DesktopTest)
#include "desktop_test.moc"
