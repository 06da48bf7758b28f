#include "frmAscii.h"

#include "clickable_label.h"
#include "elements.h"
#include "house_look.h"
#include "painted_widgets.h"
#include "palette_use.h"
#include "picture_button.h"
#include "program_state.h"
#include "text_area.h"
#include "twips.h"
#include "window_placement.h"

#include <QButtonGroup>
#include <QFrame>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTimer>

namespace vantrel {

using namespace converter;

namespace {

constexpr QSize kClientSizeTwips(7575, 2775);
constexpr int kAnimationIntervalMs = 10;
constexpr int kLimitedFieldLength = 500; // txtMensaje and txtHexa

QFont calibri(qreal points)
{
    return elements::designFont(QStringLiteral("Calibri"), points);
}

QIcon picture(const QString &name)
{
    return QIcon(QStringLiteral(":/vantrel/%1.svg").arg(name));
}

QAbstractButton *pictureButton(QWidget *parent, const QString &name, const QRect &twips,
                               const QString &pictureName, const QString &tooltip)
{
    auto *button = new PictureButton(picture(pictureName), parent);
    button->setObjectName(name);
    elements::setTooltip(button, tooltip);
    twips::place(button, twips);
    return button;
}

ImageWidget *image(QWidget *parent, const QString &name, const QRect &twips,
                   const QString &pictureName)
{
    auto *widget = new ImageWidget(picture(pictureName), parent);
    widget->setObjectName(name);
    twips::place(widget, twips);
    widget->lower(); // behind the text fields, never seen
    return widget;
}

} // namespace

frmAscii::frmAscii(QWidget *parent) : QWidget(parent, kFixedSizeWindow)
{
    look::pinPalette(this);
    setObjectName(QStringLiteral("frmAscii"));
    setWindowTitle(QStringLiteral("VANTREL"));
    setWindowIcon(app::applicationIcon());
    twips::setFixedClientSize(this, kClientSizeTwips);
    createElements();
    setTabOrder();
    connectValuePanel();
    connectMessagePanel();
    connectHexPanel();
    connectPanelSwitching();
    connectManualMode();
    connectCommands();
    Form_Load();
}

void frmAscii::createElements()
{
    m_ui.tmrRebote2 =
        elements::timer(this, QStringLiteral("tmrRebote2"), kAnimationIntervalMs, false);
    m_ui.tmrSizeV = elements::timer(this, QStringLiteral("tmrSizeV"), kAnimationIntervalMs, false);
    m_ui.tmrSizeH = elements::timer(this, QStringLiteral("tmrSizeH"), kAnimationIntervalMs, false);
    createTabStrip();
    createViewport();
}

void frmAscii::createTabStrip()
{
    m_ui.Frame3 = elements::frame(this, QStringLiteral("Frame3"), {0, 0, 2895, 2775});
    m_ui.tmrRebote1 =
        elements::timer(m_ui.Frame3, QStringLiteral("tmrRebote1"), kAnimationIntervalMs, false);

    struct Tab
    {
        QString caption;
        QString tooltip;
        QRect twips;
    };
    const Tab tabs[2] = {
        {QStringLiteral("ASCII"),
         QStringLiteral(" Convierte caracteres, valores binarios y decimales. "),
         {120, 120, 2655, 1215}},
        {QStringLiteral("HEXA"),
         QStringLiteral(" Convierte valores binarios y hexadecimales. "),
         {120, 1440, 2655, 1215}},
    };
    for (int index : {1, 0}) {
        auto *label = new ClickableLabel(tabs[index].caption, m_ui.Frame3);
        label->setObjectName(QStringLiteral("cmdBoton%1").arg(index));
        label->setFont(calibri(48));
        label->setAlignment(Qt::AlignCenter);
        label->setFocusPolicy(Qt::NoFocus);
        label->setCursor(Qt::PointingHandCursor);
        elements::setTooltip(label, tabs[index].tooltip);
        twips::place(label, tabs[index].twips);
        m_ui.cmdBoton[index] = label;
    }
}

void frmAscii::createViewport()
{
    m_ui.frmeBig = elements::frame(this, QStringLiteral("frmeBig"), {2880, 120, 4695, 2535});
    m_ui.Frame2 = elements::frame(m_ui.frmeBig, QStringLiteral("Frame2"), {0, 0, 8655, 5175});
    createHexPanel(m_ui.Frame2);
    m_ui.Frame1 = elements::frame(m_ui.Frame2, QStringLiteral("Frame1"), {0, 0, 8655, 2535});
    createButtonColumn(m_ui.Frame1);
    createValuePanel(m_ui.Frame1);
    createMessagePanel(m_ui.Frame1);
    m_ui.imgCur[0] = image(m_ui.Frame1, QStringLiteral("imgCur0"), {2880, 120, 375, 375},
                           QStringLiteral("arrow_right"));
    m_ui.imgCur[1] = image(m_ui.Frame1, QStringLiteral("imgCur1"), {3480, 120, 375, 375},
                           QStringLiteral("arrow_left"));
}

void frmAscii::createHexPanel(QWidget *frame)
{
    m_ui.txtHexa = elements::textArea(
        frame, QStringLiteral("txtHexa"), {120, 2640, 4455, 1215},
        {calibri(12), QStringLiteral(" VALOR HEXADECIMAL "), {}, kLimitedFieldLength, false, true});
    m_ui.txtBin =
        elements::textArea(frame, QStringLiteral("txtBin"), {120, 3960, 4455, 1215},
                           {calibri(12), QStringLiteral(" VALOR BINARIO "), {}, 0, false, true});
}

void frmAscii::createButtonColumn(QWidget *frame)
{
    m_ui.cmd3 =
        pictureButton(frame, QStringLiteral("cmd3"), {4200, 840, 375, 375},
                      QStringLiteral("question_mark"), QStringLiteral(" Acerca del programa. "));
    m_ui.cmd2 = pictureButton(frame, QStringLiteral("cmd2"), {4200, 420, 375, 375},
                              QStringLiteral("at_sign"),
                              QStringLiteral(" Ver lista de código Ascii (Visual Basic 6.0). "));
    m_ui.cmd1 =
        pictureButton(frame, QStringLiteral("cmd1"), {4200, 0, 375, 375},
                      QStringLiteral("arrow_right"), QStringLiteral(" Ver conversión de texto. "));

    m_ui.Option2 = elements::checkableButton(
        frame, QStringLiteral("Option2"), {4200, 2160, 375, 375}, QStringLiteral("8"), calibri(12));
    elements::setTooltip(m_ui.Option2, QStringLiteral(" Modo 8 bits. "));
    m_ui.Option1 = elements::checkableButton(
        frame, QStringLiteral("Option1"), {4200, 1740, 375, 375}, QStringLiteral("7"), calibri(12));
    elements::setTooltip(m_ui.Option1, QStringLiteral(" Modo 7 bits. "));
    m_ui.bitMode = new QButtonGroup(this);
    m_ui.bitMode->setExclusive(true);
    m_ui.bitMode->addButton(m_ui.Option1, 7);
    m_ui.bitMode->addButton(m_ui.Option2, 8);
    m_ui.Option2->setChecked(true);
    m_ui.Option1->setEnabled(false);
    m_ui.Option2->setEnabled(false);

    m_ui.chkManual =
        elements::checkableButton(frame, QStringLiteral("chkManual"), {4200, 1320, 375, 375},
                                  QStringLiteral("M"), calibri(12));
    elements::setTooltip(m_ui.chkManual, QStringLiteral(" Manual activado. "));
    m_ui.chkManual->setChecked(true);

    for (QAbstractButton *button : {m_ui.Option1, m_ui.Option2, m_ui.chkManual}) {
        palette::setBackground(button, colours::kWhite);
    }
}

void frmAscii::createValuePanel(QWidget *frame)
{
    const QFont big = calibri(48);
    m_ui.txtC =
        elements::lineEdit(frame, QStringLiteral("txtC"), {120, 0, 1695, 1230},
                           {big, QStringLiteral(" CARACTER "), QStringLiteral("A"), 1, true});
    m_ui.txtA = elements::lineEdit(
        frame, QStringLiteral("txtA"), {1920, 0, 2175, 1230},
        {big, QStringLiteral(" VALOR ASCII/DECIMAL "), QStringLiteral("65"), 3, true});
    m_ui.txtB = elements::lineEdit(
        frame, QStringLiteral("txtB"), {120, 1320, 3975, 1230},
        {big, QStringLiteral(" VALOR BINARIO "), QStringLiteral("01000001"), 8, true});
}

void frmAscii::createMessagePanel(QWidget *frame)
{
    m_ui.txtMensaje =
        elements::textArea(frame, QStringLiteral("txtMensaje"), {4680, 0, 3975, 1215},
                           {calibri(12), QStringLiteral(" MENSAJE "), {}, kLimitedFieldLength});
    m_ui.txtBinario = elements::textArea(
        frame, QStringLiteral("txtBinario"), {4680, 1320, 3975, 1215},
        {calibri(12), QStringLiteral(" MENSAJE EN BINARIO "), {}, 0, false, true});
}

void frmAscii::setTabOrder()
{
    const QWidget *order[] = {m_ui.txtC,    m_ui.txtA,       m_ui.txtB,       m_ui.cmd1,
                              m_ui.cmd2,    m_ui.cmd3,       m_ui.chkManual,  m_ui.Option1,
                              m_ui.Option2, m_ui.txtMensaje, m_ui.txtBinario, m_ui.txtHexa,
                              m_ui.txtBin};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
        QWidget::setTabOrder(const_cast<QWidget *>(order[i]), const_cast<QWidget *>(order[i + 1]));
    }
}

