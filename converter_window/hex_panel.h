// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <string>

namespace vantrel {

class BinaryTextEdit;
class TextArea;

// The binary/hexadecimal panel: binary digits (txtBin) and hexadecimal digits
// (txtHexa) of any length, the field last entered converting into the other
// at every change.
class HexPanel : public QObject
{
    Q_OBJECT
public:
    struct Fields
    {
        TextArea *txtHexa = nullptr;
        BinaryTextEdit *txtBin = nullptr;
    };

    HexPanel(const Fields &fields, QObject *parent);

public: // handlers
    void txtBin_GotFocus();
    void txtHexa_GotFocus();
    void txtBin_Change();
    void txtHexa_Change();

private:
    void connectFields();
    [[nodiscard]] std::string binaryText(std::size_t digits) const;
    void setBinaryText(std::string binary);

    Fields m_ui;
    bool m_hexEntry = false; // the user works in txtHexa
    bool m_binaryInvalid = false;
    bool m_hexInvalid = false;
};

} // namespace vantrel
