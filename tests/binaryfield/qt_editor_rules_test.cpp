// SPDX-License-Identifier: GPL-3.0-or-later
// The rules the binary field copies from QPlainTextEdit, each as Qt 6.4.2
// answers it.
#include "qt_editor_rules.h"

#include <QTest>
#include <functional>
#include <map>

using namespace vantrel;

namespace {

using Arguments = QList<qreal>;
using K = EditKind;

// Each rule by name, asked with numbers and answering with one.
qreal answer(const QString &rule, const Arguments &arguments)
{
    static const std::map<QString, std::function<qreal(const Arguments &)>> kRules = {
        {QStringLiteral("codes passed"), [](auto &a) { return qteditor::codesPassed(a[0], a[1]); }},
        {QStringLiteral("tab advance"), [](auto &a) { return qteditor::tabAdvance(a[0]); }},
        {QStringLiteral("passes tab"), [](auto &a) { return qteditor::passesTab(a[0], a[1]); }},
        {QStringLiteral("word separator"),
         [](auto &a) { return qteditor::isWordSeparator(uchar(a[0])); }},
        {QStringLiteral("cursor at start"),
         [](auto &a) { return qteditor::takesWithCursorAtStart(a[0] != 0, a[1] != 0); }},
        {QStringLiteral("joins"),
         [](auto &a) { return qteditor::mayJoinUndoStep(K(int(a[0])), K(int(a[1]))); }},
        {QStringLiteral("auto-scroll interval"),
         [](auto &a) { return qteditor::autoScrollInterval(a[0]); }},
    };
    return kRules.at(rule)(arguments);
}

} // namespace

class QtEditorRulesTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void rulesAnswerAsQtDoes_data();
    void rulesAnswerAsQtDoes();
};

void QtEditorRulesTest::rulesAnswerAsQtDoes_data()
{
    QTest::addColumn<QString>("rule");
    QTest::addColumn<Arguments>("arguments");
    QTest::addColumn<qreal>("expected");
    const auto row = [](const char *name, const char *rule, Arguments arguments, qreal expected) {
        QTest::newRow(name) << QString::fromLatin1(rule) << arguments << expected;
    };
    const auto kinds = [](K last, K next) { return Arguments{qreal(last), qreal(next)}; };
    // A point in codes 8 wide, x from the line's start.
    row("left of the line: before the first code", "codes passed", {-3, 8}, 0);
    row("halfway over a code: still before it", "codes passed", {4, 8}, 0);
    row("a 64th past halfway: after it", "codes passed", {4.015625, 8}, 1);
    row("past the third code's middle", "codes passed", {20.5, 8}, 3);
    // A tab from x to the next stop, every 80 pixels.
    row("a tab's exact middle: after it", "passes tab", {40, 80}, 1);
    row("a 64th before a tab's middle: before it", "passes tab", {39.984375, 80}, 0);
    row("a narrow tab's middle, in 64ths: after it", "passes tab", {0.3125, 0.640625}, 1);
    row("a tab at the line's start", "tab advance", {0}, 80);
    row("a tab on a stop goes to the next", "tab advance", {160}, 80);
    row("a tab 0.641 before a stop", "tab advance",
        {
            79.359375,
        },
        0.640625);
    row("a tab within 1/128 of a stop: the one after", "tab advance", {79.375}, 80.625);
    row("a backslash separates words", "word separator", {'\\'}, 1);
    row("an underscore is a word's", "word separator", {'_'}, 0);
    row("a middle dot is a word's", "word separator", {0xB7}, 0);
    // Whether the cursor moves, and forward.
    row("Backspace: cursor at the end", "cursor at start", {0, 0}, 0);
    row("Delete: cursor at the start", "cursor at start", {0, 1}, 1);
    row("a word to the left: cursor at the start", "cursor at start", {1, 0}, 1);
    row("a word to the right: cursor at the end", "cursor at start", {1, 1}, 0);
    row("typing joins a paste", "joins", kinds(K::Pasting, K::Typing), 1);
    row("a paste joins no typing", "joins", kinds(K::Typing, K::Pasting), 0);
    row("Delete joins Backspace", "joins", kinds(K::DeletingBack, K::DeletingForward), 1);
    row("Backspace joins no removed selection", "joins", kinds(K::Other, K::DeletingBack), 0);
    row("typing joins no quiet step", "joins", kinds(K::FormattingParagraph, K::Typing), 0);
    // The pointer's distance from the view, in pixels.
    row("auto-scroll near the edge as on it", "auto-scroll interval", {7}, 100);
    row("auto-scroll ten pixels out", "auto-scroll interval", {10}, 49);
}

void QtEditorRulesTest::rulesAnswerAsQtDoes()
{
    QFETCH(QString, rule);
    QFETCH(Arguments, arguments);
    QFETCH(qreal, expected);
    QCOMPARE(answer(rule, arguments), expected);
}

QTEST_APPLESS_MAIN(QtEditorRulesTest)
#include "qt_editor_rules_test.moc"
