// SPDX-License-Identifier: GPL-3.0-or-later
// BinaryTextEdit against QPlainTextEdit: a random user types, moves, clicks,
// drags and scrolls in both fields alike, and after every input the two must
// show the same text, caret, selection, clipboard, first line in view, lines
// in view and scroll bar. QPlainTextEdit with the same font, size and
// wrapping is the reference: what it does on this platform is what the
// field must do.
//
// Each field has a window of its own, so that clicking one never takes the
// focus from the other. Inputs reach a field at once, as the window system
// delivers them, with the same timestamps in both. The fields' timers (caret
// blinking, the triple-click interval, auto-scrolling while a drag is outside
// the field) run on a clock that only the test moves, so a seed replays the
// same run on any machine. On the first difference the test prints the seed,
// the run up to it and the smallest run it can find that still shows it.
//
// VANTREL_PARITY_SEED picks one seed; VANTREL_PARITY_SEEDS adds a range of
// seeds ("1-150") to the fixed ones, as CTest gives each build a range of its
// own; VANTREL_PARITY_SHARE ("2/3") keeps every third of those seeds from the
// second on, so that runs side by side share them out; VANTREL_PARITY_EVENTS
// sets how many inputs each seed makes.

#include "binary_field_element.h"
#include "binary_text_edit.h"
#include "elements.h"
#include "reference_edit.h"
#include "typing.h"

#include <QAbstractEventDispatcher>
#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRandomGenerator>
#include <QScrollBar>
#include <QSpontaneKeyEvent>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <functional>
#include <optional>
#include <set>
#include <utility>

using namespace vantrel;

namespace {

// Fibonacci's numbers, then seeds that once found the field apart from
// QPlainTextEdit (in undo steps, and in the column that Up, Down and the
// page keys keep).
const quint32 kSeeds[] = {1,   2,   3,   5,    8,    13,   21,   34,    55,  89,  144, 233,
                          377, 610, 987, 1597, 2584, 4181, 6765, 10946, 100, 111, 142, 151,
                          197, 199, 206, 255,  271,  274,  285,  302,   313, 332, 347, 381};
constexpr int kDefaultInputs = 3000;
constexpr int kReplayedInputs = 150;
constexpr int kShrinkReplays = 250;
const QRect kFieldTwips(120, 120, 4455, 1215);

// Keys as the user presses them; a key listed twice comes twice as often.
const char *const kEditKeys[] = {"Return",    "Return",          "Shift+Return",   "Backspace",
                                 "Backspace", "Shift+Backspace", "Ctrl+Backspace", "Del",
                                 "Del",       "Shift+Del",       "Ctrl+Del",       "Ctrl+A",
                                 "Ctrl+C",    "Ctrl+X",          "Ctrl+V",         "Ctrl+Z",
                                 "Ctrl+Y",    "Ctrl+Shift+Z",    "Ctrl+K"};
const char *const kMoveKeys[] = {"Left", "Right", "Up", "Down", "Home", "End", "PgUp", "PgDown"};
const char *const kMoveModifiers[] = {"", "", "Shift+", "Ctrl+", "Ctrl+Shift+"};

// What a user can tell of a field, as readable values in this order.
const char *const kAspects[] = {"text",
                                "caret",
                                "selection anchor",
                                "clipboard",
                                "selection clipboard",
                                "first line in view",
                                "lines in view",
                                "scroll bar"};
using Observation = QStringList;

void deliverPostedEvents()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// One input, after waitMs of the test's clock. A key is pressed and released.
struct Input
{
    QEvent::Type type = QEvent::KeyPress;
    int waitMs = 0;
    QKeyCombination key;
    QString text;
    Qt::KeyboardModifiers modifiers;
    Qt::MouseButton button = Qt::NoButton;
    QPoint point; // in the viewport
    bool outside = false;
    int wheelDelta = 0;
};

// What a user does in one go: a key, a click, a triple click, a drag.
using Gesture = QList<Input>;

struct Run
{
    QString startText;
    QString clipboard;
    QList<Gesture> gestures;
};

struct Mismatch
{
    int gesture = -1; // -1: before any input
    int input = 0;
    bool waiting = false; // they differ once the clock moved on, before the input
    QString aspect;
    Observation reference;
    Observation binary;
};

QString escaped(QString text)
{
    return QLatin1Char('"') + text.replace(QLatin1Char('\n'), QLatin1String("\\n")) +
           QLatin1Char('"');
}

QString describe(const Input &input)
{
    if (input.type == QEvent::KeyPress) {
        return input.text.size() == 1 && input.text.at(0).isPrint()
                   ? QStringLiteral("type '%1'").arg(input.text)
                   : QStringLiteral("key ") + QKeySequence(input.key).toString();
    }
    QString name =
        input.type == QEvent::Wheel
            ? (input.wheelDelta > 0 ? QStringLiteral("wheel up") : QStringLiteral("wheel down"))
        : input.type == QEvent::MouseMove           ? QStringLiteral("move")
        : input.type == QEvent::MouseButtonDblClick ? QStringLiteral("double-click")
        : input.type == QEvent::MouseButtonPress    ? QStringLiteral("press")
                                                    : QStringLiteral("release");
    if (input.button == Qt::MiddleButton) {
        name += QStringLiteral(" middle");
    }
    if (input.modifiers & Qt::ShiftModifier) {
        name.prepend(QStringLiteral("shift+"));
    }
    return name + QStringLiteral(" at (%1,%2)").arg(input.point.x()).arg(input.point.y()) +
           (input.outside ? QStringLiteral(", outside the field") : QString());
}

// A user at random over a viewport of a given size: short texts of binary
// digits with a few letters and spaces, every editing and moving key, and the
// mouse anywhere in the field.
class RandomUser
{
public:
    RandomUser(quint32 seed, QSize viewport) : m_random(seed), m_viewport(viewport) {}

