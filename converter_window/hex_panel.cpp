#include "code_text.h"
#include "field_events.h"
#include "frmAscii.h"
#include "hex_conversion.h"
#include "palette_use.h"
#include "text_area.h"

namespace vantrel {

using namespace converter;

void frmAscii::connectHexPanel()
{
    fields::connect(m_ui.txtBin, {.gotFocus = [this] { txtBin_GotFocus(); },
                                  .change = [this] { txtBin_Change(); }});
    fields::connect(m_ui.txtHexa, {.gotFocus = [this] { txtHexa_GotFocus(); },
                                   .change = [this] { txtHexa_Change(); }});
}

void frmAscii::txtBin_GotFocus()
{
    palette::setBackground(m_ui.txtBin,
                           m_state.binaryInvalid ? colours::kInvalid : colours::kActive);
    palette::setBackground(m_ui.txtHexa, colours::kIdle);
    m_state.hexEntry = false;
}

void frmAscii::txtHexa_GotFocus()
{
    palette::setBackground(m_ui.txtBin, colours::kIdle);
    palette::setBackground(m_ui.txtHexa, m_state.hexInvalid ? colours::kInvalid : colours::kActive);
    m_state.hexEntry = true;
}

void frmAscii::txtBin_Change()
{
    if (m_state.hexEntry) {
        return;
    }
    // Only what the hexadecimal field can hold is converted.
    const auto hex = binaryToHexCut(toCodeText(m_ui.txtBin->text()),
                                    static_cast<std::size_t>(m_ui.txtHexa->maxLength()));
    m_state.binaryInvalid = !hex;
    palette::setBackground(m_ui.txtBin, hex ? colours::kActive : colours::kInvalid);
    if (hex) {
        m_ui.txtHexa->setText(fromCodeText(*hex));
    }
}

void frmAscii::txtHexa_Change()
{
    if (!m_state.hexEntry) {
        return;
    }
    const auto binary = hexToBinary(toCodeText(m_ui.txtHexa->text()));
    m_state.hexInvalid = !binary;
    palette::setBackground(m_ui.txtHexa, binary ? colours::kActive : colours::kInvalid);
    if (binary) {
        m_ui.txtBin->setText(fromCodeText(*binary));
    }
}

} // namespace vantrel
