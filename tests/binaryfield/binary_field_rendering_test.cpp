// SPDX-License-Identifier: GPL-3.0-or-later
// The binary field beside QPlainTextEdit: the same text, size, selection,
// scroll and caret give the same picture, pixel for pixel, and a click
// anywhere lands at the same place.
#include "binary_field_element.h"
#include "binary_text_edit.h"
#include "binary_text_model.h"
#include "reference_edit.h"
#include "typing.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTest>
#include <memory>

using namespace vantrel;

namespace {

const QRect kFieldTwips(120, 120, 4455, 1215);

// Where the two pictures of a failing row are kept, to look at.
QString keptPicturePath(const QString &row, const QString &which)
{
    const QString folder = QDir::temp().filePath(QStringLiteral("vantrel-rendering"));
    QDir().mkpath(folder);
    QString name = row;
    name.replace(QLatin1Char(' '), QLatin1Char('_'));
    return QDir(folder).filePath(name + QLatin1Char('-') + which + QStringLiteral(".png"));
}

// The first pixel where two pictures differ, or a null point.
std::optional<QPoint> firstDifference(const QImage &a, const QImage &b)
{
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y)) {
                return QPoint(x, y);
            }
        }
    }
    return std::nullopt;
}

} // namespace

class BinaryFieldRenderingTest : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();
    void drawnAsQtsEditor_data();
    void drawnAsQtsEditor();
    void clicksLandAsInQtsEditor_data() { drawnAsQtsEditor_data(); }
    void clicksLandAsInQtsEditor();

private:
    void showInBoth(const QString &text, int anchor, int caret, int scrolledLines);

    std::unique_ptr<QWidget> m_window;
    BinaryTextEdit *m_binary = nullptr;
    QPlainTextEdit *m_reference = nullptr;
};

void BinaryFieldRenderingTest::initTestCase()
{
    // A caret that does not blink: the pictures do not depend on when they
    // are taken.
    QApplication::setCursorFlashTime(0);
}

void BinaryFieldRenderingTest::init()
{
    m_window = std::make_unique<QWidget>();
    m_window->resize(700, 200);
    elements::FieldDesign design;
    design.font = elements::designFont(QStringLiteral("Calibri"), 12);
    m_binary =
        elements::binaryTextEdit(m_window.get(), QStringLiteral("txtBin"), kFieldTwips, design);
    m_reference = new QPlainTextEdit(m_window.get());
    m_reference->setGeometry(m_binary->geometry().translated(m_binary->width() + 20, 0));
    testing::setUpLikeBinaryField(*m_reference, *m_binary);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

void BinaryFieldRenderingTest::cleanup()
{
    m_window.reset();
}

void BinaryFieldRenderingTest::drawnAsQtsEditor_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("anchor");
    QTest::addColumn<int>("caret");
    QTest::addColumn<int>("scrolledLines");
    QTest::addColumn<bool>("focused");

    const QString digits = QStringLiteral("0110100111").repeated(40);
    QTest::newRow("digits, caret at the end") << digits << 400 << 400 << 0 << true;
    QTest::newRow("digits, no focus") << digits << 0 << 0 << 0 << false;
    QTest::newRow("digits, scrolled") << digits << 10 << 10 << 2 << true;
    QTest::newRow("digits, selected across lines") << digits << 20 << 95 << 0 << true;
    QTest::newRow("paragraphs") << QStringLiteral("0101\n1100\n\n111") << 3 << 3 << 0 << true;
    QTest::newRow("a selected line break") << QStringLiteral("0101\n\n1100") << 2 << 8 << 0 << true;
    QTest::newRow("letters and spaces")
        << QStringLiteral("Hola, 0100 0001 mundo ÁÉÍ ñ ¿qué? ") << 5 << 12 << 0 << true;
    QTest::newRow("tabs") << QStringLiteral("\t\t1\t01\n0\t\t\t1") << 4 << 4 << 0 << true;
    QTest::newRow("tabs wrapping, selected")
        << QStringLiteral("1\t1\t1\t1\t1\t1\t1 1") << 3 << 11 << 0 << true;
    const QString spaced = QStringLiteral("0101    ").repeated(11) + QStringLiteral("0101");
    QTest::newRow("wrapped spaces, all selected") << spaced << 0 << int(spaced.size()) << 0 << true;
    QTest::newRow("spaces ending a paragraph, selected")
        << QStringLiteral("0101    \n11  ") << 0 << 13 << 0 << true;
    // Spaces that end a paragraph past the edge take no highlight.
    const QString overflowing = QStringLiteral("0101").repeated(20) + QString(60, u' ');
    QTest::newRow("spaces past the edge ending a paragraph, selected")
        << overflowing + QStringLiteral("\n11") << 0 << int(overflowing.size()) + 3 << 0 << true;
    QTest::newRow("spaces past the edge ending the text, selected")
        << overflowing << 0 << int(overflowing.size()) << 0 << true;
    QTest::newRow("spaces past the edge, selected up to some")
        << overflowing << 70 << 110 << 0 << true;
    QTest::newRow("spaces past the edge, some selected") << overflowing << 95 << 110 << 0 << true;
    QTest::newRow("empty") << QString() << 0 << 0 << 0 << true;
}

