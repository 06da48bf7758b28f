#include "code_text.h"
#include "field_events.h"
#include "frmAscii.h"
#include "message_conversion.h"
#include "palette_use.h"
#include "text_area.h"

#include <QAbstractButton>

namespace vantrel {

using namespace converter;

namespace {
constexpr int kEnter = 13;
}

void frmAscii::connectMessagePanel()
{
    fields::connect(m_ui.txtMensaje,
                    {.gotFocus = [this] { txtMensaje_GotFocus(); },
                     .change = [this] { txtMensaje_Change(); },
                     .keyPress = [this](int &keyAscii) { txtMensaje_KeyPress(keyAscii); }});
    fields::connect(m_ui.txtBinario,
                    {.gotFocus = [this] { txtBinario_GotFocus(); },
                     .change = [this] { txtBinario_Change(); },
                     .keyPress = [this](int &keyAscii) { txtBinario_KeyPress(keyAscii); }});
    connect(m_ui.Option1, &QAbstractButton::clicked, this, &frmAscii::Option1_Click);
    connect(m_ui.Option2, &QAbstractButton::clicked, this, &frmAscii::Option2_Click);
}

BitMode frmAscii::bitMode() const
{
    return m_ui.Option1->isChecked() ? BitMode::Seven : BitMode::Eight;
}

// An active side not set yet counts as the message side.
bool frmAscii::binarySideActive() const
{
    return m_state.activeSide == MessageSide::Binary;
}

void frmAscii::txtMensaje_GotFocus()
{
    m_state.activeSide = MessageSide::Message;
    palette::setBackground(m_ui.txtMensaje, colours::kActive);
    palette::setBackground(m_ui.txtBinario, colours::kIdle);
    // Only a marker that a failed decoding left there is cleared: a message
    // the user typed stays, whatever it says.
    if (m_state.markerFromDecoding && m_ui.txtMensaje->text() == fromCodeText(kInvalidCodeMarker)) {
        m_ui.txtMensaje->setText(QString());
    }
}

void frmAscii::txtMensaje_Change()
{
    m_state.markerFromDecoding = false;
    if (!binarySideActive() && !m_state.manual) {
        BinText();
    }
}

void frmAscii::txtMensaje_KeyPress(int &keyAscii)
{
    if (keyAscii == kEnter && m_state.manual) {
        BinText();
        keyAscii = 0;
    }
}

void frmAscii::txtBinario_GotFocus()
{
    m_state.activeSide = MessageSide::Binary;
    palette::setBackground(m_ui.txtMensaje, colours::kIdle);
    palette::setBackground(m_ui.txtBinario,
                           m_state.invalidCode ? colours::kInvalid : colours::kActive);
}

void frmAscii::txtBinario_Change()
{
    if (binarySideActive() && !m_state.manual) {
        HexaText();
    }
}

void frmAscii::txtBinario_KeyPress(int &keyAscii)
{
    if (keyAscii != kEnter) {
        return;
    }
    if (binarySideActive() && m_state.manual) {
        HexaText();
    }
    keyAscii = 0; // a binary message never takes a line break from Enter
}

void frmAscii::Option1_Click()
{
    convertOnActiveSide();
}

void frmAscii::Option2_Click()
{
    convertOnActiveSide();
}

void frmAscii::convertOnActiveSide()
{
    if (binarySideActive()) {
        HexaText();
    } else {
        BinText();
    }
}

void frmAscii::BinText()
{
    const std::string binary = binText(toCodeText(m_ui.txtMensaje->text()), bitMode());
    m_ui.txtBinario->setText(QString());
    m_ui.txtBinario->setText(fromCodeText(binary));
    m_ui.txtBinario->moveCursor(QTextCursor::End);
}

void frmAscii::HexaText()
{
    const DecodedMessage decoded = hexaText(toCodeText(m_ui.txtBinario->text()), bitMode());
    palette::setBackground(m_ui.txtBinario, decoded.valid ? colours::kActive : colours::kInvalid);
    m_state.invalidCode = !decoded.valid;
    m_ui.txtMensaje->setText(QString());
    m_ui.txtMensaje->setText(fromCodeText(decoded.message));
    m_state.markerFromDecoding = !decoded.valid;
}

} // namespace vantrel