    Run run(int inputs)
    {
        Run run{text(1 + pick(7), 140), text(1 + pick(2), 12), {}};
        for (int made = 0; made < inputs; made += int(run.gestures.last().size())) {
            run.gestures << gesture();
        }
        return run;
    }

private:
    int pick(int count) { return int(m_random.bounded(count)); }

    QChar character()
    {
        static const char kCharacters[] = "0000000111111100  ab";
        return QLatin1Char(kCharacters[pick(int(sizeof kCharacters) - 1)]);
    }

    QString text(int paragraphs, int longest)
    {
        QStringList lines;
        for (int i = 0; i < paragraphs; ++i) {
            lines << QString();
            for (int length = pick(100) < 30 ? pick(12) : pick(longest); length > 0; --length) {
                // Tabs come only in texts: the Tab key moves the focus.
                lines.last() += pick(100) < 4 ? QChar(u'\t') : character();
            }
        }
        return lines.join(QLatin1Char('\n'));
    }

    static Input key(const QString &sequence)
    {
        Input input;
        input.key = QKeySequence::fromString(sequence)[0];
        input.modifiers = input.key.keyboardModifiers();
        // The text a keyboard sends with the key: a control character with Ctrl.
        const Qt::Key code = input.key.key();
        if (code == Qt::Key_Return || code == Qt::Key_Backspace || code == Qt::Key_Delete) {
            input.text = QChar(code == Qt::Key_Return ? 13 : code == Qt::Key_Backspace ? 8 : 127);
        } else if (input.modifiers & Qt::ControlModifier && code >= Qt::Key_A &&
                   code <= Qt::Key_Z) {
            input.text = QChar(code - Qt::Key_A + 1);
        }
        return input;
    }

    Input mouse(QEvent::Type type, QPoint point, Qt::MouseButton button = Qt::LeftButton,
                Qt::KeyboardModifiers modifiers = {})
    {
        Input input;
        input.type = type;
        input.waitMs = 30 + pick(120); // within a double-click interval
        input.point = point;
        input.outside = !QRect(QPoint(), m_viewport).contains(point);
        input.button = type == QEvent::MouseMove || type == QEvent::Wheel ? Qt::NoButton : button;
        input.modifiers = modifiers;
        return input;
    }

    QPoint inView() { return {pick(m_viewport.width()), pick(m_viewport.height())}; }

    // One click, or two or three quick ones at about the same point.
    Gesture clicks(int count, Qt::MouseButton button = Qt::LeftButton,
                   Qt::KeyboardModifiers modifiers = {})
    {
        const QPoint first = inView();
        Gesture gesture;
        for (int i = 0; i < count; ++i) {
            const QPoint at = i == 0 ? first : first + QPoint(pick(5) - 2, pick(5) - 2);
            gesture << mouse(i == 1 ? QEvent::MouseButtonDblClick : QEvent::MouseButtonPress, at,
                             button, modifiers)
                    << mouse(QEvent::MouseButtonRelease, at, button, modifiers);
        }
        return gesture;
    }