void BinaryFieldRenderingTest::drawnAsQtsEditor()
{
    QFETCH(QString, text);
    QFETCH(int, anchor);
    QFETCH(int, caret);
    QFETCH(int, scrolledLines);
    QFETCH(bool, focused);
    showInBoth(text, anchor, caret, scrolledLines);

    // Only one widget has the focus: each is drawn with it in turn.
    const auto picture = [&](QAbstractScrollArea *field) {
        if (focused) {
            [&] { QVERIFY(testing::giveFocus(field)); }();
        } else {
            m_window->setFocus();
        }
        QCoreApplication::processEvents();
        return field->viewport()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    };
    const QImage drawn = picture(m_binary);
    const QImage expected = picture(m_reference);
    QCOMPARE(drawn.size(), expected.size());
    if (const std::optional<QPoint> at = firstDifference(drawn, expected)) {
        const QString row = QString::fromLatin1(QTest::currentDataTag());
        drawn.save(keptPicturePath(row, QStringLiteral("binary")));
        expected.save(keptPicturePath(row, QStringLiteral("qt")));
        QFAIL(qPrintable(QStringLiteral("the pictures differ first at (%1, %2); both are in %3")
                             .arg(at->x())
                             .arg(at->y())
                             .arg(QFileInfo(keptPicturePath(row, QString())).path())));
    }
}

// Where a press of the button puts the caret, over the whole view and a
// little past its edges: each field's own hit test, as its mouse uses it.
void BinaryFieldRenderingTest::clicksLandAsInQtsEditor()
{
    QFETCH(QString, text);
    QFETCH(int, anchor);
    QFETCH(int, caret);
    QFETCH(int, scrolledLines);
    showInBoth(text, anchor, caret, scrolledLines);

    const QRect view = m_binary->viewport()->rect();
    for (int y = view.top() - 4; y <= view.bottom() + 4; y += 2) {
        for (int x = view.left() - 4; x <= view.right() + 4; ++x) {
            const QPoint point(x, y);
            const qsizetype code = m_binary->offsetAt(point);
            const qsizetype plain = code - m_binary->model().layout().lineBreaksBefore(code);
            const int expected = m_reference->cursorForPosition(point).position();
            if (plain != expected) {
                QFAIL(qPrintable(QStringLiteral("at (%1, %2) the caret lands at %3, in Qt's at %4")
                                     .arg(x)
                                     .arg(y)
                                     .arg(plain)
                                     .arg(expected)));
            }
        }
    }
}

void BinaryFieldRenderingTest::showInBoth(const QString &text, int anchor, int caret,
                                          int scrolledLines)
{
    m_binary->setPlainText(text);
    m_reference->setPlainText(text);
    // The binary field counts a line break as two codes.
    const auto codeOffset = [&text](int plain) { return plain + text.left(plain).count(u'\n'); };
    m_binary->setSelection(codeOffset(anchor), codeOffset(caret));
    QTextCursor cursor = m_reference->textCursor();
    cursor.setPosition(anchor);
    cursor.setPosition(caret, QTextCursor::KeepAnchor);
    m_reference->setTextCursor(cursor);
    m_binary->verticalScrollBar()->setValue(scrolledLines);
    m_reference->verticalScrollBar()->setValue(scrolledLines);
}

QTEST_MAIN(BinaryFieldRenderingTest)
#include "binary_field_rendering_test.moc"
