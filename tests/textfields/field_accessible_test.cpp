// SPDX-License-Identifier: GPL-3.0-or-later
#include "binary_text_edit.h"
#include "line_field.h"
#include "text_area.h"

#include <QAccessible>
#include <QPlainTextEdit>
#include <QTest>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <thread>

using namespace vantrel;

namespace {

// Ends the process when a query runs on for seconds: a screen reader that
// asks it would freeze the program. A query's own cost is a benchmark's
// business; this only tells a hang from an answer.
class HangWatch
{
public:
    HangWatch()
        : m_watch([this] {
              auto lastSeen = m_progress.load();
              auto stillSince = std::chrono::steady_clock::now();
              while (!m_done) {
                  std::this_thread::sleep_for(std::chrono::milliseconds(50));
                  const auto now = m_progress.load();
                  if (now != lastSeen) {
                      lastSeen = now;
                      stillSince = std::chrono::steady_clock::now();
                  } else if (m_busy && std::chrono::steady_clock::now() - stillSince >
                                           std::chrono::seconds(10)) {
                      std::fprintf(stderr, "an accessible text query never returned: %s\n",
                                   m_query.load());
                      std::abort();
                  }
              }
          })
    {}
    ~HangWatch()
    {
        m_done = true;
        m_watch.join();
    }
    HangWatch(const HangWatch &) = delete;
    HangWatch &operator=(const HangWatch &) = delete;

    void begin(const char *query)
    {
        m_query = query;
        m_busy = true;
        ++m_progress;
    }
    void end()
    {
        m_busy = false;
        ++m_progress;
    }

private:
    std::atomic<long> m_progress{0};
    std::atomic<bool> m_busy{false};
    std::atomic<bool> m_done{false};
    std::atomic<const char *> m_query{""};
    std::thread m_watch;
};

using FieldMaker = std::function<QWidget *(const QString &text)>;

} // namespace

class FieldAccessibleTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void everyQueryAnswersWithinTheText_data();
    void everyQueryAnswersWithinTheText();
    void wordsAndParagraphsReadAsInQtsEditor_data();
    void wordsAndParagraphsReadAsInQtsEditor();
    void aQueryReadsAFewThousandCharactersAtMost();
};

void FieldAccessibleTest::everyQueryAnswersWithinTheText_data()
{
    QTest::addColumn<FieldMaker>("make");
    QTest::addColumn<QString>("text");
    const FieldMaker line = [](const QString &text) { return new LineField(text); };
    const FieldMaker area = [](const QString &text) {
        auto *field = new TextArea;
        field->setText(text);
        return field;
    };
    const FieldMaker binary = [](const QString &text) {
        auto *field = new BinaryTextEdit;
        field->setPlainText(text);
        return field;
    };
    const QString sentences = QStringLiteral("Hola, mundo. ¿Qué tal? 01000001 ok");
    const QString lines = QStringLiteral("Dos líneas:\r\nla segunda, 1 2 3.\r\n");
    // A full field: as many characters as the message and hexadecimal fields take.
    const QString full = QStringLiteral("abc 0101. ").repeated(50);
    const std::pair<const char *, FieldMaker> kinds[] = {
        {"line field", line}, {"text area", area}, {"binary field", binary}};
    for (const auto &[kind, make] : kinds) {
        QTest::addRow("%s, empty", kind) << make << QString();
        QTest::addRow("%s, one character", kind) << make << QStringLiteral("A");
        QTest::addRow("%s, sentences", kind) << make << sentences;
        QTest::addRow("%s, full", kind) << make << full;
        if (make.target_type() != line.target_type()) {
            QTest::addRow("%s, lines", kind) << make << lines;
        }
    }
}