    // A press, moves that may leave the viewport, and the release.
    Gesture drag()
    {
        Gesture gesture{mouse(QEvent::MouseButtonPress, inView())};
        for (int moves = 1 + pick(4); moves > 0; --moves) {
            gesture << mouse(QEvent::MouseMove, {pick(m_viewport.width() + 60) - 30,
                                                 pick(m_viewport.height() + 80) - 40});
            gesture.last().waitMs = 20 + pick(250);
        }
        return gesture << mouse(QEvent::MouseButtonRelease, gesture.last().point);
    }

    Gesture gesture()
    {
        Gesture gesture;
        const int kind = pick(100);
        if (kind < 29) {
            const QChar typed = character();
            gesture = {key(typed == QLatin1Char(' ') ? QStringLiteral("Space") : QString(typed))};
            gesture.last().text = typed;
        } else if (kind < 54) {
            gesture = {key(QLatin1String(kMoveModifiers[pick(int(std::size(kMoveModifiers)))]) +
                           QLatin1String(kMoveKeys[pick(int(std::size(kMoveKeys)))]))};
        } else if (kind < 72) {
            gesture = {key(QLatin1String(kEditKeys[pick(int(std::size(kEditKeys)))]))};
        } else if (kind < 79) {
            gesture = clicks(1);
        } else if (kind < 82) {
            gesture = clicks(1, Qt::LeftButton, Qt::ShiftModifier);
        } else if (kind < 85) {
            gesture = clicks(2);
        } else if (kind < 88) {
            gesture = clicks(3);
        } else if (kind < 94) {
            gesture = drag();
        } else if (kind < 95) {
            gesture = clicks(1, Qt::MiddleButton);
        } else {
            gesture = {mouse(QEvent::Wheel, inView())};
            gesture.last().wheelDelta = pick(2) ? 120 : -120;
        }
        // Long enough between gestures that no click makes a double click.
        gesture.first().waitMs = 500 + pick(1000);
        return gesture;
    }

    QRandomGenerator m_random;
    QSize m_viewport;
};

// The timers of the widgets in some windows, on a clock that only the test
// moves: the event loop never fires them. A timer's interval counts from when
// the clock first sees it running.
class WindowClock : public QObject
{
public:
    explicit WindowClock(QList<QWidget *> windows) : m_windows(std::move(windows))
    {
        QCoreApplication::instance()->installEventFilter(this);
    }
    ~WindowClock() override { QCoreApplication::instance()->removeEventFilter(this); }

    void restart()
    {
        m_now = 0;
        m_timers.clear();
    }
    [[nodiscard]] qint64 now() const { return m_now; }

    // Moves the time on by ms, firing each timeout due on the way, the
    // earliest first, between `before` and `after`. Returns whether any fired.
    bool advance(int ms, const std::function<void()> &before, const std::function<void()> &after)
    {
        const qint64 end = m_now + ms;
        bool fired = false;
        for (look();; look()) {
            const auto next =
                std::min_element(m_timers.begin(), m_timers.end(),
                                 [](const Timer &a, const Timer &b) { return a.due < b.due; });
            if (next == m_timers.end() || next->due > end) {
                break;
            }
            m_now = next->due;
            next->due = m_now + next->interval;
            const QPointer<QObject> object = next->object;
            QTimerEvent timeout(next->id);
            before();
            m_stepping = &timeout;
            if (object) {
                QCoreApplication::sendEvent(object, &timeout);
            }
            m_stepping = nullptr;
            after();
            fired = true;
        }
        m_now = end;
        return fired;
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::Timer || event == m_stepping) {
            return false;
        }
        for (const QObject *object = watched; object; object = object->parent()) {
            if (object->isWidgetType()) {
                return m_windows.contains(static_cast<const QWidget *>(object)->window());
            }
        }
        return false;
    }

private:
    struct Timer
    {
        QPointer<QObject> object;
        int id = 0;
        int interval = 1;
        qint64 due = 0;
    };

    // Takes note of the timers started and stopped since the last look.
    void look()
    {
        std::vector<Timer> seen;
        for (QWidget *window : m_windows) {
            QList<QObject *> objects = window->findChildren<QObject *>();
            objects.prepend(window);
            for (QObject *object : objects) {
                for (const auto &info :
                     QAbstractEventDispatcher::instance()->registeredTimers(object)) {
                    const int interval = std::max(1, info.interval);
                    const auto known = std::find_if(m_timers.begin(), m_timers.end(), [&](auto &t) {
                        return t.object == object && t.id == info.timerId && t.interval == interval;
                    });
                    seen.push_back({object, info.timerId, interval,
                                    known != m_timers.end() ? known->due : m_now + interval});
                }
            }
        }
        m_timers = std::move(seen);
    }

