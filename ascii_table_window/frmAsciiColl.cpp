// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmAsciiColl.h"

#include "elements.h"
#include "field_codes.h"
#include "field_elements.h"
#include "field_events.h"
#include "house_colours.h"
#include "house_look.h"
#include "installed_fonts.h"
#include "key_codes.h"
#include "line_field.h"
#include "palette_use.h"
#include "program_state.h"
#include "text_area.h"
#include "twips.h"
#include "window_accessible.h"
#include "window_placement.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace vantrel {
namespace {

constexpr QSize kClientSizeTwips(5895, 4335);
constexpr int kFillIntervalMs = 1;
constexpr int kRiseIntervalMs = 20;
constexpr int kRiseStep = 60;
constexpr int kDropStep = 120;
constexpr qint16 kRiseTicks = 6;

// Arial as the table names fonts: drawn by its installed stand-in, whatever
// fontconfig's own substitutions would pick.
QFont arial(qreal points)
{
    const QString arial = QStringLiteral("Arial");
    const QString family = installedFamily(arial);
    return elements::designFont(family.isEmpty() ? arial : family, points);
}

// "00#" code, three spaces, the character that shows the code in the fields,
// CR LF. A control code, the tab included, shows its picture; the column
// still reads back the code itself.
QString tableLine(int code)
{
    return QStringLiteral("%1   ").arg(code, 3, 10, QLatin1Char('0')) +
           fieldcodes::displayCharacter(static_cast<unsigned char>(code)) + QStringLiteral("\r\n");
}

} // namespace

frmAsciiColl::frmAsciiColl(QWidget *parent) : QWidget(parent, kFixedSizeWindow)
{
    look::pinPalette(this);
    setObjectName(QStringLiteral("frmAsciiColl"));
    setWindowTitle(QStringLiteral("CÓDIGO ASCII"));
    accessibility::makeWindow(this);
    setWindowIcon(app::applicationIcon());
    twips::setFixedClientSize(this, kClientSizeTwips);
    palette::setBackground(this, Qt::white);
    createElements();
    Form_Load();
}

void frmAsciiColl::createElements()
{
    struct ColumnDesign
    {
        const char *name;
        int left;
        int firstCode;
        int lastCode;
    };
    const ColumnDesign designs[] = {{"txtA", 120, 1, 31},
                                    {"txtB", 1560, 32, 127},
                                    {"txtC", 3000, 128, 191},
                                    {"txtD", 4440, 192, 255}};
    for (std::size_t i = 0; i < m_ui.columns.size(); ++i) {
        const ColumnDesign &design = designs[i];
        TextArea *field =
            elements::textArea(this, QString::fromLatin1(design.name),
                               {design.left, 120, 1335, 3615}, {.font = arial(14.25)});
        field->setReadOnly(true);
        // A caret moves through the read-only column, so the keys that move
        // in it move what a screen reader reads; named by the codes it lists.
        field->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
        field->setAccessibleName(QStringLiteral("Códigos %1 a %2")
                                     .arg(design.firstCode, 3, 10, QLatin1Char('0'))
                                     .arg(design.lastCode, 3, 10, QLatin1Char('0')));
        // A line too wide for its column wraps, as in any multi-line field
        // with a vertical scroll bar only: a wide face's character goes to
        // the next line rather than past the edge.
        field->setLineWrapMode(QPlainTextEdit::WidgetWidth);
        field->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        m_ui.columns[i] = {field, design.firstCode, design.lastCode, design.firstCode};
    }

    m_ui.Label1 = elements::create<QLabel>(this, QStringLiteral("Label1"), {120, 3840, 1095, 375},
                                           QStringLiteral("Fuente:"));
    m_ui.Label1->setFont(arial(15.75));
    palette::setTransparent(m_ui.Label1);

    m_ui.txtFont = elements::lineEdit(this, QStringLiteral("txtFont"), {1320, 3840, 3015, 375},
                                      {.font = arial(15.75), .text = QStringLiteral("Arial")});
    m_ui.txtFont->setFrame(true);
    m_ui.txtFont->setAccessibleName(QStringLiteral("Fuente"));
    m_ui.Label1->setBuddy(m_ui.txtFont);

    auto *open = elements::create<QPushButton>(this, QStringLiteral("cmdFont"),
                                               {4440, 3840, 1335, 375}, QStringLiteral("Abrir"));
    open->setFont(arial(12));
    m_ui.cmdFont = open;
    connect(open, &QPushButton::clicked, this, &frmAsciiColl::cmdFont_Click);
    fields::connect(m_ui.txtFont, {.keyPress = [this](int &keyCode) { txtFont_KeyDown(keyCode); }});

    // Both run from the first show: nothing fills or rises unseen.
    m_ui.Timer1 = elements::timer(this, QStringLiteral("Timer1"), kFillIntervalMs, false);
    m_ui.tmrTop = elements::timer(this, QStringLiteral("tmrTop"), kRiseIntervalMs, false);
    connect(m_ui.Timer1, &QTimer::timeout, this, &frmAsciiColl::Timer1_Timer);
    connect(m_ui.tmrTop, &QTimer::timeout, this, &frmAsciiColl::tmrTop_Timer);

    QWidget *previous = m_ui.columns[0].field;
    for (QWidget *next : {static_cast<QWidget *>(m_ui.columns[1].field),
                          static_cast<QWidget *>(m_ui.columns[2].field),
                          static_cast<QWidget *>(m_ui.columns[3].field),
                          static_cast<QWidget *>(m_ui.txtFont), static_cast<QWidget *>(open)}) {
        setTabOrder(previous, next);
        previous = next;
    }
}

