// SPDX-License-Identifier: GPL-3.0-or-later
// The binary field's model on its own, without a QApplication: random edits
// checked against plain string work, a wrap computed the slow way and the
// texts the history passed through.
#include "binary_text_model.h"

#include <QRandomGenerator>
#include <QTest>
#include <algorithm>

using namespace vantrel;

namespace {

constexpr qreal kWidth = 7;

// Digits advance 1, every other code 2: paragraphs of digits break by
// arithmetic, the others by a greedy scan.
std::array<qreal, 256> advances()
{
    std::array<qreal, 256> advance{};
    advance.fill(2);
    advance['0'] = advance['1'] = 1;
    return advance;
}

using Lines = std::vector<std::pair<qsizetype, qsizetype>>;

// Each paragraph wrapped greedily, anywhere, the slow way.
Lines referenceLines(const std::string &codes)
{
    const std::array<qreal, 256> advance = advances();
    Lines lines;
    qsizetype start = 0;
    qsizetype i = 0;
    qreal x = 0;
    const auto size = qsizetype(codes.size());
    while (true) {
        const bool lineBreak =
            i + 1 < size && codes[std::size_t(i)] == '\r' && codes[std::size_t(i + 1)] == '\n';
        if (i == size || lineBreak) {
            lines.emplace_back(start, i);
            if (i == size) {
                return lines;
            }
            i += 2;
            start = i;
            x = 0;
            continue;
        }
        const qreal step = advance[static_cast<unsigned char>(codes[std::size_t(i)])];
        // Spaces past the edge hang on the line they end.
        if (i > start && x + step > kWidth && codes[std::size_t(i)] != ' ') {
            lines.emplace_back(start, i);
            start = i;
            x = 0;
        }
        x += step;
        ++i;
    }
}

Lines modelLines(const BinaryTextModel &model)
{
    Lines lines;
    for (qsizetype i = 0; i < model.layout().lineCount(); ++i) {
        const CodeLineLayout::Line line = model.layout().line(i);
        lines.emplace_back(line.start, line.end);
    }
    return lines;
}

// The layout's lookups against a walk over the reference lines: the line
// and the paragraph of every offset, the first line of every paragraph and
// the offset of every plain-text position.
void checkLookups(const CodeLineLayout &layout, const std::string &codes, const Lines &lines)
{
    std::vector<qsizetype> paragraphOf; // of each line
    qsizetype paragraph = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0 && lines[i].first > lines[i - 1].second + 1) { // a CR LF between them
            ++paragraph;
        }
        paragraphOf.push_back(paragraph);
    }
    QCOMPARE(layout.paragraphCount(), paragraph + 1);
    for (qsizetype line = 0; line < qsizetype(lines.size()); ++line) {
        QCOMPARE(layout.paragraphOfLine(line), paragraphOf[std::size_t(line)]);
        const bool startsParagraph =
            line == 0 || paragraphOf[std::size_t(line - 1)] != paragraphOf[std::size_t(line)];
        if (startsParagraph) {
            QCOMPARE(layout.firstLineOf(paragraphOf[std::size_t(line)]), line);
        }
    }
    QCOMPARE(layout.firstLineOf(paragraph + 1), qsizetype(lines.size()));
    qsizetype line = 0;
    for (qsizetype offset = 0; offset <= qsizetype(codes.size()); ++offset) {
        while (line + 1 < qsizetype(lines.size()) && lines[std::size_t(line + 1)].first <= offset) {
            ++line;
        }
        QCOMPARE(layout.lineOf(offset), line);
        const qsizetype breaks = paragraphOf[std::size_t(line)];
        QCOMPARE(layout.lineBreaksBefore(offset), breaks);
        const bool insideLineBreak = offset > 0 && codes[std::size_t(offset - 1)] == '\r' &&
                                     offset < qsizetype(codes.size()) &&
                                     codes[std::size_t(offset)] == '\n';
        if (!insideLineBreak) {
            QCOMPARE(layout.offsetOfPlain(offset - breaks), offset);
        }
    }
}