    QList<QWidget *> m_windows;
    qint64 m_now = 0;
    std::vector<Timer> m_timers;
    const QEvent *m_stepping = nullptr;
};

// The reference, with the view geometry that QPlainTextEdit keeps protected.
class ReferenceEdit : public QPlainTextEdit
{
public:
    using QPlainTextEdit::blockBoundingGeometry;
    using QPlainTextEdit::contentOffset;
    using QPlainTextEdit::firstVisibleBlock;
    using QPlainTextEdit::QPlainTextEdit;
};

// QPlainTextDocumentLayout lays a changed paragraph out again only when it
// is next measured. Within an edit that can happen while QPlainTextEdit is
// still moving its view for that same edit, and the view then keeps a
// sixteenth of a pixel more or less, depending on which paragraphs were
// measured first. Laying every paragraph out before the view hears of the
// change keeps that accident out of the comparison, as settle() does
// between inputs.
class EagerLayout : public QPlainTextDocumentLayout
{
public:
    using QPlainTextDocumentLayout::QPlainTextDocumentLayout;

protected:
    void documentChanged(int from, int charsRemoved, int charsAdded) override
    {
        {
            const QSignalBlocker quiet(this);
            QPlainTextDocumentLayout::documentChanged(from, charsRemoved, charsAdded);
            for (QTextBlock block = document()->firstBlock(); block.isValid();
                 block = block.next()) {
                blockBoundingRect(block);
            }
        }
        Q_EMIT documentSizeChanged(documentSize());
        Q_EMIT update(QRectF(0, -document()->documentMargin(), 1e9, 1e9));
    }
};

// A BinaryTextEdit and a reference QPlainTextEdit set up alike, each in its
// own window, and what makes both live the same run.
class FieldPair : public QObject
{
public:
    FieldPair()
        : m_binaryWindow(std::make_unique<QWidget>()),
          m_referenceWindow(std::make_unique<QWidget>()),
          m_clock({m_binaryWindow.get(), m_referenceWindow.get()})
    {
        m_binaryWindow->setGeometry(20, 20, 400, 200);
        m_referenceWindow->setGeometry(20, 260, 400, 200);
        connect(QGuiApplication::clipboard(), &QClipboard::changed, this,
                [this](QClipboard::Mode mode) { m_written[mode] = true; });
    }
    ~FieldPair() override
    {
        delete m_binary;
        delete m_reference;
        // The cursor moves that the window system queued meanwhile find no field.
        QCoreApplication::processEvents();
    }

    [[nodiscard]] bool show()
    {
        makeFields({});
        m_binaryWindow->show();
        m_referenceWindow->show();
        return QTest::qWaitForWindowExposed(m_binaryWindow.get()) &&
               QTest::qWaitForWindowExposed(m_referenceWindow.get()) &&
               testing::giveFocus(m_binary);
    }
    [[nodiscard]] QSize viewportSize() const { return m_binary->viewport()->size(); }