void frmAsciiColl::Form_Load()
{
    for (Column &column : m_ui.columns) {
        column.nextCode = column.firstCode;
    }
    for (std::size_t i = 0; i < m_ui.columns.size(); ++i) {
        palette::setBackground(m_ui.columns[i].field,
                               i % 2 == 0 ? colours::kStrongBlue : colours::kPaleBlue);
    }
    palette::setBackground(m_ui.txtFont, colours::kIdle);

    const QString fontName = app::tableFontName();
    // Arial may be drawn by Liberation Sans: name the family that draws,
    // not one that fontconfig would have to guess at.
    const QString family = installedFamily(fontName);
    m_loadedFont = !family.isEmpty();
    if (!m_loadedFont) {
        return; // the columns keep their fonts; the opener shows the error
    }
    for (Column &column : m_ui.columns) {
        QFont font = column.field->font();
        font.setFamilies({family});
        column.field->setFont(font);
    }
    m_ui.txtFont->setText(fontName);
}

void frmAsciiColl::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_shownBefore) {
        m_shownBefore = true;
        const QPoint frame = centreOnScreen(this);
        m_frameLeft = frame.x();
        m_topTwips = frame.y() * twips::kTwipsPerPixel;
        m_ui.Timer1->start();
        m_ui.tmrTop->start();
        if (!m_loadedFont) {
            // Opened on a font that does not exist: back to the name, to mend it.
            m_ui.txtFont->setFocus(Qt::OtherFocusReason);
            m_ui.txtFont->end(false);
        }
    }
}

void frmAsciiColl::closeEvent(QCloseEvent *event)
{
    m_ui.Timer1->stop();
    m_ui.tmrTop->stop();
    QWidget::closeEvent(event);
}

void frmAsciiColl::Timer1_Timer()
{
    bool filling = false;
    for (Column &column : m_ui.columns) {
        if (column.nextCode <= column.lastCode) {
            column.field->appendText(tableLine(column.nextCode));
            ++column.nextCode;
            filling = filling || column.nextCode <= column.lastCode;
        }
    }
    if (!filling) {
        m_ui.Timer1->stop(); // full: an idle table costs nothing
    }
}

void frmAsciiColl::moveTopBy(int twipsDelta)
{
    m_topTwips += twipsDelta;
    moveFrameTo(this, {m_frameLeft, twips::toPixels(m_topTwips)});
}

void frmAsciiColl::tmrTop_Timer()
{
    if (m_riseCounter >= kRiseTicks) {
        moveTopBy(kDropStep);
        m_riseCounter = 0;
        m_ui.tmrTop->stop();
        return;
    }
    moveTopBy(-kRiseStep);
    ++m_riseCounter;
}

void frmAsciiColl::cmdFont_Click()
{
    app::setTableFontName(m_ui.txtFont->text());
    Q_EMIT fontChosen();
}

void frmAsciiColl::txtFont_KeyDown(int &keyCode)
{
    if (keyCode == keys::kEnter) {
        keyCode = 0;
        cmdFont_Click();
    }
}

} // namespace vantrel
