// SPDX-License-Identifier: GPL-3.0-or-later
#include "frmAscii.h"

#include "binary_text_edit.h"
#include "clickable_label.h"
#include "elements.h"
#include "hex_panel.h"
#include "house_colours.h"
#include "house_look.h"
#include "line_field.h"
#include "message_box.h"
#include "message_panel.h"
#include "palette_use.h"
#include "panel_switching.h"
#include "program_state.h"
#include "result_announcer.h"
#include "text_area.h"
#include "twips.h"
#include "value_panel.h"
#include "viewport_tab_order.h"
#include "window_accessible.h"
#include "window_placement.h"

#include <QAbstractButton>
#include <QFrame>
#include <QLineEdit>

namespace vantrel {

namespace {

constexpr QSize kClientSizeTwips(7575, 2775);

// Gives a field the focus, then puts the caret after its last character.
void focusAtEnd(QWidget *field)
{
    field->setFocus(Qt::OtherFocusReason);
    if (auto *text = dynamic_cast<TextField *>(field)) {
        text->moveCursorToEnd();
    }
}

} // namespace

frmAscii::frmAscii(QWidget *parent) : QWidget(parent, kFixedSizeWindow)
{
    look::pinPalette(this);
    setObjectName(QStringLiteral("frmAscii"));
    setWindowTitle(QStringLiteral("VANTREL"));
    accessibility::makeWindow(this);
    setWindowIcon(app::applicationIcon());
    twips::setFixedClientSize(this, kClientSizeTwips);
    m_ui = converter::layOut(this);
    createPanels();
    connectCrossPanelRules();
    connectCommands();
    connectShortcuts();
    Form_Load();
}

void frmAscii::createPanels()
{
    m_valuePanel = new ValuePanel(m_ui.valuePanel, m_manual, this);
    m_messagePanel = new MessagePanel(m_ui.messagePanel, m_manual, this);
    new HexPanel(m_ui.hexPanel, this); // crosses no panel: the window needs nothing of it
    m_switching = new PanelSwitching(m_ui.switching, this);
    const ValuePanel::Fields &value = m_ui.valuePanel;
    const MessagePanel::Fields &message = m_ui.messagePanel;
    const HexPanel::Fields &hex = m_ui.hexPanel;
    new ResultAnnouncer(this, {value.txtC, value.txtA, value.txtB, message.txtMensaje,
                               message.txtBinario, hex.txtHexa, hex.txtBin});
}

QWidget *frmAscii::asciiPanelField(bool messagePanel) const
{
    return messagePanel ? static_cast<QWidget *>(m_ui.messagePanel.txtMensaje)
                        : m_ui.valuePanel.txtC;
}

void frmAscii::connectCrossPanelRules()
{
    connect(m_ui.chkManual, &QAbstractButton::toggled, this, &frmAscii::chkManual_Click);
    connect(m_switching, &PanelSwitching::asciiPanelChosen, this,
            [this](bool messagePanel) { focusAtEnd(asciiPanelField(messagePanel)); });
    connect(m_switching, &PanelSwitching::tabChosen, this, [this](bool hexTab) {
        focusAtEnd(hexTab ? m_ui.hexPanel.txtHexa : asciiPanelField(m_switching->messagePanel()));
    });
    connect(m_switching, &PanelSwitching::messagePanelArrived, m_messagePanel,
            &MessagePanel::setBitModeEnabled);
}

void frmAscii::Form_Load()
{
    palette::setBackground(this, colours::kWindowBackground);
    palette::setBackground(m_ui.switching.Frame1, colours::kWindowBackground);
    palette::setBackground(m_ui.switching.Frame2, colours::kWindowBackground);
    palette::setBackground(m_ui.Frame3, colours::kTabStrip);
    palette::setBackground(m_ui.frmeBig, colours::kWindowBackground);
    palette::setBackground(m_ui.switching.cmdBoton[0], colours::kActive);
    palette::setBackground(m_ui.switching.cmdBoton[1], colours::kIdle);
    const ValuePanel::Fields &value = m_ui.valuePanel;
    const MessagePanel::Fields &message = m_ui.messagePanel;
    const HexPanel::Fields &hex = m_ui.hexPanel;
    for (QWidget *field :
         std::initializer_list<QWidget *>{hex.txtBin, hex.txtHexa, value.txtA, value.txtB,
                                          value.txtC, message.txtMensaje, message.txtBinario}) {
        palette::setBackground(field, colours::kIdle);
    }
    m_manual = true;
    app::setTableFontName(QStringLiteral("Arial"));
}

void frmAscii::chkManual_Click()
{
    m_manual = m_ui.chkManual->isChecked();
    elements::setTooltip(m_ui.chkManual, m_manual ? QStringLiteral(" Manual activado. ")
                                                  : QStringLiteral(" Manual desactivado. "));
    if (!m_manual && m_switching->messagePanel()) {
        app::showMessage(this, QMessageBox::Information,
                         QStringLiteral("Desactivar el manual puede trabar el programa en "
                                        "cada momento en el caso de usar mucha información "
                                        "en los campos de texto."));
        activateWindow(); // the box had the keyboard
    }
    // Back to the field the user was editing in the panel shown.
    QWidget *field =
        m_switching->messagePanel() ? m_messagePanel->activeField() : m_valuePanel->activeField();
    if (field) {
        focusAtEnd(field);
    }
}

void frmAscii::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_shownBefore) {
        m_shownBefore = true;
        centreOnScreen(this);
        activateWindow();
        m_ui.valuePanel.txtC->setFocus(Qt::TabFocusReason);
        m_ui.valuePanel.txtC->end(false);
    }
}

bool frmAscii::focusNextPrevChild(bool next)
{
    QWidget *from = focusWidget() ? focusWidget() : this;
    if (QWidget *to = nextTabStop(from, next, m_ui.frmeBig)) {
        to->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return true;
    }
    return QWidget::focusNextPrevChild(next);
}

} // namespace vantrel