    // Plays a run on fresh fields and returns the first difference. With
    // `observations`, records what both fields show at every step and plays
    // on to the end.
    std::optional<Mismatch> play(const Run &run, QStringList *observations = nullptr)
    {
        makeFields(run.startText);
        QGuiApplication::clipboard()->setText(run.clipboard);
        m_clock.restart();
        m_buttons = {};
        std::optional<Mismatch> first;
        const auto compare = [&](int gesture, int input, bool waiting) {
            const Observation reference = observe(m_reference);
            const Observation binary = observe(m_binary);
            if (observations) {
                *observations << reference.join(u'|') + QStringLiteral(" / ") + binary.join(u'|');
            }
            for (qsizetype i = 0; i < reference.size() && !first; ++i) {
                if (reference.at(i) != binary.at(i)) {
                    first = Mismatch{gesture,   input, waiting, QLatin1String(kAspects[i]),
                                     reference, binary};
                }
            }
            return !first || observations;
        };
        if (!compare(-1, 0, false)) {
            return first;
        }
        for (int g = 0; g < run.gestures.size(); ++g) {
            for (int i = 0; i < run.gestures.at(g).size(); ++i) {
                const Input &input = run.gestures.at(g).at(i);
                if (m_clock.advance(
                        input.waitMs, [this] { pointTheCursor(); }, [this] { settle(); }) &&
                    !compare(g, i, true)) {
                    return first;
                }
                m_referenceWrites = deliver(m_reference, input);
                m_binaryWrites = deliver(m_binary, input);
                if (input.type == QEvent::MouseButtonPress ||
                    input.type == QEvent::MouseButtonDblClick) {
                    m_buttons |= input.button;
                } else if (input.type == QEvent::MouseButtonRelease) {
                    m_buttons &= ~input.button;
                }
                m_lastPoint = input.type == QEvent::KeyPress ? m_lastPoint : input.point;
                if (!compare(g, i, false)) {
                    return first;
                }
            }
        }
        return first;
    }

private:
    void makeFields(const QString &text)
    {
        delete m_binary;
        delete m_reference;
        elements::FieldDesign design;
        design.font = elements::designFont(QStringLiteral("Calibri"), 12);
        design.tooltip = QStringLiteral(" VALOR BINARIO ");
        m_binary = elements::binaryTextEdit(m_binaryWindow.get(), QStringLiteral("txtBin"),
                                            kFieldTwips, design);
        m_reference = new ReferenceEdit(m_referenceWindow.get());
        m_reference->document()->setDocumentLayout(new EagerLayout(m_reference->document()));
        m_reference->setGeometry(m_binary->geometry());
        testing::setUpLikeBinaryField(*m_reference, *m_binary);
        m_binary->show();
        m_reference->show();
        m_binary->setFocus();
        m_reference->setFocus();
        m_binary->setPlainText(text);
        m_reference->setPlainText(text);
        settle();
        m_referenceWrites = m_binaryWrites = {};
    }

    // What the event loop does between two inputs, timers aside: posted
    // events, painting among them. QPlainTextEdit lays a paragraph out only
    // once it paints or measures it, and until then counts it as one line in
    // its scroll range and line numbers; laying them all out keeps that
    // laziness out of the comparison.
    void settle()
    {
        deliverPostedEvents();
        QAbstractTextDocumentLayout *layout = m_reference->document()->documentLayout();
        for (QTextBlock block = m_reference->document()->firstBlock(); block.isValid();
             block = block.next()) {
            layout->blockBoundingRect(block);
        }
        deliverPostedEvents();
    }

    // Auto-scrolling QPlainTextEdit looks for the mouse at the cursor.
    void pointTheCursor()
    {
        if (m_buttons != Qt::NoButton) {
            QCursor::setPos(m_reference->viewport()->mapToGlobal(m_lastPoint));
        }
    }

    // Sends an input to a field and returns the clipboards it wrote.
    QMap<QClipboard::Mode, bool> deliver(QAbstractScrollArea *field, const Input &input)
    {
        m_written.clear();
        QWidget *viewport = field->viewport();
        const QPointF local(input.point);
        const auto send = [this](QWidget *receiver, QInputEvent &&event) {
            event.setTimestamp(quint64(m_clock.now()));
            QSpontaneKeyEvent::setSpontaneous(&event);
            QApplication::instance()->notify(receiver, &event);
        };
        Qt::MouseButtons buttons = m_buttons;
        if (input.type == QEvent::KeyPress) {
            const int key = input.key.key();
            // Every line break of the binary field is CR LF, Shift+Enter's too,
            // where QPlainTextEdit puts a line separator: its Enter is the peer.
            Qt::KeyboardModifiers modifiers = input.modifiers;
            if (key == Qt::Key_Return && field == m_reference) {
                modifiers &= ~Qt::ShiftModifier;
            }
            send(field, QKeyEvent(QEvent::KeyPress, key, modifiers, input.text));
            send(field, QKeyEvent(QEvent::KeyRelease, key, modifiers, input.text));
        } else if (input.type == QEvent::Wheel) {
            send(viewport,
                 QWheelEvent(local, viewport->mapToGlobal(local), {}, {0, input.wheelDelta},
                             buttons, input.modifiers, Qt::NoScrollPhase, false));
        } else {
            buttons.setFlag(input.button, input.type != QEvent::MouseButtonRelease);
            send(viewport,
                 QMouseEvent(input.type, local, viewport->mapTo(field->window(), local),
                             viewport->mapToGlobal(local), input.button, buttons, input.modifiers));
        }
        settle();
        return m_written;
    }

