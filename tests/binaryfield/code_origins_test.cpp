// SPDX-License-Identifier: GPL-3.0-or-later
// The record of where codes first came in, against a plain list of one
// origin per code: random exchanges of fresh codes, of codes taken out
// before (as undo and redo bring them back) and of nothing.
#include "code_origins.h"

#include <QRandomGenerator>
#include <QTest>

using namespace vantrel;

namespace {

std::vector<qint64> expanded(const OriginRuns &runs)
{
    std::vector<qint64> origins;
    for (const OriginRun &run : runs) {
        for (qsizetype i = 0; i < run.length; ++i) {
            origins.push_back(run.origin + i);
        }
    }
    return origins;
}

// Whether the origins count up by one without a gap, and from where.
std::optional<qint64> modelStart(const std::vector<qint64> &origins)
{
    for (std::size_t i = 1; i < origins.size(); ++i) {
        if (origins[i] != origins[i - 1] + 1) {
            return std::nullopt;
        }
    }
    return origins.empty() ? std::nullopt : std::optional<qint64>(origins.front());
}

} // namespace

class CodeOriginsTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void exchangesKeepEveryCodesOrigin_data();
    void exchangesKeepEveryCodesOrigin();
};

void CodeOriginsTest::exchangesKeepEveryCodesOrigin_data()
{
    QTest::addColumn<quint32>("seed");
    for (quint32 seed = 1; seed <= 6; ++seed) {
        QTest::addRow("seed %u", seed) << seed;
    }
}

void CodeOriginsTest::exchangesKeepEveryCodesOrigin()
{
    QFETCH(quint32, seed);
    QRandomGenerator random(seed);
    CodeOrigins origins;
    origins.reset(20);
    std::vector<qint64> model = expanded({{0, 20}});
    qint64 next = 20;
    std::vector<OriginRuns> takenBefore;
    for (int step = 0; step < 600; ++step) {
        const auto size = qsizetype(model.size());
        const qsizetype start = random.bounded(int(size) + 1);
        const qsizetype end = std::min<qsizetype>(size, start + random.bounded(8));
        OriginRuns putting;
        if (random.bounded(3) == 0 && !takenBefore.empty()) {
            putting = takenBefore[std::size_t(random.bounded(int(takenBefore.size())))];
        } else {
            const qsizetype length = random.bounded(4);
            putting = origins.fresh(length);
            QCOMPARE(expanded(putting).size(), std::size_t(length));
            QVERIFY(length == 0 || putting.front().origin == next);
            next += length;
        }
        const std::vector<qint64> put = expanded(putting);
        const OriginRuns taken = origins.exchange(start, end, putting);
        const std::vector<qint64> expectedTaken(model.begin() + start, model.begin() + end);
        QCOMPARE(expanded(taken), expectedTaken);
        QCOMPARE(CodeOrigins::contiguousStart(taken), modelStart(expectedTaken));
        model.erase(model.begin() + start, model.begin() + end);
        model.insert(model.begin() + start, put.begin(), put.end());
        takenBefore.push_back(taken);
        QCOMPARE(origins.size(), qsizetype(model.size()));
    }
    // Everything taken out comes out as the model says, in as few runs as
    // its gaps allow.
    const OriginRuns all = origins.exchange(0, origins.size(), {});
    QCOMPARE(expanded(all), model);
    std::size_t gaps = 0;
    for (std::size_t i = 1; i < model.size(); ++i) {
        gaps += model[i] != model[i - 1] + 1 ? 1 : 0;
    }
    QCOMPARE(all.size(), model.empty() ? 0 : gaps + 1);
}

QTEST_GUILESS_MAIN(CodeOriginsTest)
#include "code_origins_test.moc"