// Every boundary at every offset, the text's end included, before, at and
// after: each answer comes, and is a span of the text that reads as it.
void FieldAccessibleTest::everyQueryAnswersWithinTheText()
{
    QFETCH(FieldMaker, make);
    QFETCH(QString, text);
    const std::unique_ptr<QWidget> field(make(text));
    field->resize(200, 80);
    field->show();
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(field.get());
    QVERIFY(accessible);
    QAccessibleTextInterface *reader = accessible->textInterface();
    QVERIFY(reader);
    const int length = reader->characterCount();
    const QString all = reader->text(0, length);
    QCOMPARE(all.size(), length);

    using Query = QString (QAccessibleTextInterface::*)(int, QAccessible::TextBoundaryType, int *,
                                                        int *) const;
    const std::pair<const char *, Query> queries[] = {
        {"before", &QAccessibleTextInterface::textBeforeOffset},
        {"at", &QAccessibleTextInterface::textAtOffset},
        {"after", &QAccessibleTextInterface::textAfterOffset}};
    const QAccessible::TextBoundaryType boundaries[] = {
        QAccessible::CharBoundary,      QAccessible::WordBoundary, QAccessible::SentenceBoundary,
        QAccessible::ParagraphBoundary, QAccessible::LineBoundary, QAccessible::NoBoundary};
    HangWatch watch;
    for (const auto &[name, query] : queries) {
        for (QAccessible::TextBoundaryType boundary : boundaries) {
            for (int offset = 0; offset <= length; ++offset) {
                int start = -1;
                int end = -1;
                watch.begin(name);
                const QString answer = (reader->*query)(offset, boundary, &start, &end);
                watch.end();
                const QString where = QStringLiteral("%1 offset %2, boundary %3: [%4, %5) '%6'")
                                          .arg(QString::fromLatin1(name))
                                          .arg(offset)
                                          .arg(int(boundary))
                                          .arg(start)
                                          .arg(end)
                                          .arg(answer);
                QVERIFY2(0 <= start && start <= end && end <= length, qPrintable(where));
                QVERIFY2(answer == all.mid(start, end - start), qPrintable(where));
            }
        }
    }
}

void FieldAccessibleTest::wordsAndParagraphsReadAsInQtsEditor_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("marks inside a word") << QStringLiteral("a§b c_d é1 x");
    QTest::newRow("separators") << QStringLiteral("01,10 ..;; (1)[0] a-b/c");
    QTest::newRow("spaces and tabs") << QStringLiteral("  1\t0  ab \t ");
    QTest::newRow("paragraphs") << QStringLiteral("uno dos\n\ntres,\ncuatro ");
}

// The word a screen reader reads is the one Qt's own editor gives it, as a
// double click selects it, and so is the paragraph, at every offset.
void FieldAccessibleTest::wordsAndParagraphsReadAsInQtsEditor()
{
    QFETCH(QString, text);
    BinaryTextEdit field;
    field.setPlainText(text);
    QPlainTextEdit qtField(text);
    QAccessibleTextInterface *ours = QAccessible::queryAccessibleInterface(&field)->textInterface();
    QAccessibleTextInterface *qts =
        QAccessible::queryAccessibleInterface(&qtField)->textInterface();
    QCOMPARE(ours->characterCount(), qts->characterCount());
    for (const QAccessible::TextBoundaryType boundary :
         {QAccessible::WordBoundary, QAccessible::ParagraphBoundary}) {
        for (int offset = 0; offset < qts->characterCount(); ++offset) {
            int start = -1;
            int end = -1;
            int qtStart = -1;
            int qtEnd = -1;
            const QString answer = ours->textAtOffset(offset, boundary, &start, &end);
            const QString qtAnswer = qts->textAtOffset(offset, boundary, &qtStart, &qtEnd);
            const QString where = QStringLiteral("boundary %1, offset %2: '%3', Qt's '%4'")
                                      .arg(int(boundary))
                                      .arg(offset)
                                      .arg(answer, qtAnswer);
            QVERIFY2(answer == qtAnswer && start == qtStart && end == qtEnd, qPrintable(where));
        }
    }
}

// In a text of a hundred thousand digits, no answer is longer than the
// reach either side of the offset that the README states.
void FieldAccessibleTest::aQueryReadsAFewThousandCharactersAtMost()
{
    constexpr int kReach = 4096;
    BinaryTextEdit field;
    field.setPlainText(QString(100'000, u'1') + QStringLiteral("\n") + QString(100'000, u'0'));
    QAccessibleTextInterface *reader =
        QAccessible::queryAccessibleInterface(&field)->textInterface();
    for (const QAccessible::TextBoundaryType boundary :
         {QAccessible::WordBoundary, QAccessible::SentenceBoundary, QAccessible::ParagraphBoundary,
          QAccessible::LineBoundary}) {
        for (const int offset : {0, 50'000, 100'000, 100'001, 200'000}) {
            int start = -1;
            int end = -1;
            const QString answer = reader->textAtOffset(offset, boundary, &start, &end);
            QVERIFY2(start >= offset - kReach && end <= offset + kReach + 1 && !answer.isEmpty(),
                     qPrintable(QStringLiteral("boundary %1, offset %2: [%3, %4)")
                                    .arg(int(boundary))
                                    .arg(offset)
                                    .arg(start)
                                    .arg(end)));
        }
    }
}

QTEST_MAIN(FieldAccessibleTest)
#include "field_accessible_test.moc"
