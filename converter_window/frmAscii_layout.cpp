// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmAscii_layout.h"

#include "binary_field_element.h"
#include "binary_text_edit.h"
#include "button_accessible.h"
#include "clickable_label.h"
#include "elements.h"
#include "house_colours.h"
#include "line_field.h"
#include "message_conversion.h"
#include "painted_widgets.h"
#include "palette_use.h"
#include "picture_button.h"
#include "text_area.h"

#include <QButtonGroup>
#include <QFrame>
#include <QLineEdit>
#include <QTimer>

namespace vantrel::converter {

namespace {

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
    auto *button = elements::create<PictureButton>(parent, name, twips, picture(pictureName));
    accessibility::makeButton(button, QAccessible::PushButton);
    elements::setTooltip(button, tooltip);
    return button;
}

ImageWidget *image(QWidget *parent, const QString &name, const QRect &twips,
                   const QString &pictureName)
{
    auto *widget = elements::create<ImageWidget>(parent, name, twips, picture(pictureName));
    widget->lower(); // behind the text fields, never seen
    return widget;
}

// The value panel's fields: one big centred line each.
LineField *valueField(QWidget *frame, const QString &name, const QRect &twips,
                      elements::FieldDesign design)
{
    design.font = calibri(48);
    design.centred = true;
    return elements::lineEdit(frame, name, twips, design);
}

QAbstractButton *smallCheckable(QWidget *parent, const QString &name, const QRect &twips,
                                const QString &caption, const QString &tooltip)
{
    QAbstractButton *button = elements::checkableButton(parent, name, twips, caption, calibri(12));
    elements::setTooltip(button, tooltip);
    palette::setBackground(button, colours::kWhite);
    return button;
}

void createTabStrip(QWidget *window, Elements &ui)
{
    ui.Frame3 = elements::frame(window, QStringLiteral("Frame3"), {0, 0, 2895, 2775});
    ui.switching.tmrRebote1 =
        elements::timer(ui.Frame3, QStringLiteral("tmrRebote1"), kAnimationIntervalMs, false);

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
        auto *label =
            elements::create<ClickableLabel>(ui.Frame3, QStringLiteral("cmdBoton%1").arg(index),
                                             tabs[index].twips, tabs[index].caption);
        label->setFont(calibri(48));
        label->setAlignment(Qt::AlignCenter);
        label->setFocusPolicy(Qt::NoFocus);
        label->setCursor(Qt::PointingHandCursor);
        elements::setTooltip(label, tabs[index].tooltip);
        ui.switching.cmdBoton[index] = label;
    }
}

void createHexPanel(QWidget *frame, HexPanel::Fields &ui)
{
    ui.txtHexa = elements::textArea(frame, QStringLiteral("txtHexa"), {120, 2640, 4455, 1215},
                                    {.font = calibri(12),
                                     .tooltip = QStringLiteral(" VALOR HEXADECIMAL "),
                                     .maxLength = kLimitedFieldLength,
                                     .digitsOnly = true});
    ui.txtBin = elements::binaryTextEdit(
        frame, QStringLiteral("txtBin"), {120, 3960, 4455, 1215},
        {.font = calibri(12), .tooltip = QStringLiteral(" VALOR BINARIO "), .digitsOnly = true});
}

QButtonGroup *createBitModeButtons(QWidget *window, QWidget *frame)
{
    QAbstractButton *eight =
        smallCheckable(frame, QStringLiteral("Option2"), {4200, 2160, 375, 375},
                       QStringLiteral("8"), QStringLiteral(" Modo 8 bits. "));
    QAbstractButton *seven =
        smallCheckable(frame, QStringLiteral("Option1"), {4200, 1740, 375, 375},
                       QStringLiteral("7"), QStringLiteral(" Modo 7 bits. "));
    auto *bitMode = new QButtonGroup(window);
    bitMode->setExclusive(true);
    bitMode->addButton(seven, static_cast<int>(BitMode::Seven));
    bitMode->addButton(eight, static_cast<int>(BitMode::Eight));
    accessibility::makeButton(seven, QAccessible::RadioButton);
    accessibility::makeButton(eight, QAccessible::RadioButton);
    eight->setChecked(true);
    seven->setEnabled(false);
    eight->setEnabled(false);
    return bitMode;
}

