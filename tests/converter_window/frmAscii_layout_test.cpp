// SPDX-License-Identifier: GPL-3.0-or-later
#include "application.h"
#include "field_text.h"
#include "fresh_windows.h"
#include "frmAscii.h"
#include "house_colours.h"
#include "palette_use.h"
#include "panel_switching.h"
#include "screen_colours.h"
#include "twips.h"
#include "typing.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QFontInfo>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

using namespace vantrel;
using testing::element;
using namespace colours;

class FrmAsciiLayoutTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup() { testing::destroyAllWindows(); }

    void opensWithTheValuePanelAndCharacterFieldActive();
    void loadColoursEveryElementFromThePalette_data();
    void loadColoursEveryElementFromThePalette();
    void loadSetsStateAndTheTableFontName();
    void elementsSitInTheirFramesAtTheirTwips_data();
    void elementsSitInTheirFramesAtTheirTwips();
    void fieldsCarryTheirTooltipsTextsAndLimits_data();
    void fieldsCarryTheirTooltipsTextsAndLimits();
    void buttonsStartChecked_Disabled_AsDesigned();
    void timersAreStoppedTenMillisecondTimers();
    void windowIsFixedSizedWithTitleAndNoMaximise();
    void calibriResolvesAndNothingIsClipped();

private:
    frmAscii *m_window = nullptr;
};

void FrmAsciiLayoutTest::init()
{
    app::setTableFontName(QStringLiteral("Courier"));
    m_window = &app::converterWindow();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
}

void FrmAsciiLayoutTest::opensWithTheValuePanelAndCharacterFieldActive()
{
    auto *txtC = element<QLineEdit>(m_window, "txtC");
    QTRY_COMPARE(QApplication::focusWidget(), txtC);
    QCOMPARE(testing::background(txtC), kActive);
    QCOMPARE(txtC->cursorPosition(), 1);
    QCOMPARE(twips::geometry(element<QFrame>(m_window, "Frame1")).topLeft(), QPoint(0, 0));
    QCOMPARE(twips::geometry(element<QFrame>(m_window, "Frame2")).topLeft(), QPoint(0, 0));
    // Only the value panel and the button column lie inside the viewport; the
    // message panel starts at its very last pixel column.
    auto *viewport = element<QFrame>(m_window, "frmeBig");
    for (const char *name : {"txtMensaje", "txtBinario", "txtHexa", "txtBin"}) {
        auto *field = element<QWidget>(m_window, name);
        const QRect inViewport(field->mapTo(viewport, QPoint(0, 0)), field->size());
        QVERIFY2(viewport->rect().intersected(inViewport).width() <= 1, name);
    }
}

void FrmAsciiLayoutTest::loadColoursEveryElementFromThePalette_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QColor>("colour");
    QTest::newRow("window") << "frmAscii" << kWindowBackground;
    QTest::newRow("Frame1") << "Frame1" << kWindowBackground;
    QTest::newRow("Frame2") << "Frame2" << kWindowBackground;
    QTest::newRow("frmeBig") << "frmeBig" << kWindowBackground;
    QTest::newRow("Frame3") << "Frame3" << kTabStrip;
    QTest::newRow("ASCII tab") << "cmdBoton0" << kActive;
    QTest::newRow("HEXA tab") << "cmdBoton1" << kIdle;
    for (const char *field : {"txtA", "txtB", "txtMensaje", "txtBinario", "txtHexa", "txtBin"}) {
        QTest::newRow(field) << field << kIdle;
    }
    for (const char *button : {"chkManual", "Option1", "Option2"}) {
        QTest::newRow(button) << button << kWhite;
    }
}

void FrmAsciiLayoutTest::loadColoursEveryElementFromThePalette()
{
    QFETCH(QString, name);
    QFETCH(QColor, colour);
    QWidget *widget = name == "frmAscii" ? m_window : element<QWidget>(m_window, name);
    QCOMPARE(testing::background(widget), colour);
    if (!qobject_cast<QAbstractButton *>(widget) && !qobject_cast<QLineEdit *>(widget) &&
        !qobject_cast<QAbstractScrollArea *>(widget)) {
        QVERIFY(widget->autoFillBackground());
    }
    if (widget->isEnabled()) { // the disabled bit-mode buttons are greyed out
        QCOMPARE(testing::textColour(widget), QColor(Qt::black));
    }
}