// Runs of digits as often as mixed codes: the two kinds of paragraph.
std::string randomCodes(QRandomGenerator &random, int maxLength)
{
    static constexpr char kAlphabet[] = {'0', '1', '0', '1', 'a', ' ', '\r', '\n'};
    const int kinds = random.bounded(2) == 0 ? 2 : int(sizeof kAlphabet);
    std::string codes(std::size_t(random.bounded(maxLength + 1)), '0');
    for (char &code : codes) {
        code = kAlphabet[random.bounded(kinds)];
    }
    return codes;
}

// Blocks of a few codes, so that short texts cross many of them and hold
// paragraphs long enough to keep their own line starts.
constexpr LayoutBlockSizes kTinyBlocks{8, 12};

void setUp(BinaryTextModel &model)
{
    model.layout().setAdvances(advances());
    model.layout().setWidth(kWidth);
}

std::string unescaped(QByteArray text)
{
    return text.replace("\\r", "\r").replace("\\n", "\n").toStdString();
}

// Plays a script of edits: "t" types the next code, "p" pastes the codes up
// to the next space, "<" is Backspace, ">" Delete, "k" a word delete, "c"
// puts the caret at the next digit's offset, "s" selects from the caret to
// it, "e" puts in a line break, "E" is the Enter key, "u" an undo and "r" a
// redo.
void play(BinaryTextModel &model, const std::string &steps)
{
    using Move = BinaryTextModel::Move;
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const qsizetype caret = model.caret();
        switch (steps[i]) {
        case 't':
            model.replace(caret, caret, std::string(1, steps[++i]), EditKind::Typing);
            break;
        case 'p': {
            const std::size_t end = steps.find(' ', i);
            model.replace(caret, caret, steps.substr(i + 1, end - i - 1), EditKind::Pasting);
            i = end;
            break;
        }
        case '<':
            model.removeSelectionOr(Move::PreviousChar, EditKind::DeletingBack);
            break;
        case '>':
            model.removeSelectionOr(Move::NextChar, EditKind::DeletingForward);
            break;
        case 'k':
            model.removeSelectionOr(Move::PreviousWord, EditKind::Other);
            break;
        case 'c':
            model.moveCaret(steps[++i] - '0', false);
            break;
        case 's':
            model.select(caret, steps[++i] - '0');
            break;
        case 'e':
            model.replace(caret, caret, "\r\n");
            break;
        case 'E':
            model.replace(caret, caret, "\r\n", EditKind::BreakingLine);
            break;
        case 'u':
            model.undo();
            break;
        default:
            model.redo();
            break;
        }
    }
}

} // namespace

class BinaryTextModelTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void editsKeepTheLayoutAndTheRules_data();
    void editsKeepTheLayoutAndTheRules();
    void undoGoesBackThroughEarlierTexts_data();
    void undoGoesBackThroughEarlierTexts();
    void rangesInsideALineBreakTakeTheWholePair_data();
    void rangesInsideALineBreakTakeTheWholePair();
    void oneUndoTakesBackWhatQtEditorsGroup_data();
    void oneUndoTakesBackWhatQtEditorsGroup();
    void undoingAPasteAtTheStartPassesTheFirstLine_data();
    void undoingAPasteAtTheStartPassesTheFirstLine();
    void undoLeavesTheCaretWhereQtEditorsDo_data();
    void undoLeavesTheCaretWhereQtEditorsDo();
};

void BinaryTextModelTest::editsKeepTheLayoutAndTheRules_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<bool>("tinyBlocks");
    for (quint32 seed = 1; seed <= 8; ++seed) {
        QTest::addRow("seed %u", seed) << seed << false;
        QTest::addRow("seed %u, tiny blocks", seed) << seed << true;
    }
}