    // Lines are found by where the field puts its characters: the first code
    // whose character's top is at least `top`, or -1 (tops grow with codes).
    static qsizetype firstCodeFrom(const BinaryTextEdit *field, int top)
    {
        qsizetype low = 0;
        qsizetype high = field->codeCount();
        if (field->characterRect(high).top() < top) {
            return -1;
        }
        while (low < high) {
            const qsizetype middle = low + (high - low) / 2;
            if (field->characterRect(middle).top() >= top) {
                high = middle;
            } else {
                low = middle + 1;
            }
        }
        return low;
    }

    Observation observe(BinaryTextEdit *field) const
    {
        QStringList lines;
        for (qsizetype start = firstCodeFrom(field, -1); start >= 0;) {
            const int top = field->characterRect(start).top();
            if (top >= field->viewport()->height()) {
                break;
            }
            lines << QStringLiteral("%1@%2").arg(start).arg(top);
            start = firstCodeFrom(field, top + 1);
        }
        const qsizetype anchor = field->cursorPosition() == field->selectionStart()
                                     ? field->selectionEnd()
                                     : field->selectionStart();
        return observed(field, field->toPlainText(), field->cursorPosition(), anchor,
                        m_binaryWrites, firstCodeFrom(field, -1), lines);
    }

    Observation observe(ReferenceEdit *field) const
    {
        const QString text = field->toPlainText();
        const auto codes = [&text](int position) {
            return qsizetype(position) + text.left(position).count(QLatin1Char('\n'));
        };
        const QTextBlock top = field->firstVisibleBlock();
        const int topLine = field->verticalScrollBar()->value() - top.firstLineNumber();
        const int topStart = topLine > 0 && topLine < top.layout()->lineCount()
                                 ? top.layout()->lineAt(topLine).textStart()
                                 : 0;
        QStringList lines;
        const int height = field->viewport()->height();
        for (QTextBlock block = top; block.isValid(); block = block.next()) {
            const qreal blockTop =
                field->blockBoundingGeometry(block).translated(field->contentOffset()).top();
            for (int i = block == top ? topLine : 0;
                 i < block.layout()->lineCount() && blockTop < height; ++i) {
                const QTextLine line = block.layout()->lineAt(i);
                const qreal lineTop = blockTop + line.y();
                if (lineTop + line.height() > 0 && lineTop < height) {
                    lines << QStringLiteral("%1@%2")
                                 .arg(codes(block.position() + line.textStart()))
                                 .arg(qRound(lineTop));
                }
            }
        }
        const QTextCursor cursor = field->textCursor();
        return observed(field, text, codes(cursor.position()), codes(cursor.anchor()),
                        m_referenceWrites, codes(top.position() + topStart), lines);
    }

    // Lines in view are each "first code@top pixel", from the first line in
    // view down: that line starts within a pixel of the top, give or take the
    // fraction of a pixel the view carries, and a sliver of the line above
    // it is left out. Positions count codes.
    static Observation observed(const QAbstractScrollArea *field, const QString &text,
                                qsizetype caret, qsizetype anchor,
                                const QMap<QClipboard::Mode, bool> &writes, qsizetype topLine,
                                const QStringList &linesInView)
    {
        const QClipboard *clipboard = QGuiApplication::clipboard();
        const auto written = [&](QClipboard::Mode mode) {
            if (mode == QClipboard::Selection && !clipboard->supportsSelection()) {
                return QStringLiteral("none on this platform");
            }
            return writes.value(mode) ? escaped(clipboard->text(mode))
                                      : QStringLiteral("left as it was");
        };
        const QScrollBar *bar = field->verticalScrollBar();
        return {escaped(text),
                QString::number(caret),
                QString::number(anchor),
                written(QClipboard::Clipboard),
                written(QClipboard::Selection),
                QString::number(topLine),
                linesInView.join(u' '),
                QStringLiteral("%1 of 0..%2, page %3")
                    .arg(bar->value())
                    .arg(bar->maximum())
                    .arg(bar->pageStep())};
    }

    std::unique_ptr<QWidget> m_binaryWindow;
    std::unique_ptr<QWidget> m_referenceWindow;
    WindowClock m_clock;
    QPointer<BinaryTextEdit> m_binary;
    QPointer<ReferenceEdit> m_reference;
    Qt::MouseButtons m_buttons;
    QPoint m_lastPoint;
    QMap<QClipboard::Mode, bool> m_written;
    QMap<QClipboard::Mode, bool> m_referenceWrites;
    QMap<QClipboard::Mode, bool> m_binaryWrites;
};

