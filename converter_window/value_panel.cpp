#include "code_text.h"
#include "field_events.h"
#include "frmAscii.h"
#include "palette_use.h"
#include "value_conversion.h"

#include <QLineEdit>

namespace vantrel {

using namespace converter;

namespace {
constexpr int kEnter = 13;
}

void frmAscii::connectValuePanel()
{
    // txtC holds the last character typed, so pasted text is typed too.
    fields::connect(m_ui.txtC, {.gotFocus = [this] { txtC_GotFocus(); },
                                .keyPress = [this](int &keyAscii) { txtC_KeyPress(keyAscii); },
                                .pasteAsTyping = true});
    fields::connect(m_ui.txtA, {.gotFocus = [this] { txtA_GotFocus(); },
                                .change = [this] { txtA_Change(); },
                                .keyPress = [this](int &keyAscii) { txtA_KeyPress(keyAscii); }});
    fields::connect(m_ui.txtB, {.gotFocus = [this] { txtB_GotFocus(); },
                                .change = [this] { txtB_Change(); },
                                .keyPress = [this](int &keyAscii) { txtB_KeyPress(keyAscii); }});
}

bool frmAscii::decimalFieldInRange() const
{
    return decimalTextInRange(toCodeText(m_ui.txtA->text()));
}

bool frmAscii::binaryFieldComplete() const
{
    return binaryTextComplete(toCodeText(m_ui.txtB->text()));
}

QLineEdit *frmAscii::valueField(ValueField field) const
{
    switch (field) {
    case ValueField::Decimal:
        return m_ui.txtA;
    case ValueField::Binary:
        return m_ui.txtB;
    case ValueField::Character:
        break;
    }
    return m_ui.txtC;
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
    palette::setBackground(m_ui.txtA, decimalFieldInRange() ? colours::kActive : colours::kInvalid);
}

void frmAscii::txtB_GotFocus()
{
    m_state.activeValueField = ValueField::Binary;
    palette::setBackground(m_ui.txtA, colours::kIdle);
    palette::setBackground(m_ui.txtC, colours::kIdle);
    palette::setBackground(m_ui.txtB, binaryFieldComplete() ? colours::kActive : colours::kInvalid);
}

void frmAscii::txtA_Change()
{
    if (m_state.activeValueField == ValueField::Decimal && !m_state.manual) {
        cmdOk();
    }
}

void frmAscii::txtB_Change()
{
    if (m_state.activeValueField == ValueField::Binary && !m_state.manual) {
        cmdOk();
    }
}

void frmAscii::txtA_KeyPress(int &keyAscii)
{
    convertOnManualEnter(keyAscii);
}

void frmAscii::txtB_KeyPress(int &keyAscii)
{
    convertOnManualEnter(keyAscii);
}

void frmAscii::txtC_KeyPress(int &keyAscii)
{
    if (convertOnManualEnter(keyAscii)) {
        return;
    }
    if (m_state.activeValueField != ValueField::Character) {
        return;
    }
    // The typed character replaces the field's one character; the field must
    // not insert it a second time.
    m_ui.txtC->setText(fromCodeText(std::string(1, static_cast<char>(keyAscii))));
    m_ui.txtC->end(false);
    m_state.currentCharacterCode = static_cast<qint16>(keyAscii);
    if (!m_state.manual) {
        cmdOk();
    }
    keyAscii = 0;
}

bool frmAscii::convertOnManualEnter(int &keyAscii)
{
    if (keyAscii != kEnter || !m_state.manual) {
        return false;
    }
    cmdOk();
    keyAscii = 0;
    return true;
}

void frmAscii::cmdOk()
{
    if (!m_state.activeValueField) {
        return;
    }
    switch (*m_state.activeValueField) {
    case ValueField::Decimal:
        if (!decimalFieldInRange()) {
            palette::setBackground(m_ui.txtA, colours::kInvalid);
            return;
        }
        palette::setBackground(m_ui.txtA, colours::kActive);
        writeValueFields(asciiFromDecimal(toCodeText(m_ui.txtA->text())));
        break;
    case ValueField::Binary: {
        if (!binaryFieldComplete()) {
            palette::setBackground(m_ui.txtB, colours::kInvalid);
            return;
        }
        palette::setBackground(m_ui.txtB, colours::kActive);
        const BinarioResult result = binario(toCodeText(m_ui.txtB->text()));
        if (!result.valid) {
            palette::setBackground(m_ui.txtB, colours::kInvalid);
        }
        writeValueFields(result.writes);
        break;
    }
    case ValueField::Character:
        writeValueFields(caracter(static_cast<unsigned char>(m_state.currentCharacterCode)));
        break;
    }
}

void frmAscii::writeValueFields(const FieldWrites &writes)
{
    // One at a time and in order: each write raises its field's change event.
    for (const FieldWrite &write : writes) {
        valueField(write.field)->setText(fromCodeText(write.text));
    }
}

} // namespace vantrel