void frmAscii::Form_Load()
{
    palette::setBackground(this, colours::kWindowBackground);
    palette::setBackground(m_ui.Frame1, colours::kWindowBackground);
    palette::setBackground(m_ui.Frame2, colours::kWindowBackground);
    palette::setBackground(m_ui.Frame3, colours::kTabStrip);
    palette::setBackground(m_ui.frmeBig, colours::kWindowBackground);
    palette::setBackground(m_ui.cmdBoton[0], colours::kActive);
    palette::setBackground(m_ui.cmdBoton[1], colours::kIdle);
    for (QWidget *field :
         {static_cast<QWidget *>(m_ui.txtBin), static_cast<QWidget *>(m_ui.txtHexa),
          static_cast<QWidget *>(m_ui.txtA), static_cast<QWidget *>(m_ui.txtB),
          static_cast<QWidget *>(m_ui.txtC), static_cast<QWidget *>(m_ui.txtMensaje),
          static_cast<QWidget *>(m_ui.txtBinario)}) {
        palette::setBackground(field, colours::kIdle);
    }
    m_state.currentCharacterCode = 65;
    m_state.manual = true;
    app::setTableFontName(QStringLiteral("Arial"));
}

void frmAscii::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_shownBefore) {
        m_shownBefore = true;
        centreOnScreen(this);
        activateWindow();
        m_ui.txtC->setFocus(Qt::TabFocusReason);
        m_ui.txtC->end(false);
    }
}

} // namespace vantrel