// The run's inputs, up to the one where the fields differ if they do.
QStringList listing(const Run &run, const std::optional<Mismatch> &mismatch)
{
    QStringList lines{QStringLiteral("  start text %1, clipboard %2")
                          .arg(escaped(run.startText), escaped(run.clipboard))};
    if (mismatch && mismatch->gesture < 0) {
        return lines << QStringLiteral("  they differ before any input");
    }
    int number = 0;
    for (int g = 0; g < run.gestures.size(); ++g) {
        for (int i = 0; i < run.gestures.at(g).size(); ++i) {
            const Input &input = run.gestures.at(g).at(i);
            lines << QStringLiteral("  %1. +%2 ms %3")
                         .arg(++number, 4)
                         .arg(input.waitMs, 4)
                         .arg(describe(input));
            if (mismatch && mismatch->gesture == g && mismatch->input == i) {
                return lines << (mismatch->waiting ? QStringLiteral("  they differ before it")
                                                   : QStringLiteral("  they differ after it"));
            }
        }
    }
    return lines;
}

QStringList difference(const Mismatch &mismatch)
{
    QStringList lines{QStringLiteral("  %1 differs:").arg(mismatch.aspect)};
    for (qsizetype i = 0; i < mismatch.reference.size(); ++i) {
        lines << QStringLiteral("    %1: QPlainTextEdit %2, BinaryTextEdit %3")
                     .arg(QLatin1String(kAspects[i]), mismatch.reference.at(i),
                          mismatch.binary.at(i));
    }
    return lines;
}

// Drops runs of items, halving their length, as long as the difference stays.
template <typename List>
void dropWhatIsNotNeeded(List &list, const std::function<bool(const List &)> &stillDiffers)
{
    for (qsizetype chunk = std::max<qsizetype>(1, list.size() / 2); chunk >= 1; chunk /= 2) {
        for (qsizetype i = 0; i + chunk <= list.size();) {
            List candidate = list;
            candidate.remove(i, chunk);
            if (stillDiffers(candidate)) {
                list = candidate;
            } else {
                i += chunk;
            }
        }
    }
}

// The run without the gestures, drag moves and start text that the
// difference does not need: it still shows a difference in the same aspect.
Run shrunk(FieldPair &pair, Run run, Mismatch &mismatch)
{
    int budget = kShrinkReplays;
    const auto stillDiffers = [&](const Run &candidate) {
        const std::optional<Mismatch> found = --budget > 0 ? pair.play(candidate) : std::nullopt;
        if (found && found->aspect == mismatch.aspect) {
            mismatch = *found;
            return true;
        }
        return false;
    };
    const auto withGestures = [&](const QList<Gesture> &gestures) {
        Run candidate = run;
        candidate.gestures = gestures;
        return stillDiffers(candidate);
    };
    run.gestures = run.gestures.mid(0, mismatch.gesture + 1);
    dropWhatIsNotNeeded<QList<Gesture>>(run.gestures, withGestures);
    run.gestures = run.gestures.mid(0, mismatch.gesture + 1);
    for (qsizetype g = 0; g < run.gestures.size(); ++g) {
        for (qsizetype i = run.gestures.at(g).size() - 1; i >= 0; --i) {
            QList<Gesture> candidate = run.gestures;
            candidate[g].remove(i);
            if (run.gestures.at(g).at(i).type == QEvent::MouseMove && withGestures(candidate)) {
                run.gestures = candidate;
            }
        }
    }
    dropWhatIsNotNeeded<QString>(run.startText, [&](const QString &text) {
        Run candidate = run;
        candidate.startText = text;
        return stillDiffers(candidate);
    });
    return run;
}

quint32 chosenSeed()
{
    return quint32(qEnvironmentVariableIntValue("VANTREL_PARITY_SEED"));
}

// Two whole numbers joined by a separator ("1-150", "2/3"), as an environment
// variable gives them; a text of any other form stops the test, naming it.
std::pair<quint32, quint32> numberPair(const char *variable, QChar separator, const char *example)
{
    const QString text = qEnvironmentVariable(variable);
    const QStringList parts = text.split(separator);
    bool firstRead = false;
    bool secondRead = false;
    const quint32 first = parts.constFirst().toUInt(&firstRead);
    const quint32 second = parts.constLast().toUInt(&secondRead);
    if (parts.size() != 2 || !firstRead || !secondRead) {
        qFatal("%s is not of the form %s: %s", variable, example, qPrintable(text));
    }
    return {first, second};
}

