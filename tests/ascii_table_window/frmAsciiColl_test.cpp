// SPDX-License-Identifier: GPL-3.0-or-later
#include "application.h"
#include "field_codes.h"
#include "fresh_windows.h"
#include "frmAscii.h"
#include "frmAsciiColl.h"
#include "house_colours.h"
#include "installed_fonts.h"
#include "manual_clock.h"
#include "palette_use.h"
#include "recording_prompt.h"
#include "screen_colours.h"
#include "text_area.h"
#include "typing.h"

#include <QAbstractButton>
#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QTimer>
#include <memory>
#include <vector>

using namespace vantrel;
using testing::element;

namespace {

// Which names count as installed fonts must not hang on this machine's
// fontconfig rules: the tests read the system's fonts through a configuration
// of their own, with none of the system's aliases and Liberation Sans, not
// the usual DejaVu Sans, as the default face. Set before QApplication starts.
class OwnFontConfiguration
{
public:
    OwnFontConfiguration()
    {
        const QString path = m_directory.filePath(QStringLiteral("fonts.conf"));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) {
            qFatal("cannot write %s", qPrintable(path));
        }
        file.write(QStringLiteral(R"(<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <dir>/usr/share/fonts</dir>
  <dir>/usr/local/share/fonts</dir>
  <cachedir>/var/cache/fontconfig</cachedir>
  <cachedir>%1</cachedir>
  <alias><family>sans-serif</family><prefer><family>Liberation Sans</family></prefer></alias>
  <alias><family>serif</family><prefer><family>Liberation Serif</family></prefer></alias>
  <alias><family>monospace</family><prefer><family>Liberation Mono</family></prefer></alias>
</fontconfig>
)")
                       .arg(m_directory.filePath(QStringLiteral("cache")))
                       .toUtf8());
        file.close();
        qputenv("FONTCONFIG_FILE", QFile::encodeName(path));
    }

private:
    QTemporaryDir m_directory;
};
const OwnFontConfiguration kOwnFontConfiguration;

QStringList lines(const QString &columnText)
{
    QStringList result = columnText.split(QStringLiteral("\r\n"));
    result.removeLast(); // the text ends with a line break
    return result;
}

} // namespace

class FrmAsciiCollTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void init();
    void cleanup()
    {
        testing::destroyAllWindows();
        m_clock.reset();
    }

    void columnsFillWithCodesAndCharacters_data();
    void columnsFillWithCodesAndCharacters();
    void everyCodeShowsAsTheFieldsDrawIt();
    void fillStopsOnceTheColumnsAreFull();
    void windowRisesThenDrops();
    void secondOpeningOnlyBringsItToTheFront();
    void closedWindowOpensAfresh();
    void fontChangeReopensWithTheNewFont_data();
    void fontChangeReopensWithTheNewFont();
    void missingFontIsReportedAtEveryOpening();
    void converterLoadResetsTheTableFont();
    void installedFontsIncludeMappedNamesOnly_data();
    void installedFontsIncludeMappedNamesOnly();
    void everyCharacterFitsItsColumn_data();
    void everyCharacterFitsItsColumn();
    void keysMoveACaretThroughAColumn();
    void fillingLeavesEachCaretAtItsStart();

private:
    frmAsciiColl *openTable();
    // Types a font name into the open table's font field and presses Enter
    // or clicks "Abrir"; returns the table that opens in its place.
    frmAsciiColl *chooseFont(frmAsciiColl *table, const QString &name, bool byEnter);
    void waitUntilFull(frmAsciiColl *table);
    TextArea *column(frmAsciiColl *table, const char *name) const
    {
        return element<TextArea>(table, name);
    }

    frmAscii *m_converter = nullptr;
    std::unique_ptr<testing::ManualClock> m_clock;
};

void FrmAsciiCollTest::init()
{
    m_clock = std::make_unique<testing::ManualClock>();
    m_converter = &app::converterWindow();
    m_converter->show();
    QVERIFY(QTest::qWaitForWindowActive(m_converter));
}