void FrmAsciiLayoutTest::loadSetsStateAndTheTableFontName()
{
    // Manual mode is on and the stored code is 65: Enter, not the emptying,
    // writes the decimal field back.
    auto *txtC = element<QLineEdit>(m_window, "txtC");
    auto *txtA = element<QLineEdit>(m_window, "txtA");
    QTRY_COMPARE(QApplication::focusWidget(), txtC);
    QVERIFY(testing::replaceText(txtA, QString()));
    QCOMPARE(txtA->text(), QString());
    QVERIFY(testing::clickField(txtC));
    QTest::keyClick(txtC, Qt::Key_Return);
    QCOMPARE(txtA->text(), QStringLiteral("65"));
    QCOMPARE(txtC->text(), QStringLiteral("A"));
    const auto *switching = m_window->findChild<PanelSwitching *>();
    QVERIFY(!switching->messagePanel());
    for (const char *name : {"tmrSizeH", "tmrRebote1", "tmrSizeV", "tmrRebote2"}) {
        QVERIFY2(!element<QTimer>(m_window, name)->isActive(), name);
    }
    QCOMPARE(app::tableFontName(), QStringLiteral("Arial"));
}

void FrmAsciiLayoutTest::elementsSitInTheirFramesAtTheirTwips_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("twips");
    QTest::newRow("Frame3") << "Frame3"
                            << "frmAscii" << QRect(0, 0, 2895, 2775);
    QTest::newRow("cmdBoton0") << "cmdBoton0"
                               << "Frame3" << QRect(120, 120, 2655, 1215);
    QTest::newRow("cmdBoton1") << "cmdBoton1"
                               << "Frame3" << QRect(120, 1440, 2655, 1215);
    QTest::newRow("frmeBig") << "frmeBig"
                             << "frmAscii" << QRect(2880, 120, 4695, 2535);
    QTest::newRow("Frame2") << "Frame2"
                            << "frmeBig" << QRect(0, 0, 8655, 5175);
    QTest::newRow("txtHexa") << "txtHexa"
                             << "Frame2" << QRect(120, 2640, 4455, 1215);
    QTest::newRow("txtBin") << "txtBin"
                            << "Frame2" << QRect(120, 3960, 4455, 1215);
    QTest::newRow("Frame1") << "Frame1"
                            << "Frame2" << QRect(0, 0, 8655, 2535);
    QTest::newRow("cmd1") << "cmd1"
                          << "Frame1" << QRect(4200, 0, 375, 375);
    QTest::newRow("cmd2") << "cmd2"
                          << "Frame1" << QRect(4200, 420, 375, 375);
    QTest::newRow("cmd3") << "cmd3"
                          << "Frame1" << QRect(4200, 840, 375, 375);
    QTest::newRow("chkManual") << "chkManual"
                               << "Frame1" << QRect(4200, 1320, 375, 375);
    QTest::newRow("Option1") << "Option1"
                             << "Frame1" << QRect(4200, 1740, 375, 375);
    QTest::newRow("Option2") << "Option2"
                             << "Frame1" << QRect(4200, 2160, 375, 375);
    QTest::newRow("txtC") << "txtC"
                          << "Frame1" << QRect(120, 0, 1695, 1230);
    QTest::newRow("txtA") << "txtA"
                          << "Frame1" << QRect(1920, 0, 2175, 1230);
    QTest::newRow("txtB") << "txtB"
                          << "Frame1" << QRect(120, 1320, 3975, 1230);
    QTest::newRow("txtMensaje") << "txtMensaje"
                                << "Frame1" << QRect(4680, 0, 3975, 1215);
    QTest::newRow("txtBinario") << "txtBinario"
                                << "Frame1" << QRect(4680, 1320, 3975, 1215);
    QTest::newRow("imgCur0") << "imgCur0"
                             << "Frame1" << QRect(2880, 120, 375, 375);
    QTest::newRow("imgCur1") << "imgCur1"
                             << "Frame1" << QRect(3480, 120, 375, 375);
}

void FrmAsciiLayoutTest::elementsSitInTheirFramesAtTheirTwips()
{
    QFETCH(QString, name);
    QFETCH(QString, parent);
    QFETCH(QRect, twips);
    auto *widget = element<QWidget>(m_window, name);
    QCOMPARE(widget->parentWidget()->objectName(), parent);
    QCOMPARE(twips::geometry(widget), twips);
    QCOMPARE(widget->geometry(), twips::toPixels(twips));
}

void FrmAsciiLayoutTest::fieldsCarryTheirTooltipsTextsAndLimits_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("tooltip");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("maxLength");
    QTest::newRow("txtC") << "txtC"
                          << " CARACTER "
                          << "A" << 1;
    QTest::newRow("txtA") << "txtA"
                          << " VALOR ASCII/DECIMAL "
                          << "65" << 3;
    QTest::newRow("txtB") << "txtB"
                          << " VALOR BINARIO "
                          << "01000001" << 8;
    QTest::newRow("txtMensaje") << "txtMensaje"
                                << " MENSAJE "
                                << "" << -1;
    QTest::newRow("txtBinario") << "txtBinario"
                                << " MENSAJE EN BINARIO "
                                << "" << -1;
    QTest::newRow("txtHexa") << "txtHexa"
                             << " VALOR HEXADECIMAL "
                             << "" << -1;
    QTest::newRow("txtBin") << "txtBin"
                            << " VALOR BINARIO "
                            << "" << -1;
    QTest::newRow("cmd1") << "cmd1"
                          << " Ver conversión de texto. "
                          << "" << -1;
    QTest::newRow("cmd2") << "cmd2"
                          << " Ver lista de código Ascii (Visual Basic 6.0). "
                          << "" << -1;
    QTest::newRow("cmd3") << "cmd3"
                          << " Acerca del programa. "
                          << "" << -1;
    QTest::newRow("chkManual") << "chkManual"
                               << " Manual activado. "
                               << "M" << -1;
    QTest::newRow("Option1") << "Option1"
                             << " Modo 7 bits. "
                             << "7" << -1;
    QTest::newRow("Option2") << "Option2"
                             << " Modo 8 bits. "
                             << "8" << -1;
    QTest::newRow("cmdBoton0") << "cmdBoton0"
                               << " Convierte caracteres, valores binarios y decimales. "
                               << "ASCII" << -1;
    QTest::newRow("cmdBoton1") << "cmdBoton1"
                               << " Convierte valores binarios y hexadecimales. "
                               << "HEXA" << -1;
}

