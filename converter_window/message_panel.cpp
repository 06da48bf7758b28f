// SPDX-License-Identifier: GPL-3.0-or-later
#include "message_panel.h"

#include "binary_text_edit.h"
#include "code_text.h"
#include "field_events.h"
#include "house_colours.h"
#include "key_codes.h"
#include "palette_use.h"
#include "text_area.h"

#include <QAbstractButton>
#include <QButtonGroup>

namespace vantrel {

MessagePanel::MessagePanel(const Fields &fields, const bool &manual, QObject *parent)
    : QObject(parent), m_ui(fields), m_manual(manual)
{
    connectFields();
}

void MessagePanel::connectFields()
{
    fields::connect(m_ui.txtMensaje,
                    {.gotFocus = [this] { txtMensaje_GotFocus(); },
                     .change = [this] { txtMensaje_Change(); },
                     .keyPress = [this](int &keyAscii) { txtMensaje_KeyPress(keyAscii); }});
    fields::connect(m_ui.txtBinario,
                    {.gotFocus = [this] { txtBinario_GotFocus(); },
                     .change = [this] { txtBinario_Change(); },
                     .keyPress = [this](int &keyAscii) { txtBinario_KeyPress(keyAscii); }});
    connect(m_ui.bitMode, &QButtonGroup::idClicked, this, [this](int id) {
        if (id == static_cast<int>(BitMode::Seven)) {
            Option1_Click();
        } else {
            Option2_Click();
        }
    });
}

QWidget *MessagePanel::activeField() const
{
    return binarySideActive() ? static_cast<QWidget *>(m_ui.txtBinario) : m_ui.txtMensaje;
}

void MessagePanel::setBitModeEnabled(bool enabled)
{
    for (QAbstractButton *button : m_ui.bitMode->buttons()) {
        button->setEnabled(enabled);
    }
}

BitMode MessagePanel::bitMode() const
{
    return static_cast<BitMode>(m_ui.bitMode->checkedId());
}

// An active side not set yet counts as the message side.
bool MessagePanel::binarySideActive() const
{
    return m_activeSide == Side::Binary;
}

// The binary message is read and written as codes, never as one long
// Unicode string: it may hold millions of digits. Only the first `digits`
// are read.
std::string MessagePanel::binaryMessage(std::size_t digits) const
{
    return m_ui.txtBinario->codeText(0, qsizetype(digits));
}

void MessagePanel::setBinaryMessage(std::string binary)
{
    // Emptied first: the change handler sees both writes, and a refused text leaves no stale one.
    m_ui.txtBinario->setCodeText({});
    m_ui.txtBinario->setCodeText(std::move(binary));
    m_ui.txtBinario->moveCursorToEnd();
}

void MessagePanel::txtMensaje_GotFocus()
{
    m_activeSide = Side::Message;
    palette::setBackground(m_ui.txtMensaje, colours::kActive);
    palette::setBackground(m_ui.txtBinario, colours::kIdle);
    // Qt tells screen readers of the focus only once this handler is done. A
    // text change told before it would reach Orca as the field taking the
    // focus without a word, so the marker goes on the next pass of the loop.
    QMetaObject::invokeMethod(this, &MessagePanel::clearMarkerFromDecoding, Qt::QueuedConnection);
}

// Only a marker that a failed decoding left there is cleared: a message the
// user typed stays, whatever it says.
void MessagePanel::clearMarkerFromDecoding()
{
    if (m_markerFromDecoding && m_ui.txtMensaje->text() == fromCodeText(kInvalidCodeMarker)) {
        m_ui.txtMensaje->setText(QString());
    }
}

void MessagePanel::txtMensaje_Change()
{
    m_markerFromDecoding = false;
    if (!binarySideActive() && !m_manual) {
        BinText();
    }
}

void MessagePanel::txtMensaje_KeyPress(int &keyAscii)
{
    if (keyAscii == keys::kEnter && m_manual) {
        BinText();
        keyAscii = 0;
    }
}

void MessagePanel::txtBinario_GotFocus()
{
    m_activeSide = Side::Binary;
    palette::setBackground(m_ui.txtMensaje, colours::kIdle);
    palette::setBackground(m_ui.txtBinario, m_invalidCode ? colours::kInvalid : colours::kActive);
}

void MessagePanel::txtBinario_Change()
{
    if (binarySideActive() && !m_manual) {
        HexaText();
    }
}

void MessagePanel::txtBinario_KeyPress(int &keyAscii)
{
    if (keyAscii != keys::kEnter) {
        return;
    }
    if (binarySideActive() && m_manual) {
        HexaText();
    }
    keyAscii = 0; // a binary message never takes a line break from Enter
}

// Both bit-mode buttons only convert again: the conversion reads the mode from the group.
void MessagePanel::Option1_Click()
{
    convertOnActiveSide();
}

void MessagePanel::Option2_Click()
{
    convertOnActiveSide();
}

void MessagePanel::convertOnActiveSide()
{
    if (binarySideActive()) {
        HexaText();
    } else {
        BinText();
    }
}

void MessagePanel::BinText()
{
    setBinaryMessage(binText(toCodeText(m_ui.txtMensaje->text()), bitMode()));
}

void MessagePanel::HexaText()
{
    // The field counts its codes that are not digits, so only what the
    // message field can hold is read and decoded.
    const auto maxCodes = static_cast<std::size_t>(m_ui.txtMensaje->maxLength());
    const std::string shown = binaryMessage(
        hexaTextCountedReads(std::size_t(m_ui.txtBinario->codeCount()), bitMode(), maxCodes));
    const DecodedMessage decoded =
        hexaTextCounted(shown, std::size_t(m_ui.txtBinario->nonBinaryCodes()), bitMode(), maxCodes);
    palette::setBackground(m_ui.txtBinario, decoded.valid ? colours::kActive : colours::kInvalid);
    m_invalidCode = !decoded.valid;
    // Emptied first: the change handler runs for the empty field, then for the decoded text.
    m_ui.txtMensaje->setText(QString());
    m_ui.txtMensaje->setText(fromCodeText(decoded.message));
    m_markerFromDecoding = !decoded.valid;
}

} // namespace vantrel