frmAsciiColl *FrmAsciiCollTest::openTable()
{
    QTest::mouseClick(element<QAbstractButton>(m_converter, "cmd2"), Qt::LeftButton);
    frmAsciiColl *table = testing::openTableWindow();
    if (table) {
        (void)QTest::qWaitForWindowExposed(table);
    }
    return table;
}

frmAsciiColl *FrmAsciiCollTest::chooseFont(frmAsciiColl *table, const QString &name, bool byEnter)
{
    auto *fontField = element<QLineEdit>(table, "txtFont");
    QPointer<frmAsciiColl> closing = table;
    if (!testing::giveFocus(fontField)) {
        return nullptr;
    }
    QTest::keyClick(fontField, Qt::Key_A, Qt::ControlModifier);
    testing::typeText(fontField, name);
    if (byEnter) {
        QTest::keyClick(fontField, Qt::Key_Return);
    } else {
        QTest::mouseClick(element<QAbstractButton>(table, "cmdFont"), Qt::LeftButton);
    }
    if (!QTest::qWaitFor([&closing] { return !closing; })) {
        return nullptr;
    }
    return testing::openTableWindow();
}

void FrmAsciiCollTest::waitUntilFull(frmAsciiColl *table)
{
    auto *fill = element<QTimer>(table, "Timer1");
    QVERIFY(m_clock->advanceUntil([fill] { return !fill->isActive(); }));
}

void FrmAsciiCollTest::columnsFillWithCodesAndCharacters_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("lineCount");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("last");
    QTest::addColumn<QColor>("colour");
    // In the first column CR and LF break their own lines: two extra lines.
    // Codes 10 and 13 are single characters of their lines, not line breaks.
    QTest::newRow("txtA") << "txtA" << 31 << "001   \u0001"
                          << "031   \u001F" << colours::kStrongBlue;
    QTest::newRow("txtB") << "txtB" << 96 << "032    "
                          << "127   \u007F" << colours::kPaleBlue;
    QTest::newRow("txtC") << "txtC" << 64 << "128   €"
                          << "191   ¿" << colours::kStrongBlue;
    QTest::newRow("txtD") << "txtD" << 64 << "192   À"
                          << "255   ÿ" << colours::kPaleBlue;
}

void FrmAsciiCollTest::columnsFillWithCodesAndCharacters()
{
    QFETCH(QString, name);
    QFETCH(int, lineCount);
    QFETCH(QString, first);
    QFETCH(QString, last);
    QFETCH(QColor, colour);
    frmAsciiColl *table = openTable();
    QVERIFY(table);
    QCOMPARE(table->windowTitle(), QStringLiteral("CÓDIGO ASCII"));
    waitUntilFull(table);
    TextArea *field = column(table, qPrintable(name));
    const QStringList text = lines(field->text());
    QCOMPARE(text.size(), lineCount);
    QCOMPARE(text.first(), first);
    QCOMPARE(text.last(), last);
    QVERIFY(!field->text().contains(QStringLiteral("000")));
    QVERIFY(field->isReadOnly());
    QCOMPARE(testing::background(field), colour);
}

// Every column shows each code as the fields draw it: a control code (the
// tab too) as its picture.
void FrmAsciiCollTest::everyCodeShowsAsTheFieldsDrawIt()
{
    frmAsciiColl *table = openTable();
    QVERIFY(table);
    waitUntilFull(table);
    QString shown;
    for (const char *name : {"txtA", "txtB", "txtC", "txtD"}) {
        shown += column(table, name)->document()->toRawText();
    }
    for (int code = 1; code < 256; ++code) {
        const QString line = QStringLiteral("%1   ").arg(code, 3, 10, QLatin1Char('0')) +
                             fieldcodes::displayCharacter(code) + QChar::ParagraphSeparator;
        QVERIFY2(shown.startsWith(line), qPrintable(line));
        shown.remove(0, line.size());
    }
}

void FrmAsciiCollTest::fillStopsOnceTheColumnsAreFull()
{
    frmAsciiColl *table = openTable();
    auto *fill = element<QTimer>(table, "Timer1");
    QCOMPARE(fill->interval(), 1);
    QVERIFY(fill->isActive());
    waitUntilFull(table);
    const QString before = column(table, "txtD")->text();
    m_clock->advance(50);
    QCOMPARE(column(table, "txtD")->text(), before);
}