// Replacements, moves, undo and redo at random places; after each the
// codes are what string surgery gives, the lines what a slow wrap gives (and
// every lookup what a walk over them gives), the count of codes other than
// digits what a recount gives, and no position stands inside a line break.
void BinaryTextModelTest::editsKeepTheLayoutAndTheRules()
{
    QFETCH(quint32, seed);
    QFETCH(bool, tinyBlocks);
    QRandomGenerator random(seed);
    BinaryTextModel model(tinyBlocks ? kTinyBlocks : LayoutBlockSizes{});
    setUp(model);
    std::string expected = randomCodes(random, 40);
    model.reset(expected);
    for (int step = 0; step < 400; ++step) {
        const auto size = model.size();
        qsizetype start = random.bounded(int(size) + 1);
        qsizetype end = std::min<qsizetype>(size, start + random.bounded(6));
        switch (random.bounded(4)) {
        case 0:
        case 1: {
            const std::string codes = randomCodes(random, 5);
            model.replace(start, end, codes);
            // The same range, made legal by hand.
            const bool empty = end <= start;
            if (start > 0 && start < size && expected[std::size_t(start - 1)] == '\r' &&
                expected[std::size_t(start)] == '\n') {
                --start;
            }
            end = empty ? start : end;
            if (!empty && end > 0 && end < size && expected[std::size_t(end - 1)] == '\r' &&
                expected[std::size_t(end)] == '\n') {
                ++end;
            }
            expected.replace(std::size_t(start), std::size_t(end - start), codes);
            break;
        }
        case 2: {
            start = model.legal(start);
            end = model.legal(end);
            const qsizetype to = model.legal(random.bounded(int(size) + 1));
            if (to > start && to < end) {
                continue;
            }
            std::string moving = expected.substr(std::size_t(start), std::size_t(end - start));
            model.move(start, end, to);
            expected.insert(std::size_t(to), moving);
            expected.erase(std::size_t(to <= start ? start + (end - start) : start), moving.size());
            break;
        }
        default:
            if (random.bounded(2) == 0) {
                model.undo();
            } else {
                model.redo();
            }
            expected = model.codes(); // checked by the history test
            break;
        }
        const std::string codes = model.codes();
        QCOMPARE(QByteArray::fromStdString(codes), QByteArray::fromStdString(expected));
        const Lines lines = referenceLines(codes);
        QVERIFY2(modelLines(model) == lines,
                 qPrintable(QStringLiteral("lines differ at step %1").arg(step)));
        checkLookups(model.layout(), codes, lines);
        if (QTest::currentTestFailed()) {
            return;
        }
        QCOMPARE(model.caret(), model.legal(model.caret()));
        QCOMPARE(model.anchor(), model.legal(model.anchor()));
        qsizetype pairs = 0;
        for (std::size_t i = 0; i + 1 < codes.size(); ++i) {
            if (codes[i] == '\r' && codes[i + 1] == '\n') {
                ++pairs;
                ++i;
            }
        }
        QCOMPARE(model.plainLength(), model.size() - pairs);
        QCOMPARE(model.nonBinaryCodes(),
                 qsizetype(std::count_if(codes.begin(), codes.end(),
                                         [](char code) { return code != '0' && code != '1'; })));
    }
}

void BinaryTextModelTest::undoGoesBackThroughEarlierTexts_data()
{
    QTest::addColumn<quint32>("seed");
    for (quint32 seed = 1; seed <= 8; ++seed) {
        QTest::addRow("seed %u", seed) << seed;
    }
}

// Typing, Backspace and Delete runs merge into single undo steps, but only
// when they continue each other: every text undo shows must be one the
// user saw before, in reverse order, back to the start; redo comes back.
void BinaryTextModelTest::undoGoesBackThroughEarlierTexts()
{
    QFETCH(quint32, seed);
    QRandomGenerator random(seed);
    BinaryTextModel model;
    setUp(model);
    model.reset("0000");
    std::vector<std::string> seen{model.codes()};
    for (int step = 0; step < 60; ++step) {
        // A caret set by the program, as a screen reader may: only the
        // history's own check keeps the next key from joining the last.
        if (random.bounded(3) == 0) {
            const qsizetype at = random.bounded(int(model.size()) + 1);
            model.select(at, at);
        }
        switch (random.bounded(4)) {
        case 0: // each key its own letter, so that every text is a new one
            model.replace(model.caret(), model.caret(), std::string(1, char('a' + step % 26)),
                          EditKind::Typing);
            break;
        case 1:
            model.removeSelectionOr(BinaryTextModel::Move::PreviousChar, EditKind::DeletingBack);
            break;
        case 2:
            model.removeSelectionOr(BinaryTextModel::Move::NextChar, EditKind::DeletingForward);
            break;
        default:
            model.replace(model.caret(), model.caret(), "\r\n");
            break;
        }
        if (model.codes() != seen.back()) {
            seen.push_back(model.codes());
        }
    }
    const std::string last = model.codes();
    auto earlier = seen.rbegin();
    while (model.undo()) {
        earlier = std::find(std::next(earlier), seen.rend(), model.codes());
        QVERIFY2(earlier != seen.rend(),
                 qPrintable(QStringLiteral("undo gave a text never seen: %1")
                                .arg(QString::fromStdString(model.codes()))));
    }
    QCOMPARE(QByteArray::fromStdString(model.codes()), QByteArray("0000"));
    while (model.redo()) {
    }
    QCOMPARE(QByteArray::fromStdString(model.codes()), QByteArray::fromStdString(last));
}

