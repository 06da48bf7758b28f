// SPDX-License-Identifier: GPL-3.0-or-later
// A paste large enough to be converted in slices is, to the user and to the
// panels, one instant edit: whatever the user does meanwhile waits, and is
// then handled in order. The input is queued as the window system queues it;
// drops come as a drag from another program ends. What ends the paste from
// inside the program (the window deleted, the application told to exit)
// leaves nothing half done.
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
#include <QMimeData>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <functional>

using namespace vantrel;
using testing::element;

namespace {

// More characters than a paste converts at once.
constexpr qsizetype kSlicedDigits = 5'000'001;
// How long a sliced paste may take: only a paste that never ends fails.
constexpr int kPasteWait = 600'000;
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

// Text dragged onto a field's viewport and dropped near its top left corner,
// where the text starts.
void dropText(QWidget *viewport, const QString &text)
{
    QMimeData data;
    data.setText(text);
    const QPoint at(1, 1);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &enter);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(viewport, &drop);
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
    {"a drop onto the hexadecimal field comes after the paste", "txtBin", false,
     [](frmAscii &w) { dropText(area(w, "txtHexa")->viewport(), QStringLiteral("00")); },
     [](QPointer<frmAscii> w) {
         // Taken first, the drop would have rewritten the binary field from
         // "00A" and ended the paste. After it, the hexadecimal field is full.
         QVERIFY(binaryField(*w, "txtBin")->codeText() == kBinaryPanelText);
         QCOMPARE(testing::fieldText(area(*w, "txtHexa")), hexOfBinaryPanelText());
     }},
    {"a drop onto the field being pasted into comes after the paste", "txtBin", false,
     [](frmAscii &w) { dropText(binaryField(w, "txtBin")->viewport(), QStringLiteral("0")); },
     [](QPointer<frmAscii> w) {
         // Where the view shows after the paste: near its end.
         const std::string text = binaryField(*w, "txtBin")->codeText();
         QCOMPARE(text.size(), kBinaryPanelText.size() + 1);
         QCOMPARE(std::count(text.begin(), text.end(), '0'), 3);
         QVERIFY(text.find('0', 4) > text.size() / 2);
     }},
    {"a dialog opened meanwhile takes the keys typed after it", "txtBin", false,
     [](frmAscii &w) {
         testing::queueKeyClick(binaryField(w, "txtBin"), Qt::Key_F1); // the about box
         testing::queueKeyClick(binaryField(w, "txtBin"), Qt::Key_Return);
     },
     [](QPointer<frmAscii> w) {
         QVERIFY(!QApplication::activeModalWidget()); // Return closed it
         QVERIFY(binaryField(*w, "txtBin")->codeText() == kBinaryPanelText);
     }},
    {"closing the window during the paste", "txtBin", false,
     [](frmAscii &w) { testing::queueClose(&w); },
     [](QPointer<frmAscii> w) { QTRY_VERIFY(!w || !w->isVisible()); }},
};

enum class Ending { DeleteWindow, Exit, QueuedClose };

} // namespace

class LargePasteTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { testing::destroyAllWindows(); }

    void inputDuringThePasteWaitsForIt_data();
    void inputDuringThePasteWaitsForIt();
    void endedFromInsideTheProgram_data();
    void endedFromInsideTheProgram();
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

    QSignalSpy finished(field, &BinaryTextEdit::pasteFinished);
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier); // returns at once
    QVERIFY(field->isPasting());
    scenario.duringPaste(*window);
    testing::takeQueuedInput();
    QVERIFY(field->isPasting());
    QVERIFY(finished.wait(kPasteWait));
    testing::handOnHeldInput();
    scenario.check(window);
}

// The paste ended from inside the program, by what holds no user input: the
// window deleted by a timer, the application told to exit, the window
// closed. The paste is applied whole or not at all, and nothing is used
// after it is freed (the sanitizer build shows it).
void LargePasteTest::endedFromInsideTheProgram_data()
{
    QTest::addColumn<int>("ending");
    QTest::newRow("a timer deletes the window") << int(Ending::DeleteWindow);
    QTest::newRow("the application is told to exit") << int(Ending::Exit);
    QTest::newRow("a queued close") << int(Ending::QueuedClose);
}

void LargePasteTest::endedFromInsideTheProgram()
{
    QFETCH(int, ending);
    QPointer<frmAscii> window = &app::converterWindow();
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window));
    QPointer<BinaryTextEdit> field = binaryField(*window, "txtBin");
    field->setPlainText(QStringLiteral("1010"));
    field->moveCursorToEnd();
    QApplication::clipboard()->setText(QString(kSlicedDigits, u'1'));
    QSignalSpy finished(field.data(), &BinaryTextEdit::pasteFinished);
    QSignalSpy gone(field.data(), &QObject::destroyed);
    field->paste();
    QVERIFY(field->isPasting());
    switch (Ending(ending)) {
    case Ending::DeleteWindow:
        QTimer::singleShot(0, [window] { delete window.data(); });
        QVERIFY(gone.wait(kPasteWait));
        testing::handOnHeldInput(); // with nothing left to hand it to
        return;
    case Ending::Exit:
        // The application's own loop, as the program runs it, told to end
        // while the paste is converted.
        QTimer::singleShot(0, [] { QCoreApplication::exit(); });
        QCoreApplication::exec();
        break;
    case Ending::QueuedClose:
        QMetaObject::invokeMethod(window, &QWidget::close, Qt::QueuedConnection);
        break;
    }
    const std::string text = field->codeText();
    QVERIFY(text == "1010" || text == kBinaryPanelText);
    QVERIFY(!finished.isEmpty() || finished.wait(kPasteWait));
    QVERIFY(field->codeText() == kBinaryPanelText);
    testing::handOnHeldInput();
}

QTEST_MAIN(LargePasteTest)
#include "large_paste_test.moc"
