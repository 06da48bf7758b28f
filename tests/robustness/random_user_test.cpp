// SPDX-License-Identifier: GPL-3.0-or-later
// A user at random: thousands of actions over all three windows (typing any
// character, pasting texts of any length, moving the focus, clicking every
// button and tab, switching manual mode, opening and closing the table and
// the about box, changing fonts), the windows' timers running in between on a
// manual clock. After every action the program's invariants must hold.
//
// A seed gives one run: the clock, not the machine's speed, decides when each
// timer fires. Every action goes into a trace with what the windows showed
// after it; a failing run prints its seed and the end of its trace.
//
// VANTREL_RANDOM_ACTIONS and VANTREL_RANDOM_SEED make the run longer or pick
// one seed (./fuzz.sh does both).

#include "application.h"
#include "binary_text_edit.h"
#include "code_text.h"
#include "fresh_windows.h"
#include "frmAscii.h"
#include "frmAsciiColl.h"
#include "house_colours.h"
#include "manual_clock.h"
#include "palette_use.h"
#include "queued_input.h"
#include "recording_prompt.h"
#include "screen_colours.h"
#include "text_area.h"
#include "twips.h"
#include "typing.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QHash>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRandomGenerator>
#include <QTest>
#include <QTimer>

using namespace vantrel;
using testing::element;

namespace {

const QList<QColor> kFieldColours = {colours::kActive, colours::kIdle, colours::kInvalid};
const char *const kConverterFields[] = {"txtC",       "txtA",    "txtB",  "txtMensaje",
                                        "txtBinario", "txtHexa", "txtBin"};
const char *const kButtons[] = {"cmd1",    "cmdBoton0", "cmdBoton1", "Option1",
                                "Option2", "chkManual", "cmd2",      "cmd3"};
constexpr int kDefaultActions = 1500;
constexpr int kReplayedActions = 400;
constexpr int kTracePrinted = 40;
constexpr qsizetype kLargestPaste = 200'000;
// Long enough for a binary field to convert the paste in slices.
constexpr qsizetype kSlicedPaste = 4'200'000;

qsizetype textLength(const QWidget *field)
{
    if (const auto *line = qobject_cast<const QLineEdit *>(field)) {
        return line->text().size();
    }
    if (const auto *area = qobject_cast<const QPlainTextEdit *>(field)) {
        return area->document()->characterCount() - 1; // less the closing paragraph separator
    }
    return field->property("plainText").toString().size();
}

// What the windows show, in brief: the clock's time, the converter's text
// lengths, its frames' positions in twips, the focused element, whether the
// table is open and how many messages the user has been shown.
QString observedState(const testing::ManualClock &clock, const testing::RecordingPrompt &prompt)
{
    const frmAscii &converter = app::converterWindow();
    QStringList lengths;
    for (const char *name : kConverterFields) {
        lengths << QString::number(textLength(element<QWidget>(&converter, name)));
    }
    const QWidget *focus = QApplication::focusWidget();
    const frmAsciiColl *table = testing::openTableWindow();
    return QStringLiteral("t=%1 texts=%2 Frame1=%3 Frame2=%4 focus=%5 table=%6 messages=%7")
        .arg(clock.elapsedMs())
        .arg(lengths.join(QLatin1Char('/')))
        .arg(twips::geometry(element<QWidget>(&converter, "Frame1")).left())
        .arg(twips::geometry(element<QWidget>(&converter, "Frame2")).top())
        .arg(focus ? focus->objectName() : QStringLiteral("none"))
        .arg(table && table->isVisible() ? QStringLiteral("open") : QStringLiteral("closed"))
        .arg(prompt.messages().size());
}

// Clicks OK in the about box that shows next: a zero timer fires inside the
// box's own event loop, once the box is up.
// Closes every about box once it shows, whenever that is: at once, or after
// a paste that the click waited for.
class AboutBoxCloser : public QObject
{
public:
    AboutBoxCloser() { QCoreApplication::instance()->installEventFilter(this); }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *box = qobject_cast<QWidget *>(watched);
        if (event->type() == QEvent::Show && box && box->isWindow()) {
            if (auto *ok = box->findChild<QAbstractButton *>(QStringLiteral("aboutOk"))) {
                QMetaObject::invokeMethod(
                    ok, [ok] { QTest::mouseClick(ok, Qt::LeftButton); }, Qt::QueuedConnection);
            }
        }
        return false;
    }
};

