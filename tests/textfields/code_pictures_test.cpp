// SPDX-License-Identifier: GPL-3.0-or-later
// Codes without a glyph of their own (the controls) show as pictures that no
// other code shares, drawn in the fields' own fonts, and read back as the
// codes themselves.
#include "application.h"
#include "binary_text_edit.h"
#include "code_rules.h"
#include "code_text.h"
#include "codepage.h"
#include "field_codes.h"
#include "fresh_windows.h"
#include "frmAscii.h"
#include "frmAsciiColl.h"
#include "text_area.h"

#include <QApplication>
#include <QClipboard>
#include <QFontMetricsF>
#include <QPainter>
#include <QSet>
#include <QTest>
#include <numeric>

using namespace vantrel;
using testing::element;

namespace {

constexpr QSize kCell(72, 48);

bool isControl(QChar c)
{
    return c.category() == QChar::Other_Control;
}

QImage drawnByTextArea(const QFont &font, const QString &text)
{
    TextArea field;
    field.setFont(font);
    field.setFrameShape(QFrame::NoFrame);
    field.resize(kCell);
    field.setText(text);
    return field.viewport()->grab().toImage();
}

// As a binary field draws its codes' characters: one run from its margin,
// without kerning or shaping.
QImage drawnLikeBinaryField(QFont font, const QString &text)
{
    font.setKerning(false);
    font.setStyleStrategy(QFont::StyleStrategy(font.styleStrategy() | QFont::PreferNoShaping));
    QImage image(kCell, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setFont(font);
    painter.drawText(QPointF(4, 4 + QFontMetricsF(font).ascent()), text);
    return image;
}

enum class FieldKind { TextArea, BinaryField };

} // namespace

class CodePicturesTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { testing::destroyAllWindows(); }

    void everyCodeShowsACharacterNoOtherCodeShows();
    void fieldsReadCharactersAsTheCodePageDoes();
    void textAreaShowsControlsAsPicturesAndReadsBackTheCodes_data();
    void textAreaShowsControlsAsPicturesAndReadsBackTheCodes();
    void controlCodesDrawDistinctlyInTheFieldsFonts_data();
    void controlCodesDrawDistinctlyInTheFieldsFonts();
};

void CodePicturesTest::everyCodeShowsACharacterNoOtherCodeShows()
{
    QSet<QChar> shownCharacters;
    int controls = 0;
    for (int code = 0; code < 256; ++code) {
        const QChar own(static_cast<char16_t>(codepage::unicodeOfCode(code)));
        const QChar shown = fieldcodes::displayCharacter(code);
        const QByteArray context = QByteArray::number(code);
        shownCharacters.insert(shown);
        QVERIFY2(!isControl(shown), context);
        if (!isControl(own)) {
            QVERIFY2(shown == own && !fieldcodes::isPicture(own), context);
            continue;
        }
        ++controls;
        // No character of the set, so it cannot pass for one.
        QVERIFY2(codepage::codeOfUnicode(shown.unicode()) == codepage::kUnknownCode, context);
        QVERIFY2(fieldcodes::isPicture(shown) && fieldcodes::pictureOf(own) == shown, context);
        QVERIFY2(fieldcodes::characterOfPicture(shown) == own, context);
        QVERIFY2(!coderules::isWordCode(code), context);
    }
    QCOMPARE(controls, 32 + 1 + 5); // C0, DEL and the five undefined codes
    QCOMPARE(shownCharacters.size(), 256);
}

// Line breaks aside, a field reads every UTF-16 unit, alone and before a
// letter or either half of a surrogate pair, as the code page reads it.
void CodePicturesTest::fieldsReadCharactersAsTheCodePageDoes()
{
    const char16_t nextUnits[] = {0, u'A', 0xD800, 0xDC00};
    for (unsigned value = 0; value <= 0xFFFF; ++value) {
        const auto unit = static_cast<char16_t>(value);
        if (isTypedLineBreak(unit)) {
            continue;
        }
        for (const char16_t next : nextUnits) {
            std::u16string text(1, unit);
            if (next != 0) {
                text.push_back(next);
            }
            if (fieldcodes::codesFromText(QStringView(text)) != codepage::codeTextFromUtf16(text)) {
                QFAIL(qPrintable(QStringLiteral("U+%1 before U+%2 reads otherwise")
                                     .arg(unsigned(value), 4, 16, QLatin1Char('0'))
                                     .arg(unsigned(next), 4, 16, QLatin1Char('0'))));
            }
        }
    }
}

