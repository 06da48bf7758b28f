// SPDX-License-Identifier: GPL-3.0-or-later
#include "about_box.h"
#include "application.h"
#include "fresh_windows.h"
#include "frmAscii.h"
#include "frmAsciiColl.h"
#include "manual_clock.h"
#include "recording_prompt.h"
#include "typing.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>

using namespace vantrel;
using testing::element;

class CommandsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { testing::destroyAllWindows(); }

    void aboutTextHasOneLineBreakAndTheVersion();
    void aboutBoxIsModalWithTitleTextAndIcon_data();
    void aboutBoxIsModalWithTitleTextAndIcon();
    void tableCommandOpensOneAsciiTable();
};

void CommandsTest::aboutTextHasOneLineBreakAndTheVersion()
{
    const app::Version version = app::version();
    QCOMPARE(version.major, 2);
    QCOMPARE(version.minor, 5);
    QCOMPARE(version.revision, 12);
    const QString text = aboutText(version.major, version.minor);
    QCOMPARE(text, QStringLiteral("Tarnwick\r\nVantrel: Versión 2.5"));
    QCOMPARE(text.count(QStringLiteral("\r\n")), 1);
    QCOMPARE(aboutText(10, 0), QStringLiteral("Tarnwick\r\nVantrel: Versión 10.0"));
}

void CommandsTest::aboutBoxIsModalWithTitleTextAndIcon_data()
{
    // Empty: a click on the question mark; else F1 in that field, once the
    // arrow or tab clicked (if any) has brought it into view.
    QTest::addColumn<QString>("f1InField");
    QTest::addColumn<QString>("panelShownBy");
    QTest::newRow("click on cmd3") << QString() << QString();
    QTest::newRow("F1 in txtC") << "txtC" << QString();
    QTest::newRow("F1 in txtMensaje") << "txtMensaje"
                                      << "cmd1";
    QTest::newRow("F1 in txtBin") << "txtBin"
                                  << "cmdBoton1";
}

void CommandsTest::aboutBoxIsModalWithTitleTextAndIcon()
{
    QFETCH(QString, f1InField);
    QFETCH(QString, panelShownBy);
    frmAscii &window = app::converterWindow();
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    if (!panelShownBy.isEmpty()) {
        testing::ManualClock clock;
        QTest::mouseClick(element<QWidget>(&window, panelShownBy), Qt::LeftButton);
        QVERIFY(clock.advanceUntilStill());
    }
    if (!f1InField.isEmpty()) {
        QVERIFY(testing::clickField(element<QWidget>(&window, f1InField)));
    }
    bool seen = false;
    QTimer::singleShot(50, [&] {
        auto *box = qobject_cast<AboutBox *>(QApplication::activeModalWidget());
        QVERIFY(box);
        seen = true;
        QCOMPARE(box->windowTitle(), QStringLiteral("Vantrel"));
        QCOMPARE(box->parentWidget(), &window);
        QCOMPARE(element<QLabel>(box, "aboutText")->text(),
                 QStringLiteral("Tarnwick\nVantrel: Versión 2.5"));
        QVERIFY(!element<QLabel>(box, "aboutIcon")->pixmap().isNull());
        QTest::mouseClick(element<QAbstractButton>(box, "aboutOk"), Qt::LeftButton);
    });
    if (f1InField.isEmpty()) {
        QTest::mouseClick(element<QAbstractButton>(&window, "cmd3"), Qt::LeftButton);
    } else {
        QTest::keyClick(element<QWidget>(&window, f1InField), Qt::Key_F1);
    }
    QVERIFY(seen); // the click returned only once the box was closed
}

void CommandsTest::tableCommandOpensOneAsciiTable()
{
    testing::RecordingPrompt prompt; // a missing table font would be reported
    frmAscii &window = app::converterWindow();
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    for (int click = 0; click < 2; ++click) {
        QTest::mouseClick(element<QAbstractButton>(&window, "cmd2"), Qt::LeftButton);
        frmAsciiColl *table = testing::openTableWindow();
        QVERIFY(table && table->isVisible());
    }
    int tables = 0;
    for (QWidget *topLevel : QApplication::topLevelWidgets()) {
        tables += qobject_cast<frmAsciiColl *>(topLevel) ? 1 : 0;
    }
    QCOMPARE(tables, 1);
}

QTEST_MAIN(CommandsTest)
#include "commands_test.moc"
