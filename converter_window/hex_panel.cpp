// SPDX-License-Identifier: GPL-3.0-or-later
#include "hex_panel.h"

#include "binary_text_edit.h"
#include "code_text.h"
#include "field_events.h"
#include "hex_conversion.h"
#include "house_colours.h"
#include "palette_use.h"
#include "text_area.h"

namespace vantrel {

HexPanel::HexPanel(const Fields &fields, QObject *parent) : QObject(parent), m_ui(fields)
{
    connectFields();
}

void HexPanel::connectFields()
{
    fields::connect(m_ui.txtBin, {.gotFocus = [this] { txtBin_GotFocus(); },
                                  .change = [this] { txtBin_Change(); }});
    fields::connect(m_ui.txtHexa, {.gotFocus = [this] { txtHexa_GotFocus(); },
                                   .change = [this] { txtHexa_Change(); }});
}

// The binary digits are read and written as codes, never as one long
// Unicode string: they may run to millions. Only the first `digits` are read.
std::string HexPanel::binaryText(std::size_t digits) const
{
    return m_ui.txtBin->codeText(0, qsizetype(digits));
}

void HexPanel::setBinaryText(std::string binary)
{
    m_ui.txtBin->setCodeText(std::move(binary));
}

void HexPanel::txtBin_GotFocus()
{
    palette::setBackground(m_ui.txtBin, m_binaryInvalid ? colours::kInvalid : colours::kActive);
    palette::setBackground(m_ui.txtHexa, colours::kIdle);
    m_hexEntry = false;
}

void HexPanel::txtHexa_GotFocus()
{
    palette::setBackground(m_ui.txtBin, colours::kIdle);
    palette::setBackground(m_ui.txtHexa, m_hexInvalid ? colours::kInvalid : colours::kActive);
    m_hexEntry = true;
}

void HexPanel::txtBin_Change()
{
    if (m_hexEntry) {
        return;
    }
    // The field counts its codes that are not digits, so only what the
    // hexadecimal field can hold is read and converted.
    const auto maxDigits = static_cast<std::size_t>(m_ui.txtHexa->maxLength());
    const std::string shown =
        binaryText(binaryToHexCutReads(std::size_t(m_ui.txtBin->codeCount()), maxDigits));
    const auto hex =
        binaryToHexCutCounted(shown, std::size_t(m_ui.txtBin->nonBinaryCodes()), maxDigits);
    m_binaryInvalid = !hex;
    palette::setBackground(m_ui.txtBin, hex ? colours::kActive : colours::kInvalid);
    if (hex) {
        m_ui.txtHexa->setText(fromCodeText(*hex));
    }
}

void HexPanel::txtHexa_Change()
{
    if (!m_hexEntry) {
        return;
    }
    auto binary = hexToBinary(toCodeText(m_ui.txtHexa->text()));
    m_hexInvalid = !binary;
    palette::setBackground(m_ui.txtHexa, binary ? colours::kActive : colours::kInvalid);
    if (binary) {
        setBinaryText(std::move(*binary));
    }
}

} // namespace vantrel