void FrmAsciiCollTest::windowRisesThenDrops()
{
    frmAsciiColl *table = testing::openTableWindow();
    QVERIFY(!table);
    table = &app::asciiTableWindow();
    QList<int> tops;
    auto *rise = element<QTimer>(table, "tmrTop");
    QCOMPARE(rise->interval(), 20);
    connect(rise, &QTimer::timeout, table, [&] { tops << table->y(); });
    table->show();
    const int start = table->y();
    QVERIFY(m_clock->advanceUntil([rise] { return !rise->isActive(); }));
    // Six rises of 60 twips (4 pixels), then one drop of 120.
    QCOMPARE(tops, (QList<int>{start - 4, start - 8, start - 12, start - 16, start - 20, start - 24,
                               start - 16}));
}

void FrmAsciiCollTest::secondOpeningOnlyBringsItToTheFront()
{
    frmAsciiColl *table = openTable();
    QVERIFY(m_clock->advanceUntil([&] { return column(table, "txtB")->text().size() > 50; }));
    const QPointer<frmAsciiColl> first = table;
    QVERIFY(testing::giveFocus(element<QWidget>(m_converter, "txtC")));
    frmAsciiColl *again = openTable();
    QCOMPARE(again, first.data());
    QVERIFY(column(again, "txtB")->text().startsWith(QStringLiteral("032")));
    int tables = 0;
    for (QWidget *window : QApplication::topLevelWidgets()) {
        tables += qobject_cast<frmAsciiColl *>(window) && window->isVisible() ? 1 : 0;
    }
    QCOMPARE(tables, 1);
    QTRY_VERIFY(again->isActiveWindow());
}

void FrmAsciiCollTest::closedWindowOpensAfresh()
{
    QPointer<frmAsciiColl> first = openTable();
    waitUntilFull(first);
    first->close();
    QTRY_VERIFY(!first);
    frmAsciiColl *second = openTable();
    QVERIFY(second);
    QVERIFY(lines(column(second, "txtD")->text()).size() < 64); // filling again
    waitUntilFull(second);
}

void FrmAsciiCollTest::fontChangeReopensWithTheNewFont_data()
{
    QTest::addColumn<bool>("byEnter");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("drawnBy"); // the family the columns show
    QTest::newRow("Abrir") << false << "DejaVu Serif"
                           << "DejaVu Serif";
    QTest::newRow("Enter") << true << "DejaVu Serif"
                           << "DejaVu Serif";
    QTest::newRow("any case") << false << "dejavu sans mono"
                              << "DejaVu Sans Mono";
    QTest::newRow("Times New Roman") << true << "Times New Roman"
                                     << "Liberation Serif";
    QTest::newRow("courier") << false << "courier"
                             << "Liberation Mono";
    QTest::newRow("Calibri") << true << "Calibri"
                             << "Carlito";
}

void FrmAsciiCollTest::fontChangeReopensWithTheNewFont()
{
    QFETCH(bool, byEnter);
    QFETCH(QString, typed);
    QFETCH(QString, drawnBy);
    QPointer<frmAsciiColl> first = openTable();
    waitUntilFull(first);
    auto *fontField = element<QLineEdit>(first, "txtFont");
    QCOMPARE(fontField->text(), QStringLiteral("Arial"));
    for (const char *name : {"txtA", "txtD"}) {
        QCOMPARE(QFontInfo(column(first, name)->font()).family(),
                 QStringLiteral("Liberation Sans"));
    }
    testing::RecordingPrompt prompt;
    QPointer<frmAsciiColl> second = chooseFont(first, typed, byEnter);
    QVERIFY(second && second->isVisible());
    QCOMPARE(app::tableFontName(), typed);
    QCOMPARE(element<QLineEdit>(second, "txtFont")->text(), typed);
    for (const char *name : {"txtA", "txtB", "txtC", "txtD"}) {
        QCOMPARE(QFontInfo(column(second, name)->font()).family(), drawnBy);
        QCOMPARE(column(second, name)->font().pointSizeF(), 14.25);
    }
    QVERIFY(lines(column(second, "txtB")->text()).size() < 96); // the fill restarted
    QVERIFY(prompt.messages().isEmpty());
}

