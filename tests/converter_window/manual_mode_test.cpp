// SPDX-License-Identifier: GPL-3.0-or-later
#include "application.h"
#include "field_text.h"
#include "fresh_windows.h"
#include "frmAscii.h"
#include "manual_clock.h"
#include "recording_prompt.h"
#include "text_area.h"
#include "twips.h"
#include "typing.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFrame>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTimer>

using namespace vantrel;
using testing::element;

namespace {
const QString kWarning = QStringLiteral(
    "Desactivar el manual puede trabar el programa en cada momento en el caso de usar mucha "
    "información en los campos de texto.");

} // namespace

class ManualModeTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup()
    {
        testing::destroyAllWindows();
        m_clock.reset();
    }

    void switchingOffWarnsOnlyWithTheMessagePanel_data();
    void switchingOffWarnsOnlyWithTheMessagePanel();
    void focusReturnsToTheFieldLastEdited_data();
    void focusReturnsToTheFieldLastEdited();
    void withNoValueFieldFocusedYetTheFocusStays();
    void nextKeystrokeConvertsAsTheNewModeSays();
    void keyboardSwitchesItToo();

private:
    void showMessagePanel();
    QAbstractButton *chkManual() const { return element<QAbstractButton>(m_window, "chkManual"); }

    frmAscii *m_window = nullptr;
    std::unique_ptr<testing::ManualClock> m_clock;
};

void ManualModeTest::init()
{
    m_clock = std::make_unique<testing::ManualClock>();
    m_window = &app::converterWindow();
    m_window->show();
    QVERIFY(QTest::qWaitForWindowActive(m_window));
    QTRY_VERIFY(element<QWidget>(m_window, "txtC")->hasFocus());
}

void ManualModeTest::showMessagePanel()
{
    QTest::mouseClick(element<QWidget>(m_window, "cmd1"), Qt::LeftButton);
    QVERIFY(m_clock->advanceUntilStill());
    QCOMPARE(twips::geometry(element<QFrame>(m_window, "Frame1")).left(), -4080);
}

void ManualModeTest::switchingOffWarnsOnlyWithTheMessagePanel_data()
{
    QTest::addColumn<bool>("messagePanel");
    QTest::addColumn<int>("warnings");
    QTest::newRow("value panel") << false << 0;
    QTest::newRow("message panel, every time") << true << 2;
}

void ManualModeTest::switchingOffWarnsOnlyWithTheMessagePanel()
{
    QFETCH(bool, messagePanel);
    QFETCH(int, warnings);
    if (messagePanel) {
        showMessagePanel();
    }
    testing::RecordingPrompt prompt;
    for (int round = 0; round < 2; ++round) {
        QTest::mouseClick(chkManual(), Qt::LeftButton); // off
        QVERIFY(!chkManual()->isChecked());
        QCOMPARE(chkManual()->toolTip(), QStringLiteral(" Manual desactivado. "));
        QCOMPARE(chkManual()->accessibleName(), QStringLiteral("Manual desactivado."));
        QTest::mouseClick(chkManual(), Qt::LeftButton); // on: never a warning
        QVERIFY(chkManual()->isChecked());
        QCOMPARE(chkManual()->toolTip(), QStringLiteral(" Manual activado. "));
    }
    QCOMPARE(prompt.messages().size(), warnings);
    for (const testing::PromptedMessage &warning : prompt.messages()) {
        QCOMPARE(warning.text, kWarning);
        QCOMPARE(warning.text.size(), 122);
        QCOMPARE(warning.icon, QMessageBox::Information);
        QCOMPARE(warning.parent, m_window);
    }
}

void ManualModeTest::focusReturnsToTheFieldLastEdited_data()
{
    QTest::addColumn<bool>("messagePanel");
    QTest::addColumn<QString>("fieldName");
    QTest::addColumn<QString>("text");
    QTest::newRow("decimal") << false << "txtA"
                             << "123";
    QTest::newRow("binary") << false << "txtB"
                            << "0101";
    QTest::newRow("character") << false << "txtC"
                               << "z";
    QTest::newRow("message") << true << "txtMensaje"
                             << "hola";
    QTest::newRow("binary message") << true << "txtBinario"
                                    << "0110";
}

void ManualModeTest::focusReturnsToTheFieldLastEdited()
{
    QFETCH(bool, messagePanel);
    QFETCH(QString, fieldName);
    QFETCH(QString, text);
    if (messagePanel) {
        showMessagePanel();
    }
    auto *field = element<QWidget>(m_window, fieldName);
    QVERIFY(testing::giveFocus(field));
    testing::typeText(field, text);
    QTest::keyClick(field, Qt::Key_Home); // each text is one line
    QVERIFY(!testing::caretAtEnd(field));
    testing::RecordingPrompt prompt;
    QTest::mouseClick(chkManual(), Qt::LeftButton);
    QTRY_VERIFY(field->hasFocus());
    QVERIFY(testing::caretAtEnd(field));
}

void ManualModeTest::withNoValueFieldFocusedYetTheFocusStays()
{
    // A window not shown yet has given no value field the focus; only the
    // program can switch it then.
    frmAscii unshown;
    element<QAbstractButton>(&unshown, "chkManual")->click();
    QCOMPARE(unshown.focusWidget(), nullptr);
}

void ManualModeTest::nextKeystrokeConvertsAsTheNewModeSays()
{
    auto *txtA = element<QLineEdit>(m_window, "txtA");
    auto *txtB = element<QLineEdit>(m_window, "txtB");
    QVERIFY(testing::giveFocus(txtA));
    QTest::mouseClick(chkManual(), Qt::LeftButton); // off: every keystroke converts
    QVERIFY(txtA->hasFocus());
    QCOMPARE(txtB->text(), QStringLiteral("01000001")); // switching converts nothing
    QTest::keyClick(txtA, Qt::Key_Backspace);
    QCOMPARE(txtB->text(), QStringLiteral("00000110"));

    QTest::mouseClick(chkManual(), Qt::LeftButton); // on: only Enter converts
    QTest::keyClick(txtA, '4');
    QCOMPARE(txtB->text(), QStringLiteral("00000110"));
    QTest::keyClick(txtA, Qt::Key_Return);
    QCOMPARE(txtB->text(), QStringLiteral("01000000"));
}

void ManualModeTest::keyboardSwitchesItToo()
{
    auto *txtC = element<QWidget>(m_window, "txtC");
    QTest::keyClick(txtC, Qt::Key_Tab, Qt::ShiftModifier); // M is the stop before it
    QVERIFY(chkManual()->hasFocus());
    QTest::keyClick(chkManual(), Qt::Key_Space);
    QVERIFY(txtC->hasFocus());
    QTest::keyClick(txtC, 'a'); // converts at once
    QCOMPARE(element<QLineEdit>(m_window, "txtA")->text(), QStringLiteral("97"));
}

QTEST_MAIN(ManualModeTest)
#include "manual_mode_test.moc"