class RandomUser
{
public:
    RandomUser(quint32 seed, testing::ManualClock &clock, const testing::RecordingPrompt &prompt)
        : m_random(seed), m_clock(clock), m_prompt(prompt)
    {}

    // One action, then the few milliseconds it takes a user.
    void act();
    [[nodiscard]] QString lastAction() const { return m_lastAction; }
    // Every action so far, each with what the windows showed after it.
    [[nodiscard]] const QStringList &trace() const { return m_trace; }

private:
    frmAscii &converter() { return app::converterWindow(); }
    void actOnce();
    QString randomCharacter();
    QString randomText(qsizetype maxLength);
    QWidget *randomField();
    void typeSomething();
    void pasteSomething();
    void pasteInSlicesWhileActing();
    void clickSomething();
    void useTheTable();

    QRandomGenerator m_random;
    testing::ManualClock &m_clock;
    const testing::RecordingPrompt &m_prompt;
    QString m_lastAction;
    QStringList m_trace;
};

QString RandomUser::randomCharacter()
{
    static const QString pool =
        QString::fromUtf8("01 01ABCabcz9&H.-+eE\t€ŠœŸ¡ñÑáé¿ÿ\u0081\u008D\u00A0中😀\r\n"
                          "\u2028\u2029\u240D\u240A\uFDD0\uFDD1");
    switch (m_random.bounded(6)) {
    case 0:
        return QString(QChar(m_random.bounded(1, 32))); // control characters
    case 1:
        return QString(QChar(m_random.bounded(32, 256)));
    default: {
        const qsizetype at = m_random.bounded(pool.size());
        return pool.at(at).isSurrogate() ? QString::fromUtf8("😀") : QString(pool.at(at));
    }
    }
}

QString RandomUser::randomText(qsizetype maxLength)
{
    const qsizetype length = m_random.bounded(maxLength + 1);
    QString text;
    text.reserve(length);
    switch (m_random.bounded(5)) {
    case 0: // binary-looking
        while (text.size() < length) {
            text += m_random.bounded(200) == 0 ? QStringLiteral("\r\n")
                                               : QString(QChar('0' + m_random.bounded(2)));
        }
        break;
    case 1: // hexadecimal-looking
        while (text.size() < length) {
            text += QStringLiteral("0123456789ABCDEFabcdefG\n").at(m_random.bounded(24));
        }
        break;
    case 2: // the marker
        text = QStringLiteral("!(Código no válido)");
        break;
    default:
        while (text.size() < length) {
            text += randomCharacter();
        }
        break;
    }
    return text;
}

QWidget *RandomUser::randomField()
{
    const char *name = kConverterFields[m_random.bounded(int(std::size(kConverterFields)))];
    return converter().findChild<QWidget *>(QString::fromLatin1(name));
}

void RandomUser::typeSomething()
{
    QWidget *field = randomField();
    (void)testing::giveFocus(field);
    const int keys = m_random.bounded(1, 12);
    m_lastAction = QStringLiteral("type %1 keys into %2").arg(keys).arg(field->objectName());
    for (int i = 0; i < keys; ++i) {
        switch (m_random.bounded(10)) {
        case 0:
            QTest::keyClick(field, Qt::Key_Return);
            break;
        case 1:
            QTest::keyClick(field, Qt::Key_Backspace);
            break;
        case 2:
            QTest::keyClick(field, Qt::Key_Delete);
            break;
        default:
            testing::typeText(field, randomCharacter());
            break;
        }
    }
}