void FrmAsciiLayoutTest::fieldsCarryTheirTooltipsTextsAndLimits()
{
    QFETCH(QString, name);
    QFETCH(QString, tooltip);
    QFETCH(QString, text);
    QFETCH(int, maxLength);
    auto *widget = element<QWidget>(m_window, name);
    QCOMPARE(widget->toolTip(), tooltip);
    QCOMPARE(widget->accessibleName(), tooltip.trimmed());
    if (auto *line = qobject_cast<QLineEdit *>(widget)) {
        QCOMPARE(line->text(), text);
        QCOMPARE(line->maxLength(), maxLength);
        QCOMPARE(line->alignment(), Qt::AlignCenter);
        QVERIFY(!line->hasFrame());
    } else if (auto *area = qobject_cast<QAbstractScrollArea *>(widget)) {
        QCOMPARE(testing::fieldText(area), text);
        QCOMPARE(area->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    } else if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
        QCOMPARE(button->text(), text);
    } else {
        QCOMPARE(qobject_cast<QLabel *>(widget)->text(), text);
    }
}

void FrmAsciiLayoutTest::buttonsStartChecked_Disabled_AsDesigned()
{
    auto *option1 = element<QAbstractButton>(m_window, "Option1");
    auto *option2 = element<QAbstractButton>(m_window, "Option2");
    auto *manual = element<QAbstractButton>(m_window, "chkManual");
    QVERIFY(option2->isChecked() && !option1->isChecked());
    QVERIFY(!option1->isEnabled() && !option2->isEnabled());
    QVERIFY(manual->isChecked() && manual->isEnabled());
    QVERIFY(option1->isCheckable() && option2->isCheckable() && manual->isCheckable());
    for (const char *name : {"cmd1", "cmd2", "cmd3"}) {
        QVERIFY(element<QAbstractButton>(m_window, name)->isEnabled());
    }
}

void FrmAsciiLayoutTest::timersAreStoppedTenMillisecondTimers()
{
    for (const char *name : {"tmrSizeH", "tmrSizeV", "tmrRebote1", "tmrRebote2"}) {
        auto *timer = element<QTimer>(m_window, name);
        QCOMPARE(timer->interval(), 10);
        QVERIFY(!timer->isActive());
    }
}

void FrmAsciiLayoutTest::windowIsFixedSizedWithTitleAndNoMaximise()
{
    QCOMPARE(m_window->windowTitle(), QStringLiteral("VANTREL"));
    QCOMPARE(m_window->size(), QSize(505, 185));
    QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
    QVERIFY(!(m_window->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(!m_window->windowIcon().isNull());
}

void FrmAsciiLayoutTest::calibriResolvesAndNothingIsClipped()
{
    for (const char *name : {"txtC", "txtA", "txtB", "cmdBoton0", "cmdBoton1"}) {
        auto *widget = element<QWidget>(m_window, name);
        const QString text = qobject_cast<QLineEdit *>(widget)
                                 ? qobject_cast<QLineEdit *>(widget)->text()
                                 : qobject_cast<QLabel *>(widget)->text();
        QCOMPARE(QFontInfo(widget->font()).family(), QStringLiteral("Carlito"));
        const QFontMetrics metrics(widget->font());
        QVERIFY2(metrics.height() <= widget->height(), name);
        QVERIFY2(metrics.horizontalAdvance(text) <= widget->width(), name);
    }
    // The widest texts the value panel can hold.
    const QFontMetrics big(element<QWidget>(m_window, "txtB")->font());
    QVERIFY(big.horizontalAdvance(QStringLiteral("00000000")) <=
            element<QWidget>(m_window, "txtB")->width());
    QVERIFY(big.horizontalAdvance(QStringLiteral("000")) <=
            element<QWidget>(m_window, "txtA")->width());
}

QTEST_MAIN(FrmAsciiLayoutTest)
#include "frmAscii_layout_test.moc"