void createButtonColumn(QWidget *window, QWidget *frame, Elements &ui)
{
    ui.cmd3 =
        pictureButton(frame, QStringLiteral("cmd3"), {4200, 840, 375, 375},
                      QStringLiteral("question_mark"), QStringLiteral(" Acerca del programa. "));
    ui.cmd2 = pictureButton(frame, QStringLiteral("cmd2"), {4200, 420, 375, 375},
                            QStringLiteral("at_sign"),
                            QStringLiteral(" Ver lista de código Ascii (Visual Basic 6.0). "));
    ui.switching.cmd1 =
        pictureButton(frame, QStringLiteral("cmd1"), {4200, 0, 375, 375},
                      QStringLiteral("arrow_right"), QStringLiteral(" Ver conversión de texto. "));
    ui.messagePanel.bitMode = createBitModeButtons(window, frame);
    ui.chkManual = smallCheckable(frame, QStringLiteral("chkManual"), {4200, 1320, 375, 375},
                                  QStringLiteral("M"), QStringLiteral(" Manual activado. "));
    ui.chkManual->setChecked(true);
}

void createValuePanel(QWidget *frame, ValuePanel::Fields &ui)
{
    ui.txtC = valueField(
        frame, QStringLiteral("txtC"), {120, 0, 1695, 1230},
        {.tooltip = QStringLiteral(" CARACTER "), .text = QStringLiteral("A"), .maxLength = 1});
    ui.txtA = valueField(frame, QStringLiteral("txtA"), {1920, 0, 2175, 1230},
                         {.tooltip = QStringLiteral(" VALOR ASCII/DECIMAL "),
                          .text = QStringLiteral("65"),
                          .maxLength = 3});
    ui.txtB = valueField(frame, QStringLiteral("txtB"), {120, 1320, 3975, 1230},
                         {.tooltip = QStringLiteral(" VALOR BINARIO "),
                          .text = QStringLiteral("01000001"),
                          .maxLength = 8});
}

void createMessagePanel(QWidget *frame, MessagePanel::Fields &ui)
{
    ui.txtMensaje = elements::textArea(frame, QStringLiteral("txtMensaje"), {4680, 0, 3975, 1215},
                                       {.font = calibri(12),
                                        .tooltip = QStringLiteral(" MENSAJE "),
                                        .maxLength = kLimitedFieldLength});
    ui.txtBinario =
        elements::binaryTextEdit(frame, QStringLiteral("txtBinario"), {4680, 1320, 3975, 1215},
                                 {.font = calibri(12),
                                  .tooltip = QStringLiteral(" MENSAJE EN BINARIO "),
                                  .digitsOnly = true});
}

void createViewport(QWidget *window, Elements &ui)
{
    PanelSwitching::Elements &frames = ui.switching;
    ui.frmeBig = elements::frame(window, QStringLiteral("frmeBig"), {2880, 120, 4695, 2535});
    frames.Frame2 = elements::frame(ui.frmeBig, QStringLiteral("Frame2"), {0, 0, 8655, 5175});
    createHexPanel(frames.Frame2, ui.hexPanel);
    frames.Frame1 = elements::frame(frames.Frame2, QStringLiteral("Frame1"), {0, 0, 8655, 2535});
    createButtonColumn(window, frames.Frame1, ui);
    createValuePanel(frames.Frame1, ui.valuePanel);
    createMessagePanel(frames.Frame1, ui.messagePanel);
    frames.imgCur[0] = image(frames.Frame1, QStringLiteral("imgCur0"), {2880, 120, 375, 375},
                             QStringLiteral("arrow_right"));
    frames.imgCur[1] = image(frames.Frame1, QStringLiteral("imgCur1"), {3480, 120, 375, 375},
                             QStringLiteral("arrow_left"));
}

void setTabOrder(const Elements &ui)
{
    const QList<QAbstractButton *> bitMode = ui.messagePanel.bitMode->buttons();
    QWidget *const order[] = {ui.valuePanel.txtC,
                              ui.valuePanel.txtA,
                              ui.valuePanel.txtB,
                              ui.switching.cmd1,
                              ui.cmd2,
                              ui.cmd3,
                              ui.chkManual,
                              bitMode.at(0), // Option1
                              bitMode.at(1), // Option2
                              ui.messagePanel.txtMensaje,
                              ui.messagePanel.txtBinario,
                              ui.hexPanel.txtHexa,
                              ui.hexPanel.txtBin};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
        QWidget::setTabOrder(order[i], order[i + 1]);
    }
}

} // namespace

Elements layOut(QWidget *window)
{
    Elements ui;
    PanelSwitching::Elements &timers = ui.switching;
    for (auto [timer, name] :
         {std::pair(&timers.tmrRebote2, "tmrRebote2"), std::pair(&timers.tmrSizeV, "tmrSizeV"),
          std::pair(&timers.tmrSizeH, "tmrSizeH")}) {
        *timer = elements::timer(window, QString::fromLatin1(name), kAnimationIntervalMs, false);
    }
    createTabStrip(window, ui);
    createViewport(window, ui);
    setTabOrder(ui);
    return ui;
}

} // namespace vantrel::converter