void RandomUser::pasteSomething()
{
    if (m_random.bounded(60) == 0) {
        pasteInSlicesWhileActing();
        return;
    }
    QWidget *field = randomField();
    const bool large = m_random.bounded(20) == 0;
    const QString text = randomText(large ? kLargestPaste : 200);
    m_lastAction =
        QStringLiteral("paste %1 characters into %2").arg(text.size()).arg(field->objectName());
    (void)testing::giveFocus(field);
    const auto *area = qobject_cast<TextArea *>(field);
    // A paste over everything keeps the fields from growing without end.
    if ((area && area->text().size() > kLargestPaste) || m_random.bounded(2) == 0) {
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
    }
    QApplication::clipboard()->setText(text);
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
}

// A paste into a binary field so long that it is converted in slices, with
// keys and a click arriving meanwhile, queued as the window system queues
// them: they wait for the paste and are handled after it.
void RandomUser::pasteInSlicesWhileActing()
{
    const char *name = m_random.bounded(2) == 0 ? "txtBin" : "txtBinario";
    auto *field = converter().findChild<QWidget *>(QString::fromLatin1(name));
    QString keys;
    for (int i = m_random.bounded(1, 5); i > 0; --i) {
        keys += QStringLiteral("01a").at(m_random.bounded(3));
    }
    const char *clicked =
        m_random.bounded(2) == 0
            ? kButtons[m_random.bounded(int(std::size(kButtons)) - 1)] // no about box
            : kConverterFields[m_random.bounded(int(std::size(kConverterFields)))];
    m_lastAction = QStringLiteral("paste %1 digits into %2, typing %3 and clicking %4 meanwhile")
                       .arg(kSlicedPaste)
                       .arg(QString::fromLatin1(name), keys, QString::fromLatin1(clicked));
    (void)testing::giveFocus(field);
    QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier); // replace, so the field stays bounded
    QApplication::clipboard()->setText(QStringLiteral("01").repeated(kSlicedPaste / 2));
    QTimer::singleShot(0, field, [this, field, keys, clicked] {
        testing::queueKeyClicks(field, keys);
        testing::queueMouseClick(converter().findChild<QWidget *>(QString::fromLatin1(clicked)));
    });
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    testing::handOnHeldInput(); // the paste, then the input that waited for it
}

void RandomUser::clickSomething()
{
    const char *name = kButtons[m_random.bounded(int(std::size(kButtons)))];
    m_lastAction = QStringLiteral("click %1").arg(QString::fromLatin1(name));
    QTest::mouseClick(converter().findChild<QWidget *>(QString::fromLatin1(name)), Qt::LeftButton);
}

void RandomUser::useTheTable()
{
    frmAsciiColl *table = testing::openTableWindow();
    if (!table || !table->isVisible()) {
        m_lastAction = QStringLiteral("open the table");
        QTest::mouseClick(converter().findChild<QWidget *>(QStringLiteral("cmd2")), Qt::LeftButton);
        return;
    }
    if (m_random.bounded(3) == 0) {
        m_lastAction = QStringLiteral("close the table");
        table->close();
        return;
    }
    static const QStringList fonts = {QStringLiteral("DejaVu Serif"), QStringLiteral("Arial"),
                                      QStringLiteral("No Such Font"), QString(10'000, 'f'),
                                      QString()};
    const QString font = fonts.at(m_random.bounded(fonts.size()));
    m_lastAction = QStringLiteral("font %1").arg(font.left(20));
    auto *fontField = table->findChild<QLineEdit *>(QStringLiteral("txtFont"));
    // Pasted over the old name: nobody types ten thousand letters.
    (void)testing::clickField(fontField);
    QTest::keyClick(fontField, Qt::Key_A, Qt::ControlModifier);
    QApplication::clipboard()->setText(font);
    QTest::keyClick(fontField, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(fontField, Qt::Key_Return);
}

void RandomUser::act()
{
    actOnce();
    m_clock.advance(m_random.bounded(10));
    m_trace << QStringLiteral("%1 -> %2").arg(m_lastAction, observedState(m_clock, m_prompt));
}

void RandomUser::actOnce()
{
    switch (m_random.bounded(12)) {
    case 0:
    case 1:
    case 2:
        typeSomething();
        break;
    case 3:
    case 4:
        pasteSomething();
        break;
    case 5:
    case 6:
    case 7:
        clickSomething();
        break;
    case 8:
        useTheTable();
        break;
    case 9:
        m_lastAction = QStringLiteral("Tab");
        QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget()
                                                    : static_cast<QWidget *>(&converter()),
                        Qt::Key_Tab);
        break;
    default: {
        const int ms = m_random.bounded(40);
        m_lastAction = QStringLiteral("wait %1 ms").arg(ms);
        m_clock.advance(ms);
        break;
    }
    }
}

} // namespace

class RandomUserTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { testing::destroyAllWindows(); }

    void invariantsHoldAfterEveryAction_data();
    void invariantsHoldAfterEveryAction();
    void sameSeedReplaysTheSameTrace();

private:
    // Runs the user from fresh windows, checking the invariants after every
    // action; on a failure prints the end of the trace.
    void run(quint32 seed, int actions, QStringList &trace);
    void checkInvariants(const QString &afterAction);

    QHash<const QWidget *, quint64> m_countedRevision;
};

namespace {

quint32 chosenSeed()
{
    return quint32(qEnvironmentVariableIntValue("VANTREL_RANDOM_SEED"));
}

int chosenActions()
{
    return qEnvironmentVariableIsSet("VANTREL_RANDOM_ACTIONS")
               ? qEnvironmentVariableIntValue("VANTREL_RANDOM_ACTIONS")
               : kDefaultActions;
}

void printTrace(quint32 seed, const QStringList &trace)
{
    const qsizetype from = std::max<qsizetype>(0, trace.size() - kTracePrinted);
    qWarning().noquote() << QStringLiteral(
                                "seed %1, actions %2 to %3 of the trace "
                                "(replay: VANTREL_RANDOM_SEED=%1 VANTREL_RANDOM_ACTIONS=%4):")
                                .arg(seed)
                                .arg(from)
                                .arg(trace.size() - 1)
                                .arg(trace.size());
    for (qsizetype i = from; i < trace.size(); ++i) {
        qWarning().noquote() << QStringLiteral("  %1: %2").arg(i).arg(trace.at(i));
    }
}

} // namespace

void RandomUserTest::run(quint32 seed, int actions, QStringList &trace)
{
    testing::ManualClock clock;
    testing::RecordingPrompt prompt;
    frmAscii &converter = app::converterWindow();
    converter.show();
    QVERIFY(QTest::qWaitForWindowActive(&converter));
    m_countedRevision.clear();
    const AboutBoxCloser closer;
    RandomUser user(seed, clock, prompt);
    for (int action = 0; action < actions; ++action) {
        user.act();
        checkInvariants(QStringLiteral("action %1 (%2)").arg(action).arg(user.lastAction()));
        if (QTest::currentTestFailed()) {
            printTrace(seed, user.trace());
            break;
        }
    }
    trace = user.trace();
    testing::destroyAllWindows();
}

