// SPDX-License-Identifier: GPL-3.0-or-later
#include "value_panel.h"

#include "code_text.h"
#include "field_codes.h"
#include "field_events.h"
#include "house_colours.h"
#include "key_codes.h"
#include "line_field.h"
#include "palette_use.h"

#include <QLineEdit>

namespace vantrel {

namespace {

// A line edit draws a control code as a space, so that 1, 2, 10, 13 and the
// space would look alike: the character field shows each code as every other
// field does, by its picture.
QString shownCharacters(std::string_view codeText)
{
    QString shown;
    for (const char code : codeText) {
        shown.append(fieldcodes::displayCharacter(static_cast<unsigned char>(code)));
    }
    return shown;
}

} // namespace

ValuePanel::ValuePanel(const Fields &fields, const bool &manual, QObject *parent)
    : QObject(parent), m_ui(fields), m_manual(manual)
{
    connectFields();
}

void ValuePanel::connectFields()
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

QWidget *ValuePanel::activeField() const
{
    return m_activeField ? field(*m_activeField) : nullptr;
}

LineField *ValuePanel::field(ValueField field) const
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

void ValuePanel::enter(ValueField active, bool passesCheck)
{
    m_activeField = active;
    for (const ValueField other :
         {ValueField::Decimal, ValueField::Binary, ValueField::Character}) {
        if (other != active) {
            palette::setBackground(field(other), colours::kIdle);
        }
    }
    palette::setBackground(field(active), passesCheck ? colours::kActive : colours::kInvalid);
}

void ValuePanel::txtC_GotFocus()
{
    enter(ValueField::Character, true);
}

void ValuePanel::txtA_GotFocus()
{
    enter(ValueField::Decimal, decimalTextInRange(toCodeText(m_ui.txtA->text())));
}

void ValuePanel::txtB_GotFocus()
{
    enter(ValueField::Binary, binaryTextComplete(toCodeText(m_ui.txtB->text())));
}

void ValuePanel::txtA_Change()
{
    if (m_activeField == ValueField::Decimal && !m_manual) {
        cmdOk();
    }
}

void ValuePanel::txtB_Change()
{
    if (m_activeField == ValueField::Binary && !m_manual) {
        cmdOk();
    }
}

void ValuePanel::txtA_KeyPress(int &keyAscii)
{
    convertOnManualEnter(keyAscii);
}

void ValuePanel::txtB_KeyPress(int &keyAscii)
{
    convertOnManualEnter(keyAscii);
}

void ValuePanel::txtC_KeyPress(int &keyAscii)
{
    if (convertOnManualEnter(keyAscii) || m_activeField != ValueField::Character) {
        return;
    }
    // The typed character replaces the field's one character; the field must
    // not insert it a second time.
    m_ui.txtC->setText(shownCharacters(std::string(1, static_cast<char>(keyAscii))));
    m_ui.txtC->end(false);
    m_currentCharacterCode = static_cast<qint16>(keyAscii);
    if (!m_manual) {
        cmdOk();
    }
    keyAscii = 0;
}

bool ValuePanel::convertOnManualEnter(int &keyAscii)
{
    if (keyAscii != keys::kEnter || !m_manual) {
        return false;
    }
    cmdOk();
    keyAscii = 0;
    return true;
}

void ValuePanel::cmdOk()
{
    if (!m_activeField) {
        return;
    }
    switch (*m_activeField) {
    case ValueField::Decimal:
        convertDecimalField();
        break;
    case ValueField::Binary:
        convertBinaryField();
        break;
    case ValueField::Character:
        writeFields(caracter(static_cast<unsigned char>(m_currentCharacterCode)));
        break;
    }
}

void ValuePanel::convertDecimalField()
{
    const std::string text = toCodeText(m_ui.txtA->text());
    const DecimalReading reading = readDecimal(text);
    if (!decimalTextInRange(reading)) {
        palette::setBackground(m_ui.txtA, colours::kInvalid);
        return;
    }
    palette::setBackground(m_ui.txtA, colours::kActive);
    writeFields(asciiFromDecimal(reading));
}

void ValuePanel::convertBinaryField()
{
    const std::string text = toCodeText(m_ui.txtB->text());
    if (!binaryTextComplete(text)) {
        palette::setBackground(m_ui.txtB, colours::kInvalid);
        return;
    }
    palette::setBackground(m_ui.txtB, colours::kActive);
    const BinarioResult result = binario(text);
    // Painted twice on purpose: a complete text may still hold a digit other than 0 and 1.
    if (!result.valid) {
        palette::setBackground(m_ui.txtB, colours::kInvalid);
    }
    writeFields(result.writes);
}

void ValuePanel::writeFields(const FieldWrites &writes)
{
    // One at a time and in order: each write raises its field's change event.
    for (const FieldWrite &write : writes) {
        field(write.field)
            ->setText(write.field == ValueField::Character ? shownCharacters(write.text)
                                                           : fromCodeText(write.text));
    }
}

} // namespace vantrel