// The share of the seeds that VANTREL_PARITY_SHARE ("K/N") gives this run:
// every Nth seed from the Kth on, so that N runs play each seed once.
QList<quint32> sharedOut(const QList<quint32> &seeds)
{
    if (qEnvironmentVariableIsEmpty("VANTREL_PARITY_SHARE")) {
        return seeds;
    }
    const auto [which, shares] = numberPair("VANTREL_PARITY_SHARE", u'/', "1/2");
    if (which < 1 || which > shares) {
        qFatal("VANTREL_PARITY_SHARE names no share of %u: %u", shares, which);
    }
    QList<quint32> kept;
    for (qsizetype index = qsizetype(which) - 1; index < seeds.size(); index += qsizetype(shares)) {
        kept.append(seeds.at(index));
    }
    return kept;
}

// The seeds to play, each once.
QList<quint32> chosenSeeds()
{
    if (const quint32 chosen = chosenSeed()) {
        return {chosen};
    }
    std::set<quint32> seeds(std::begin(kSeeds), std::end(kSeeds));
    if (!qEnvironmentVariableIsEmpty("VANTREL_PARITY_SEEDS")) {
        const auto [first, last] = numberPair("VANTREL_PARITY_SEEDS", u'-', "1-150");
        for (quint32 seed = first; seed <= last; ++seed) {
            seeds.insert(seed);
        }
    }
    return sharedOut({seeds.begin(), seeds.end()});
}

int chosenInputs()
{
    return qEnvironmentVariableIsSet("VANTREL_PARITY_EVENTS")
               ? qEnvironmentVariableIntValue("VANTREL_PARITY_EVENTS")
               : kDefaultInputs;
}

} // namespace

class BinaryFieldParityTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanupTestCase();

    void fieldsShowTheSameAfterEveryInput_data();
    void fieldsShowTheSameAfterEveryInput();
    void sameSeedReplaysTheSameRun();

private:
    std::unique_ptr<FieldPair> m_pair;
};

void BinaryFieldParityTest::initTestCase()
{
    m_pair = std::make_unique<FieldPair>();
    QVERIFY(m_pair->show());
}

void BinaryFieldParityTest::cleanupTestCase()
{
    m_pair.reset();
}

void BinaryFieldParityTest::fieldsShowTheSameAfterEveryInput_data()
{
    QTest::addColumn<quint32>("seed");
    for (const quint32 seed : chosenSeeds()) {
        QTest::newRow(qPrintable(QStringLiteral("seed %1").arg(seed))) << seed;
    }
}

void BinaryFieldParityTest::fieldsShowTheSameAfterEveryInput()
{
    QFETCH(quint32, seed);
    const int inputs = chosenInputs();
    const Run run = RandomUser(seed, m_pair->viewportSize()).run(inputs);
    std::optional<Mismatch> mismatch = m_pair->play(run);
    if (!mismatch) {
        return;
    }
    QStringList report{QStringLiteral("seed %1 (VANTREL_PARITY_SEED=%1 VANTREL_PARITY_EVENTS=%2 "
                                      "replays it), the run:")
                           .arg(seed)
                           .arg(inputs)};
    report << listing(run, mismatch) << difference(*mismatch);
    const Run smallest = shrunk(*m_pair, run, *mismatch);
    report << QStringLiteral("the smallest run found that shows it:") << listing(smallest, mismatch)
           << difference(*mismatch);
    for (const QString &line : std::as_const(report)) {
        qWarning().noquote() << line;
    }
    QFAIL(qPrintable(
        QStringLiteral("QPlainTextEdit and BinaryTextEdit differ in %1").arg(mismatch->aspect)));
}

void BinaryFieldParityTest::sameSeedReplaysTheSameRun()
{
    const quint32 seed = chosenSeed() ? chosenSeed() : 2026u;
    const int inputs = std::min(kReplayedInputs, chosenInputs());
    const Run run = RandomUser(seed, m_pair->viewportSize()).run(inputs);
    QCOMPARE(listing(RandomUser(seed, m_pair->viewportSize()).run(inputs), std::nullopt),
             listing(run, std::nullopt));
    QStringList first;
    QStringList second;
    m_pair->play(run, &first);
    m_pair->play(run, &second);
    QCOMPARE(second, first);
}

QTEST_MAIN(BinaryFieldParityTest)
#include "binary_field_parity_test.moc"
