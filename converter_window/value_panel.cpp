#include "code_text.h"
#include "field_events.h"
#include "frmAscii.h"
#include "palette_use.h"
#include "value_conversion.h"

#include <QLineEdit>

namespace vantrel {

using namespace converter;

void frmAscii::connectValuePanel()
{
    fields::connect(m_ui.txtC, {.gotFocus = [this] { txtC_GotFocus(); }});
    fields::connect(m_ui.txtA, {.gotFocus = [this] { txtA_GotFocus(); }});
    fields::connect(m_ui.txtB, {.gotFocus = [this] { txtB_GotFocus(); }});
}

void frmAscii::txtC_GotFocus()
{
    m_state.activeValueField = ValueField::Character;
    palette::setBackground(m_ui.txtA, colours::kIdle);
    palette::setBackground(m_ui.txtB, colours::kIdle);
    palette::setBackground(m_ui.txtC, colours::kActive);
}

void frmAscii::txtA_GotFocus()
{
    m_state.activeValueField = ValueField::Decimal;
    palette::setBackground(m_ui.txtB, colours::kIdle);
    palette::setBackground(m_ui.txtC, colours::kIdle);
    const bool inRange = decimalTextInRange(toCodeText(m_ui.txtA->text()));
    palette::setBackground(m_ui.txtA, inRange ? colours::kActive : colours::kInvalid);
}

void frmAscii::txtB_GotFocus()
{
    m_state.activeValueField = ValueField::Binary;
    palette::setBackground(m_ui.txtA, colours::kIdle);
    palette::setBackground(m_ui.txtC, colours::kIdle);
    const bool complete = binaryTextComplete(toCodeText(m_ui.txtB->text()));
    palette::setBackground(m_ui.txtB, complete ? colours::kActive : colours::kInvalid);
}

} // namespace vantrel
