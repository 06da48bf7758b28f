#pragma once

#include <QObject>

class QString;

namespace vantrel {

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
        TextArea *txtBin = nullptr;
    };

    HexPanel(const Fields &fields, QObject *parent);

public: // handlers
    void txtBin_GotFocus();
    void txtHexa_GotFocus();
    void txtBin_Change();
    void txtHexa_Change();

private:
    void connectFields();
    [[nodiscard]] QString binaryText() const;
    void setBinaryText(const QString &binary);

    Fields m_ui;
    bool m_hexEntry = false; // the user works in txtHexa
    bool m_binaryInvalid = false;
    bool m_hexInvalid = false;
};

} // namespace vantrel