void BinaryTextModelTest::rangesInsideALineBreakTakeTheWholePair_data()
{
    QTest::addColumn<qsizetype>("start");
    QTest::addColumn<qsizetype>("end");
    QTest::addColumn<QByteArray>("expected");
    // "01\r\n10": the pair stands at 2 and 3.
    QTest::newRow("an input method's replacement before the line start")
        << qsizetype(3) << qsizetype(4) << QByteArray("0110");
    QTest::newRow("an end inside") << qsizetype(1) << qsizetype(3) << QByteArray("010");
    QTest::newRow("a start inside") << qsizetype(3) << qsizetype(5) << QByteArray("010");
    QTest::newRow("both inside") << qsizetype(3) << qsizetype(3) << QByteArray("01\r\n10");
    QTest::newRow("beyond the end") << qsizetype(5) << qsizetype(99) << QByteArray("01\r\n1");
}

void BinaryTextModelTest::rangesInsideALineBreakTakeTheWholePair()
{
    QFETCH(qsizetype, start);
    QFETCH(qsizetype, end);
    QFETCH(QByteArray, expected);
    BinaryTextModel model;
    setUp(model);
    model.reset("01\r\n10");
    model.replace(start, end, {});
    QCOMPARE(QByteArray::fromStdString(model.codes()), expected);
    QCOMPARE(model.caret(), model.legal(model.caret()));
}

void BinaryTextModelTest::oneUndoTakesBackWhatQtEditorsGroup_data()
{
    // Scripts of edits (see play()), and the text that one undo after each
    // leaves, as QPlainTextEdit leaves it.
    QTest::addColumn<QByteArray>("start");
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<QByteArray>("afterOneUndo");
    QTest::newRow("typing joins across a caret move")
        << QByteArray("") << QByteArray("t0c1c1t1") << QByteArray("");
    QTest::newRow("typing apart is a step of its own")
        << QByteArray("00") << QByteArray("c0t1c2t1") << QByteArray("100");
    QTest::newRow("typing joins a paste before it")
        << QByteArray("") << QByteArray("p11 t0") << QByteArray("");
    QTest::newRow("a paste stands apart from typing")
        << QByteArray("") << QByteArray("t0p11 ") << QByteArray("0");
    QTest::newRow("a paste with a line break joins typing after it")
        << QByteArray("") << QByteArray("p1\r\n1 t0") << QByteArray("");
    QTest::newRow("Enter stands alone")
        << QByteArray("") << QByteArray("t0et1") << QByteArray("0\r\n");
    QTest::newRow("Delete then Backspace join")
        << QByteArray("0110") << QByteArray("c2><") << QByteArray("0110");
    QTest::newRow("a word delete stands alone")
        << QByteArray("01 10") << QByteArray("c5k<") << QByteArray("01 ");
    QTest::newRow("an empty redo keeps the run")
        << QByteArray("") << QByteArray("t0rt1") << QByteArray("");
    QTest::newRow("typing after undoing it all starts anew")
        << QByteArray("") << QByteArray("t0t1ut1") << QByteArray("");
    QTest::newRow("typing goes on after a removal is undone")
        << QByteArray("01") << QByteArray("c2t1c1>uc3t0") << QByteArray("01");
    QTest::newRow("typing stands apart after an insertion is undone")
        << QByteArray("01") << QByteArray("c2t1c0t1uc3t0") << QByteArray("011");
    QTest::newRow("Delete then Backspace of codes typed apart stand apart")
        << QByteArray("1") << QByteArray("c0t0><") << QByteArray("0");
    QTest::newRow("Enter in an empty paragraph takes a quiet step first")
        << QByteArray("0") << QByteArray("c0>Eu") << QByteArray("");
    QTest::newRow("Enter in a paragraph with codes takes none")
        << QByteArray("0") << QByteArray("c1Eu") << QByteArray("0");
    QTest::newRow("Backspace then Delete join")
        << QByteArray("01") << QByteArray("c2<c0>") << QByteArray("01");
    QTest::newRow("a Backspace that takes a selection stands alone")
        << QByteArray("") << QByteArray("tbt0<s0<") << QByteArray("b");
    QTest::newRow("a Backspace after one that took a selection stands alone")
        << QByteArray("01") << QByteArray("c2s1<<") << QByteArray("0");
}