void FrmAsciiCollTest::missingFontIsReportedAtEveryOpening()
{
    frmAsciiColl *first = openTable();
    testing::RecordingPrompt prompt;
    frmAsciiColl *second = chooseFont(first, QStringLiteral("No Such Font Anywhere"), true);
    QCOMPARE(prompt.texts(), QStringList{QStringLiteral("Esta fuente no existe en el equipo.")});
    QCOMPARE(prompt.messages().first().icon, QMessageBox::Critical);
    QCOMPARE(prompt.messages().first().parent, m_converter);

    QVERIFY(second);
    QTRY_VERIFY(second->isVisible());
    QCOMPARE(app::tableFontName(), QStringLiteral("No Such Font Anywhere"));
    // The load stopped before the fonts and the font field: both as designed.
    QCOMPARE(element<QLineEdit>(second, "txtFont")->text(), QStringLiteral("Arial"));
    QCOMPARE(QFontInfo(column(second, "txtA")->font()).family(), QStringLiteral("Liberation Sans"));
    waitUntilFull(second); // the columns still fill

    second->close();
    QTRY_VERIFY(!testing::openTableWindow());
    openTable();
    QCOMPARE(prompt.messages().size(), 2);
}

void FrmAsciiCollTest::converterLoadResetsTheTableFont()
{
    app::setTableFontName(QStringLiteral("DejaVu Serif"));
    frmAsciiColl *table = openTable();
    QCOMPARE(element<QLineEdit>(table, "txtFont")->text(), QStringLiteral("DejaVu Serif"));
    table->close();
    QCOMPARE(app::tableFontName(), QStringLiteral("DejaVu Serif")); // outlives the window
    testing::destroyAllWindows();
    app::converterWindow();
    QCOMPARE(app::tableFontName(), QStringLiteral("Arial"));
}

void FrmAsciiCollTest::installedFontsIncludeMappedNamesOnly_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("family"); // the family that draws it; empty: refused
    const QString refused;
    QTest::newRow("Arial, mapped") << "Arial"
                                   << "Liberation Sans";
    QTest::newRow("Arial, any case") << "aRIAL"
                                     << "Liberation Sans";
    QTest::newRow("Helvetica") << "Helvetica"
                               << "Liberation Sans";
    QTest::newRow("Times New Roman") << "Times New Roman"
                                     << "Liberation Serif";
    QTest::newRow("Times") << "Times"
                           << "Liberation Serif";
    QTest::newRow("Courier New") << "courier new"
                                 << "Liberation Mono";
    QTest::newRow("Courier") << "Courier"
                             << "Liberation Mono";
    QTest::newRow("Calibri, mapped") << "Calibri"
                                     << "Carlito";
    QTest::newRow("Cambria, without Caladea")
        << "Cambria" << (QFontDatabase::hasFamily(QStringLiteral("Caladea")) ? "Caladea" : "");
    QTest::newRow("installed family") << "Liberation Sans"
                                      << "Liberation Sans";
    QTest::newRow("any case") << "dejavu serif"
                              << "DejaVu Serif";
    QTest::newRow("stand-in named itself") << "CARLITO"
                                           << "Carlito";
    QTest::newRow("serif") << "serif" << refused;
    QTest::newRow("Serif") << "Serif" << refused;
    QTest::newRow("sans-serif") << "sans-serif" << refused;
    QTest::newRow("Sans Serif") << "Sans Serif" << refused;
    QTest::newRow("Sans") << "Sans" << refused;
    QTest::newRow("monospace") << "monospace" << refused;
    QTest::newRow("Monospace") << "Monospace" << refused;
    QTest::newRow("only substituted") << "Comic Sans MS" << refused;
    QTest::newRow("a near miss of an alias") << "Arial Black" << refused;
    QTest::newRow("an alias with blanks") << " Arial " << refused;
    QTest::newRow("unknown") << "No Such Font Anywhere" << refused;
    QTest::newRow("empty") << "" << refused;
    QTest::newRow("blanks") << "   " << refused;
    QTest::newRow("odd characters") << QString::fromUtf8("Ar!al ☃ \t\n;,\"'") << refused;
    QTest::newRow("10,000 characters") << QString(10'000, 'q') << refused;
}