void RandomUserTest::checkInvariants(const QString &afterAction)
{
    frmAscii &converter = app::converterWindow();
    const QByteArray context = afterAction.toUtf8();
    const auto line = [&](const char *name) { return element<QLineEdit>(&converter, name); };
    const auto area = [&](const char *name) { return element<TextArea>(&converter, name); };

    for (const char *name : {"txtC", "txtA", "txtB"}) {
        QVERIFY2(line(name)->text().size() <= line(name)->maxLength(), context + " " + name);
    }
    QVERIFY2(toCodeText(area("txtMensaje")->text()).size() <= 500, context);
    QVERIFY2(toCodeText(area("txtHexa")->text()).size() <= 500, context);
    // What the binary fields' validity rests on, kept through every edit;
    // recounted only after a change, as the fields grow to millions.
    for (const char *name : {"txtBinario", "txtBin"}) {
        const auto *field = element<BinaryTextEdit>(&converter, name);
        if (std::exchange(m_countedRevision[field], field->revision()) == field->revision()) {
            continue;
        }
        const std::string codes = field->codeText();
        const auto digits = std::count(codes.begin(), codes.end(), '0') +
                            std::count(codes.begin(), codes.end(), '1');
        QVERIFY2(field->nonBinaryCodes() == qsizetype(codes.size()) - digits,
                 context + " non-digits of " + name);
    }
    for (const char *name : kConverterFields) {
        QVERIFY2(kFieldColours.contains(testing::background(element<QWidget>(&converter, name))),
                 context + " colour of " + name);
    }

    int converters = 0;
    int tables = 0;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        converters += qobject_cast<frmAscii *>(window) ? 1 : 0;
        tables += qobject_cast<frmAsciiColl *>(window) && window->isVisible() ? 1 : 0;
    }
    QVERIFY2(converters == 1 && tables <= 1, context);

    bool moving = false;
    for (const char *name : {"tmrSizeH", "tmrRebote1", "tmrSizeV", "tmrRebote2"}) {
        moving |= element<QTimer>(&converter, name)->isActive();
    }
    if (!moving) {
        // The arrow offers the way back from the message panel; the chosen tab is lit.
        const bool messagePanel = element<QWidget>(&converter, "cmd1")->toolTip() ==
                                  QStringLiteral(" Ver conversión de valores. ");
        const bool hexTab =
            testing::background(element<QWidget>(&converter, "cmdBoton1")) == colours::kActive;
        const int left = twips::geometry(element<QWidget>(&converter, "Frame1")).left();
        const int top = twips::geometry(element<QWidget>(&converter, "Frame2")).top();
        QVERIFY2(left == (messagePanel ? -4080 : 0), context);
        QVERIFY2(top == (hexTab ? -2640 : 0), context);
    }
}

void RandomUserTest::invariantsHoldAfterEveryAction_data()
{
    QTest::addColumn<quint32>("seed");
    const quint32 chosen = chosenSeed();
    for (const quint32 seed : chosen ? QList<quint32>{chosen} : QList<quint32>{7u, 2026u, 31337u}) {
        QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(seed))) << seed;
    }
}

void RandomUserTest::invariantsHoldAfterEveryAction()
{
    QFETCH(quint32, seed);
    const int actions = chosenActions();
    QStringList trace;
    run(seed, actions, trace);
    if (!QTest::currentTestFailed()) {
        qInfo("seed %u: %d actions", seed, actions);
    }
}

void RandomUserTest::sameSeedReplaysTheSameTrace()
{
    const quint32 seed = chosenSeed() ? chosenSeed() : 2026u;
    const int actions = std::min(kReplayedActions, chosenActions());
    QStringList first;
    run(seed, actions, first);
    QStringList second;
    if (!QTest::currentTestFailed()) {
        run(seed, actions, second);
    }
    if (QTest::currentTestFailed()) {
        return;
    }
    QCOMPARE(first.size(), actions);
    for (qsizetype i = 0; i < first.size(); ++i) {
        if (second.value(i) != first.at(i)) {
            printTrace(seed, first.mid(0, i + 1));
            QFAIL(qPrintable(QStringLiteral("action %1 went otherwise the second time: %2")
                                 .arg(i)
                                 .arg(second.value(i))));
        }
    }
}

QTEST_MAIN(RandomUserTest)
#include "random_user_test.moc"
