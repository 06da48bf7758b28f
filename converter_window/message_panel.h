// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "message_conversion.h"

#include <QObject>
#include <optional>
#include <string>

class QButtonGroup;
class QString;
class QWidget;

namespace vantrel {

class BinaryTextEdit;
class TextArea;

// The message panel: a message (txtMensaje) and the binary codes that spell
// it (txtBinario), 7 or 8 digits a character as the bit-mode buttons say.
// The side the user works in converts into the other, at every change or
// only on Enter, as manual mode says.
class MessagePanel : public QObject
{
    Q_OBJECT
public:
    struct Fields
    {
        TextArea *txtMensaje = nullptr;
        BinaryTextEdit *txtBinario = nullptr;
        QButtonGroup *bitMode = nullptr; // Option1 with the id 7, Option2 with 8
    };

    // manual is the window's manual mode, read at every keystroke.
    MessagePanel(const Fields &fields, const bool &manual, QObject *parent);

    // The field of the side the user last worked in, the message by default.
    [[nodiscard]] QWidget *activeField() const;
    // The bit-mode buttons mean something only while the panel is in view.
    void setBitModeEnabled(bool enabled);

public: // handlers
    void txtMensaje_GotFocus();
    void txtMensaje_Change();
    void txtMensaje_KeyPress(int &keyAscii);
    void txtBinario_GotFocus();
    void txtBinario_Change();
    void txtBinario_KeyPress(int &keyAscii);
    void Option1_Click();
    void Option2_Click();
    // Encodes the message into the binary field.
    void BinText();
    // Decodes the binary field into the message field.
    void HexaText();

private:
    enum class Side { Message, Binary };

    void connectFields();
    [[nodiscard]] BitMode bitMode() const;
    [[nodiscard]] bool binarySideActive() const;
    void convertOnActiveSide();
    [[nodiscard]] std::string binaryMessage(std::size_t digits) const;
    void setBinaryMessage(std::string binary);
    void clearMarkerFromDecoding();

    Fields m_ui;
    const bool &m_manual;
    std::optional<Side> m_activeSide;
    bool m_invalidCode = false;
    // The invalid-code marker in the message field was written by a failed
    // decoding and not edited since; only then does focus clear it.
    bool m_markerFromDecoding = false;
};

} // namespace vantrel