void FrmAsciiCollTest::installedFontsIncludeMappedNamesOnly()
{
    QFETCH(QString, name);
    QFETCH(QString, family);
    QCOMPARE(installedFamily(name), family);
    QCOMPARE(fontInstalled(name), !family.isEmpty());
}

void FrmAsciiCollTest::everyCharacterFitsItsColumn_data()
{
    QTest::addColumn<QString>("font");
    // The widest faces the table takes, a monospaced one first.
    for (const char *font : {"Courier New", "DejaVu Sans", "Arial", "Times New Roman", "Calibri"}) {
        QTest::newRow(font) << QString::fromLatin1(font);
    }
}

// A column wraps a line too wide for it: every line it shows fits between its
// edges, so no character is cut off.
void FrmAsciiCollTest::everyCharacterFitsItsColumn()
{
    QFETCH(QString, font);
    frmAsciiColl *table = chooseFont(openTable(), font, true);
    QVERIFY(table);
    waitUntilFull(table);
    for (const char *name : {"txtA", "txtB", "txtC", "txtD"}) {
        TextArea *area = column(table, name);
        QTextDocument *document = area->document();
        const qreal width = area->viewport()->width() - 2 * document->documentMargin();
        for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
            (void)document->documentLayout()->blockBoundingRect(block); // lays the block out
            const QTextLayout *layout = block.layout();
            for (int i = 0; i < layout->lineCount(); ++i) {
                QVERIFY2(layout->lineAt(i).naturalTextWidth() <= width,
                         qPrintable(QStringLiteral("%1, line \"%2\": %3 px in %4")
                                        .arg(QString::fromLatin1(name), block.text())
                                        .arg(layout->lineAt(i).naturalTextWidth())
                                        .arg(width)));
            }
        }
    }
}

// A screen reader reads the line the caret moves to: the read-only columns
// keep a caret that the arrow keys move, line by line.
void FrmAsciiCollTest::keysMoveACaretThroughAColumn()
{
    frmAsciiColl *table = openTable();
    QVERIFY(table);
    waitUntilFull(table);
    TextArea *first = column(table, "txtA");
    QVERIFY(testing::giveFocus(first));
    QTest::keyClick(first, Qt::Key_Home, Qt::ControlModifier);
    QCOMPARE(first->textCursor().blockNumber(), 0);
    QTest::keyClick(first, Qt::Key_Down);
    QTest::keyClick(first, Qt::Key_Down);
    QCOMPARE(first->textCursor().block().text().left(3), QStringLiteral("003"));
    QTest::keyClick(first, Qt::Key_Up);
    QCOMPARE(first->textCursor().block().text().left(3), QStringLiteral("002"));
}

// Each caret move is told to screen readers: a caret riding along with every
// added line would keep them busy for seconds after the table opens.
void FrmAsciiCollTest::fillingLeavesEachCaretAtItsStart()
{
    frmAsciiColl *table = openTable();
    QVERIFY(table);
    std::vector<std::unique_ptr<QSignalSpy>> moves;
    for (const char *name : {"txtA", "txtB", "txtC", "txtD"}) {
        moves.push_back(std::make_unique<QSignalSpy>(column(table, name),
                                                     &QPlainTextEdit::cursorPositionChanged));
    }
    waitUntilFull(table);
    for (const char *name : {"txtA", "txtB", "txtC", "txtD"}) {
        QCOMPARE(column(table, name)->textCursor().position(), 0);
    }
    for (const auto &spy : moves) {
        QVERIFY2(spy->count() <= 2, qPrintable(QString::number(spy->count())));
    }
}

QTEST_MAIN(FrmAsciiCollTest)
#include "frmAsciiColl_test.moc"
