// SPDX-License-Identifier: GPL-3.0-or-later
// A paste large enough to be converted in slices is, to the user and to the
// panels, one instant edit: whatever the user does meanwhile waits, and is
// then handled in order. The input is queued as the window system queues it.
#include "application.h"
#include "binary_text_edit.h"
#include "field_text.h"
#include "fresh_windows.h"
#include "frmAscii.h"
#include "hex_conversion.h"
#include "manual_clock.h"
#include "queued_input.h"
#include "text_area.h"
#include "typing.h"

#include <QApplication>
#include <QClipboard>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <functional>

using namespace vantrel;
using testing::element;

namespace {

// More characters than a paste converts at once.
constexpr qsizetype kSlicedDigits = 5'000'001;
constexpr int kSlicedLetters = 600'000; // "B" in eight digits each

struct Scenario
{
    const char *name;
    const char *field; // the binary field pasted into
    bool manual;
    std::function<void(frmAscii &)> duringPaste;
    std::function<void(QPointer<frmAscii>)> check;
};

BinaryTextEdit *binaryField(const frmAscii &window, const char *name)
{
    return element<BinaryTextEdit>(&window, QString::fromLatin1(name));
}

TextArea *area(const frmAscii &window, const char *name)
{
    return element<TextArea>(&window, QString::fromLatin1(name));
}

const std::string kBinaryPanelText = "1010" + std::string(std::size_t(kSlicedDigits), '1');

QString hexOfBinaryPanelText()
{
    return QString::fromStdString(binaryToHexCut(kBinaryPanelText, 500).value());
}

// "A" and then "B"s, as many as the message field holds.
const QString kDecodedMessage = QStringLiteral("A") + QString(499, u'B');

const Scenario kScenarios[] = {
    {"keys typed during the paste come after it", "txtBin", false,
     [](frmAscii &w) { testing::queueKeyClicks(binaryField(w, "txtBin"), QStringLiteral("xyz")); },
     [](QPointer<frmAscii> w) {
         QVERIFY(binaryField(*w, "txtBin")->codeText() == kBinaryPanelText + "xyz");
         QCOMPARE(testing::fieldText(area(*w, "txtHexa")), hexOfBinaryPanelText());
     }},
    {"a tab click waits for the conversion", "txtBin", false,
     [](frmAscii &w) { testing::queueMouseClick(element<QWidget>(&w, "cmdBoton1")); },
     [](QPointer<frmAscii> w) {
         QVERIFY(binaryField(*w, "txtBin")->codeText() == kBinaryPanelText);
         QCOMPARE(testing::fieldText(area(*w, "txtHexa")), hexOfBinaryPanelText());
         QTRY_VERIFY(area(*w, "txtHexa")->hasFocus());
     }},
    {"undo takes the paste back whole", "txtBin", false,
     [](frmAscii &w) {
         testing::queueKeyClick(binaryField(w, "txtBin"), Qt::Key_Z, Qt::ControlModifier);
     },
     [](QPointer<frmAscii> w) {
         QCOMPARE(testing::fieldText(binaryField(*w, "txtBin")), QStringLiteral("1010"));
         QCOMPARE(testing::fieldText(area(*w, "txtHexa")), QStringLiteral("A"));
     }},
    {"a click in the message field waits for the decoding", "txtBinario", false,
     [](frmAscii &w) { testing::queueMouseClick(area(w, "txtMensaje")); },
     [](QPointer<frmAscii> w) {
         QCOMPARE(area(*w, "txtMensaje")->text(), kDecodedMessage);
         QTRY_VERIFY(area(*w, "txtMensaje")->hasFocus());
     }},
    {"Enter in manual mode decodes the pasted text", "txtBinario", true,
     [](frmAscii &w) { testing::queueKeyClick(binaryField(w, "txtBinario"), Qt::Key_Return); },
     [](QPointer<frmAscii> w) { QCOMPARE(area(*w, "txtMensaje")->text(), kDecodedMessage); }},
    {"closing the window during the paste", "txtBin", false,
     [](frmAscii &w) { testing::queueClose(&w); },
     [](QPointer<frmAscii> w) { QTRY_VERIFY(!w || !w->isVisible()); }},
};

} // namespace

class LargePasteTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { testing::destroyAllWindows(); }

    void inputDuringThePasteWaitsForIt_data();
    void inputDuringThePasteWaitsForIt();
};

void LargePasteTest::inputDuringThePasteWaitsForIt_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < int(std::size(kScenarios)); ++i) {
        QTest::newRow(kScenarios[i].name) << i;
    }
}

void LargePasteTest::inputDuringThePasteWaitsForIt()
{
    QFETCH(int, index);
    const Scenario &scenario = kScenarios[index];
    QPointer<frmAscii> window = &app::converterWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window));
    testing::setManualMode(window, scenario.manual); // before the message panel, where it warns
    BinaryTextEdit *field = binaryField(*window, scenario.field);
    const bool binaryPanel = QLatin1String(scenario.field) == QLatin1String("txtBin");
    { // slide the field's panel into view, where clicks reach it
        testing::ManualClock clock;
        QTest::mouseClick(element<QWidget>(window, binaryPanel ? "cmdBoton1" : "cmd1"),
                          Qt::LeftButton);
        QVERIFY(clock.advanceUntilStill());
    }
    QVERIFY(testing::clickField(field));
    testing::typeText(field, binaryPanel ? QStringLiteral("1010") : QStringLiteral("01000001"));
    QApplication::clipboard()->setText(binaryPanel
                                           ? QString(kSlicedDigits, u'1')
                                           : QStringLiteral("01000010").repeated(kSlicedLetters));

    bool queuedWhilePasting = false;
    QTimer::singleShot(0, window, [&] {
        queuedWhilePasting = field->isPasting();
        scenario.duringPaste(*window);
    });
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier); // returns once the paste is applied
    QVERIFY(queuedWhilePasting);
    QCoreApplication::processEvents(); // now the queued input
    scenario.check(window);
}

QTEST_MAIN(LargePasteTest)
#include "large_paste_test.moc"
