// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "value_conversion.h"

#include <QObject>
#include <optional>

class QWidget;

namespace vantrel {

class LineField;

// The value panel: a character (txtC), its decimal code (txtA) and its eight
// binary digits (txtB). The field the user works in converts into the other
// two, at every change or only on Enter, as manual mode says.
class ValuePanel : public QObject
{
    Q_OBJECT
public:
    struct Fields
    {
        LineField *txtC = nullptr;
        LineField *txtA = nullptr;
        LineField *txtB = nullptr;
    };

    // manual is the window's manual mode, read at every keystroke.
    ValuePanel(const Fields &fields, const bool &manual, QObject *parent);

    // The field the user last entered, or nullptr before the first.
    [[nodiscard]] QWidget *activeField() const;

public: // handlers
    void txtC_GotFocus();
    void txtA_GotFocus();
    void txtB_GotFocus();
    void txtA_Change();
    void txtB_Change();
    void txtA_KeyPress(int &keyAscii);
    void txtB_KeyPress(int &keyAscii);
    void txtC_KeyPress(int &keyAscii);
    // Checks the active field and converts it into the other two.
    void cmdOk();

private:
    void connectFields();
    [[nodiscard]] LineField *field(ValueField field) const;
    // Makes a field the active one, coloured as its check says.
    void enter(ValueField active, bool passesCheck);
    // Enter with manual mode on runs cmdOk and is swallowed; true when it did.
    bool convertOnManualEnter(int &keyAscii);
    void convertDecimalField();
    void convertBinaryField();
    void writeFields(const FieldWrites &writes);

    Fields m_ui;
    const bool &m_manual;
    std::optional<ValueField> m_activeField;
    qint16 m_currentCharacterCode = 65; // the "A" that txtC opens with
};

} // namespace vantrel
