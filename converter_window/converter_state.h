#pragma once

#include "house_colours.h"
#include "value_conversion.h"

#include <QtGlobal>
#include <optional>

// The state the converter window's handlers share.
namespace vantrel::converter {

// Which field of the message panel the user last worked in.
enum class MessageSide { Message, Binary };

// Flags that the window has not set yet read as false.
struct ConverterState
{
    // Panel switching.
    bool messagePanel = false; // the message panel, not the value panel, is under "ASCII"
    qint16 hexPanel = 0;       // -1 while the binary/hexadecimal panel is in view, else 0
    // Ticks of each running bounce, 1 to 9; 0 when it does not run. A counter
    // each, so that two bounces at once both play in full.
    qint16 horizontalBounceCounter = 0;
    qint16 verticalBounceCounter = 0;

    // Value panel.
    std::optional<ValueField> activeValueField;
    qint16 currentCharacterCode = 0;
    bool manual = false;

    // Message panel.
    std::optional<MessageSide> activeSide;
    bool invalidCode = false;
    // The invalid-code marker in the message field was written by a failed
    // decoding and not edited since; only then does focus clear it.
    bool markerFromDecoding = false;

    // Binary/hexadecimal panel.
    bool hexEntry = false;
    bool binaryInvalid = false;
    bool hexInvalid = false;
};

} // namespace vantrel::converter