void BinaryTextModelTest::undoingAPasteAtTheStartPassesTheFirstLine_data()
{
    QTest::addColumn<QByteArray>("start");
    QTest::addColumn<qsizetype>("caretAfterUndo");
    QTest::newRow("empty") << QByteArray("") << qsizetype(0);
    QTest::newRow("one line") << QByteArray("01") << qsizetype(2);
    QTest::newRow("empty first line") << QByteArray("\r\n1") << qsizetype(2);
    QTest::newRow("two lines") << QByteArray("01\r\n1") << qsizetype(4);
}

// Qt's editors give a paste at the text's start the first paragraph's
// format too; undoing that last leaves the caret past the first line.
void BinaryTextModelTest::undoingAPasteAtTheStartPassesTheFirstLine()
{
    QFETCH(QByteArray, start);
    QFETCH(qsizetype, caretAfterUndo);
    BinaryTextModel model;
    setUp(model);
    model.reset(start.toStdString());
    model.replace(0, 0, "10", EditKind::Pasting);
    model.undo();
    QCOMPARE(QByteArray::fromStdString(model.codes()), start);
    QCOMPARE(model.caret(), caretAfterUndo);
}

namespace {

// From `start`, the script played and then one undo.
void playThenUndo(BinaryTextModel &model, const QByteArray &start, const QByteArray &script)
{
    setUp(model);
    model.reset(unescaped(start));
    play(model, unescaped(script));
    model.undo();
}

} // namespace

// The undo steps that Qt's editors make of the same edits.
void BinaryTextModelTest::oneUndoTakesBackWhatQtEditorsGroup()
{
    QFETCH(QByteArray, start);
    QFETCH(QByteArray, script);
    QFETCH(QByteArray, afterOneUndo);
    BinaryTextModel model;
    playThenUndo(model, start, script);
    QCOMPARE(QByteArray::fromStdString(model.codes()),
             QByteArray::fromStdString(unescaped(afterOneUndo)));
}

void BinaryTextModelTest::undoLeavesTheCaretWhereQtEditorsDo_data()
{
    // Scripts as above; the caret as QPlainTextEdit leaves it, in codes.
    QTest::addColumn<QByteArray>("start");
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<qsizetype>("caretAfterUndo");
    QTest::newRow("Enter's quiet step passes its empty paragraph")
        << QByteArray("\r\n1") << QByteArray("c0Eu") << qsizetype(2);
    QTest::newRow("Enter's quiet step in the last paragraph stays at the end")
        << QByteArray("1\r\n") << QByteArray("c3Eu") << qsizetype(3);
    QTest::newRow("a paste at the start passes the first paragraph")
        << QByteArray("11\r\n1") << QByteArray("c0pa\r\n0 ") << qsizetype(4);
    QTest::newRow("a paste at the start that begins with a line break stays there")
        << QByteArray("11") << QByteArray("c0p\r\na0 ") << qsizetype(0);
    QTest::newRow("Backspace of a selection puts it back alone")
        << QByteArray("") << QByteArray("tbt0<s0<") << qsizetype(1);
}

void BinaryTextModelTest::undoLeavesTheCaretWhereQtEditorsDo()
{
    QFETCH(QByteArray, start);
    QFETCH(QByteArray, script);
    QFETCH(qsizetype, caretAfterUndo);
    BinaryTextModel model;
    playThenUndo(model, start, script);
    QCOMPARE(model.caret(), caretAfterUndo);
    QVERIFY(!model.hasSelection());
}

QTEST_APPLESS_MAIN(BinaryTextModelTest)
#include "binary_text_model_test.moc"