void CodePicturesTest::textAreaShowsControlsAsPicturesAndReadsBackTheCodes_data()
{
    QTest::addColumn<bool>("pasted");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QByteArray>("codes");
    std::string every(256, '\0'); // CR and LF apart: no line break
    std::iota(every.begin(), every.end(), '\0');
    std::string withoutCrLf = every; // from outside, a lone CR or LF is a line break
    std::erase_if(withoutCrLf, [](char code) { return code == '\r' || code == '\n'; });
    QString pictures;
    for (int code = 0; code < 256; ++code) {
        const QChar shown = fieldcodes::displayCharacter(code);
        pictures += fieldcodes::isPicture(shown) ? QString(shown) : QString();
    }
    QTest::newRow("program write")
        << false << fromCodeText(every) << QByteArray::fromStdString(every);
    QTest::newRow("paste") << true << fromCodeText(withoutCrLf)
                           << QByteArray::fromStdString(withoutCrLf);
    QTest::newRow("pictures pasted") << true << pictures << QByteArray(pictures.size(), '?');
}

void CodePicturesTest::textAreaShowsControlsAsPicturesAndReadsBackTheCodes()
{
    QFETCH(bool, pasted);
    QFETCH(QString, text);
    QFETCH(QByteArray, codes);
    TextArea field;
    field.show();
    if (pasted) {
        QApplication::clipboard()->setText(text);
        field.paste();
    } else {
        field.setText(text);
    }
    QCOMPARE(QByteArray::fromStdString(toCodeText(field.text())), codes);
    for (const QChar shown : field.document()->toRawText()) {
        QVERIFY2(shown == u'\t' || !isControl(shown), QByteArray::number(shown.unicode(), 16));
    }
}

void CodePicturesTest::controlCodesDrawDistinctlyInTheFieldsFonts_data()
{
    QTest::addColumn<FieldKind>("kind");
    QTest::addColumn<QFont>("font");
    const frmAscii &converter = app::converterWindow();
    for (const char *name : {"txtMensaje", "txtHexa"}) {
        QTest::addRow("%s", name) << FieldKind::TextArea
                                  << element<TextArea>(&converter, name)->font();
    }
    for (const char *name : {"txtBinario", "txtBin"}) {
        QTest::addRow("%s", name) << FieldKind::BinaryField
                                  << element<BinaryTextEdit>(&converter, name)->font();
    }
    // The table's font as it opens (Arial), and one the user may name.
    const QFont tableFont = element<TextArea>(&app::asciiTableWindow(), "txtA")->font();
    QFont serif = tableFont;
    serif.setFamilies({QStringLiteral("DejaVu Serif")});
    QTest::newRow("table") << FieldKind::TextArea << tableFont;
    QTest::newRow("table in DejaVu Serif") << FieldKind::TextArea << serif;
    QTest::newRow("binary field in the table's font") << FieldKind::BinaryField << tableFont;
}

// Codes 0 to 31 and 127 to 159: no two draw alike, none draws as a missing
// glyph, and only a tab in a text area (which stays a tab) draws nothing.
void CodePicturesTest::controlCodesDrawDistinctlyInTheFieldsFonts()
{
    QFETCH(FieldKind, kind);
    QFETCH(QFont, font);
    const auto draw = [kind](const QFont &drawFont, const QString &text) {
        return kind == FieldKind::TextArea ? drawnByTextArea(drawFont, text)
                                           : drawnLikeBinaryField(drawFont, text);
    };
    // The font's missing glyph where a code's character is drawn: a character
    // none of the fields' fonts has (一), with no other font to fall back on.
    QFont alone = font;
    alone.setStyleStrategy(QFont::StyleStrategy(font.styleStrategy() | QFont::NoFontMerging));
    const QImage missing = draw(alone, QStringLiteral("\u4E00"));
    const QImage blank = draw(font, {});
    QVERIFY(missing != blank);

    QList<QImage> drawn;
    QList<int> drawnCodes;
    for (int code = 0; code < 160; code = code == 31 ? 127 : code + 1) {
        // A text area holds a code's own character, a binary field draws the
        // character that shows it.
        const QImage image = draw(font, kind == FieldKind::TextArea
                                            ? fromCodeText(std::string(1, static_cast<char>(code)))
                                            : QString(fieldcodes::displayCharacter(code)));
        const QByteArray context = QByteArray::number(code);
        if (kind == FieldKind::BinaryField || code != '\t') {
            QVERIFY2(image != missing, context + " draws as a missing glyph");
            QVERIFY2(image != blank, context + " draws nothing");
        }
        const qsizetype same = drawn.indexOf(image);
        QVERIFY2(same < 0, context + " draws as " + QByteArray::number(drawnCodes.value(same)));
        drawn << image;
        drawnCodes << code;
    }
}

QTEST_MAIN(CodePicturesTest)
#include "code_pictures_test.moc"
