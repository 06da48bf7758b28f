// SPDX-License-Identifier: GPL-3.0-or-later
// The gap buffer against a plain std::string doing the same edits: random
// replacements at random places and lengths, small and large (to make the
// gap grow and shrink), whole exchanges, and every kind of read compared at
// random ranges, across the gap or not.
#include "code_buffer.h"
#include "code_rules.h"

#include <QRandomGenerator>
#include <QTest>

using namespace vantrel;

namespace {

// Digits mostly, with CR and LF to make line breaks, lone or in pairs,
// also where the gap splits them.
std::string randomCodes(QRandomGenerator &random, qsizetype length)
{
    static constexpr char kAlphabet[] = {'0', '1', '0', '1', '\r', '\n', 'a'};
    std::string codes(std::size_t(length), '0');
    for (char &code : codes) {
        code = kAlphabet[random.bounded(int(sizeof kAlphabet))];
    }
    return codes;
}

qsizetype randomLength(QRandomGenerator &random)
{
    switch (random.bounded(20)) {
    case 0:
        return random.bounded(300'000); // past the least gap
    case 1:
    case 2:
    case 3:
        return random.bounded(2'000);
    default:
        return random.bounded(4);
    }
}

} // namespace

class CodeBufferTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void matchesAString_data();
    void matchesAString();
};

void CodeBufferTest::matchesAString_data()
{
    QTest::addColumn<quint32>("seed");
    for (const quint32 seed : {1U, 2U, 3U, 4U, 5U, 6U}) {
        QTest::addRow("seed %u", seed) << seed;
    }
}

void CodeBufferTest::matchesAString()
{
    QFETCH(quint32, seed);
    QRandomGenerator random(seed);
    std::string model;
    CodeBuffer buffer;
    constexpr qsizetype kMostCodes = 1'000'000;
    qsizetype lastEditEnd = 0; // where the gap stands after an edit
    for (int step = 0; step < 1500; ++step) {
        const auto size = qsizetype(model.size());
        const QString context = QStringLiteral("seed %1 step %2").arg(seed).arg(step);
        if (random.bounded(100) == 0) {
            // A whole text exchanged, the old one handed back whole.
            std::string codes = randomCodes(random, randomLength(random));
            const std::string old = buffer.exchange(codes);
            QVERIFY2(old == model, qPrintable(context));
            model = std::move(codes);
            lastEditEnd = qsizetype(model.size());
        } else {
            // Edits cluster, as typing does, or jump anywhere.
            const qsizetype start =
                random.bounded(4) != 0
                    ? std::clamp<qsizetype>(lastEditEnd + random.bounded(-3, 4), 0, size)
                    : qsizetype(random.bounded(size + 1));
            const qsizetype end = std::min(size, start + randomLength(random));
            qsizetype inserted = randomLength(random);
            if (size - (end - start) + inserted > kMostCodes) {
                inserted = 0;
            }
            const std::string codes = randomCodes(random, inserted);
            buffer.replace(start, end, codes);
            model.replace(std::size_t(start), std::size_t(end - start), codes);
            lastEditEnd = start + qsizetype(codes.size());
        }
        const auto length = qsizetype(model.size());
        QVERIFY2(buffer.size() == length, qPrintable(context));
        QVERIFY2(buffer.gapLength() <= 4 * std::max(CodeBuffer::kMinimumGap, length / 64),
                 qPrintable(context));
        if (step % 32 == 0) {
            QVERIFY2(buffer.text() == model, qPrintable(context));
        }
        // Reads of random ranges, and of ranges around the gap.
        for (int read = 0; read < 8; ++read) {
            const qsizetype from =
                read % 2 == 0
                    ? qsizetype(random.bounded(length + 1))
                    : std::clamp<qsizetype>(lastEditEnd + random.bounded(-5, 1), 0, length);
            const qsizetype count = std::min(length - from, randomLength(random));
            const std::string_view expected =
                std::string_view(model).substr(std::size_t(from), std::size_t(count));
            const auto [first, second] = buffer.pieces(from, count);
            QVERIFY2(first.size() + second.size() == expected.size() &&
                         expected.starts_with(first) && expected.ends_with(second),
                     qPrintable(context));
            QVERIFY2(!first.empty() || second.empty(), qPrintable(context));
            std::string scratch;
            QVERIFY2(buffer.view(from, count, scratch) == expected, qPrintable(context));
            QVERIFY2(buffer.copy(from, count) == expected, qPrintable(context));
            QVERIFY2(buffer.equals(from, count, expected), qPrintable(context));
            if (count > 0) {
                std::string changed(expected);
                changed[std::size_t(random.bounded(count))] ^= 1;
                QVERIFY2(!buffer.equals(from, count, changed), qPrintable(context));
            }
            if (from < length) {
                QVERIFY2(buffer[from] == model[std::size_t(from)], qPrintable(context));
            }
            QVERIFY2(buffer.findLineBreak(from, from + count) ==
                         coderules::findLineBreak(model, from, from + count),
                     qPrintable(context));
            QVERIFY2(buffer.insideLineBreak(from) == coderules::insideLineBreak(model, from),
                     qPrintable(context));
            const std::size_t found = expected.find('\r');
            QVERIFY2(buffer.find('\r', from, from + count) ==
                         (found == std::string_view::npos ? -1 : from + qsizetype(found)),
                     qPrintable(context));
        }
    }
}

QTEST_APPLESS_MAIN(CodeBufferTest)

#include "code_buffer_test.moc"
