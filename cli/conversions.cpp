// SPDX-License-Identifier: GPL-3.0-or-later
#include "conversions.h"

#include "checked_binary_input.h"
#include "codepage.h"
#include "hex_conversion.h"
#include "message_conversion.h"
#include "value_conversion.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::cli {
namespace {

// The value panel's three fields after a conversion.
struct ValueFields
{
    std::string decimal;
    std::string binary;
    std::string character;

    void apply(const FieldWrites &writes)
    {
        for (const FieldWrite &write : writes) {
            fieldText(write.field) = write.text;
        }
    }

    std::string &fieldText(ValueField field)
    {
        switch (field) {
        case ValueField::Decimal:
            return decimal;
        case ValueField::Binary:
            return binary;
        case ValueField::Character:
            break;
        }
        return character;
    }
};

void writeValueFields(const ValueFields &fields, CodeWriter &output)
{
    output.writeCodes(fields.decimal);
    output.writeAscii("\n");
    output.writeCodes(fields.binary);
    output.writeAscii("\n");
    output.writeCodes(fields.character);
    output.writeAscii("\n");
}

std::string quoted(std::string_view codes)
{
    return "«" + shownInMessage(codes) + "»";
}

// A value conversion's text: its first codes, as many as a value text may
// have, and how many it has in all. Read piece by piece, so that however long
// the input, only that much is kept.
struct ValueText
{
    static constexpr std::size_t kLongest = kChunkSize;

    std::string codes;
    std::size_t length = 0;

    [[nodiscard]] bool whole() const { return codes.size() == length; }
};

ValueText readValueText(CodeReader &input)
{
    ValueText text;
    while (const std::optional<std::string_view> piece = input.readPiece()) {
        text.codes += piece->substr(0, ValueText::kLongest + 1 - text.codes.size());
        text.length += piece->size();
    }
    return text;
}

void convertCharacter(CodeReader &input, CodeWriter &output)
{
    const ValueText text = readValueText(input);
    if (text.length != 1) {
        throw Failure("se esperaba un solo carácter y hay " + std::to_string(text.length));
    }
    const auto code = static_cast<unsigned char>(text.codes.front());
    ValueFields fields{.character = text.codes};
    fields.apply(caracter(code));
    writeValueFields(fields, output);
}

// A text that gives no character is an error here: the window's manual mode
// recovers from it by writing 0 and an empty character, which in a shell
// would pass for a result.
void convertDecimal(CodeReader &input, CodeWriter &output)
{
    const ValueText text = readValueText(input);
    if (!text.whole()) {
        throw Failure(quoted(text.codes) +
                      " es demasiado largo para un código decimal: tiene más de " +
                      std::to_string(ValueText::kLongest) + " caracteres");
    }
    const DecimalReading reading = readDecimal(text.codes);
    if (!decimalTextInRange(reading) || !decimalCharacter(reading)) {
        throw Failure(quoted(text.codes) + " no es un código decimal de 0 a 255");
    }
    ValueFields fields{.decimal = text.codes};
    fields.apply(asciiFromDecimal(reading));
    writeValueFields(fields, output);
}

void convertBinary(CodeReader &input, CodeWriter &output)
{
    const ValueText text = readValueText(input);
    if (!text.whole() || !binaryTextComplete(text.codes)) {
        throw Failure(quoted(text.codes) + " no tiene ocho dígitos binarios sino " +
                      std::to_string(text.length) + " caracteres");
    }
    const BinarioResult result = binario(text.codes);
    if (!result.valid) {
        throw Failure(quoted(text.codes) + ": " + firstNonBinaryCharacter(text.codes));
    }
    ValueFields fields{.binary = text.codes};
    fields.apply(result.writes);
    writeValueFields(fields, output);
}

// The input slice whose output still fits in the processor's cache.
constexpr std::size_t kSliceSize = std::size_t{64} << 10;

template <typename Convert>
void forEachSlice(std::string_view text, std::size_t sliceSize, Convert convert)
{
    for (std::size_t at = 0; at < text.size(); at += sliceSize) {
        convert(text.substr(at, sliceSize));
    }
}

// A message never fails, so it is encoded piece by piece as it arrives.
void convertMessageToBinary(const ConversionRequest &request, CodeReader &input, CodeWriter &output)
{
    while (const std::optional<std::string_view> piece = input.readPiece(request.lineBreaks)) {
        forEachSlice(*piece, kSliceSize, [&](std::string_view slice) {
            output.writeAscii(binText(slice, request.mode));
        });
    }
    output.writeAscii("\n");
}

// One bad character anywhere rejects the whole binary message, so it is
// checked to its end before anything is written; then it is decoded part by
// part until the first zero group ends the message.
void convertBinaryToMessage(BitMode mode, CodeReader &input, CodeWriter &output)
{
    const auto width = static_cast<std::size_t>(mode);
    CheckedBinaryInput binary(input, codepage::utf8FromCodeText(kInvalidCodeMarker) + ": ");
    binary.convertInParts(
        width, [mode](std::string_view part) { return hexaText(part, mode); },
        [&](std::string_view part, const DecodedMessage &decoded) {
            if (!decoded.valid) {
                binary.rejectWindow();
            }
            output.writeCodes(decoded.message);
            // Fewer codes than groups: a zero group ended the message.
            return decoded.message.size() == part.size() / width;
        });
    output.writeAscii("\n");
}

// A whole number's digits written piece by piece, its leading zeros left out
// however many pieces they run over: nothing is written until a piece whose
// digits are not zeros alone, and "0" at the end if only zeros came.
class NumberDigits
{
public:
    explicit NumberDigits(CodeWriter &output) : m_output(output) {}

    [[nodiscard]] bool begun() const { return m_begun; }
    [[nodiscard]] bool sawZero() const { return m_sawZero; }

    // Before the number has begun: a piece's digits as its conversion gives
    // them, their own leading zeros dropped, "0" for zeros alone.
    void writeLeading(std::string_view digits)
    {
        m_sawZero = m_sawZero || digits == "0";
        m_begun = !digits.empty() && digits != "0";
        if (m_begun) {
            m_output.writeAscii(digits);
        }
    }

    // Once it has begun, where every digit counts.
    void write(std::string_view digits) { m_output.writeAscii(digits); }

    void finish()
    {
        if (!m_begun && m_sawZero) {
            m_output.writeAscii("0");
        }
        m_output.writeAscii("\n");
    }

private:
    CodeWriter &m_output;
    bool m_sawZero = false;
    bool m_begun = false;
};

// Checked to its end first for the same reason, then converted part by part.
void convertBinaryToHex(CodeReader &input, CodeWriter &output)
{
    CheckedBinaryInput binary(input, "no es un número binario: ");
    NumberDigits hex(output);
    binary.convertInParts(
        4, [](std::string_view part) { return binaryToHex(part); },
        [&](std::string_view part, const std::optional<std::string> &digits) {
            if (!digits) {
                binary.rejectWindow();
            }
            if (!hex.begun()) {
                hex.writeLeading(*digits);
                return true;
            }
            // A later part's zeros lead only within it: put them back.
            hex.write(std::string(part.size() / 4 - digits->size(), '0'));
            hex.write(*digits);
            return true;
        });
    hex.finish();
}

// Streamed: nothing is written until the first digit of value other than 0,
// and from there on the text can no longer be rejected.
class HexToBinaryStream
{
public:
    explicit HexToBinaryStream(CodeWriter &output) : m_binary(output) {}

    void convert(std::string_view hex)
    {
        if (m_binary.begun()) {
            // The slice's own leading zeros are not leading in the whole text.
            m_binary.write(fourBinaryDigitsEach(hex));
            return;
        }
        m_sawText = m_sawText || !hex.empty();
        m_binary.writeLeading(hexToBinary(hex).value_or(""));
    }

    void finish()
    {
        if (!m_binary.begun() && m_sawText && !m_binary.sawZero()) {
            throw Failure("no es un número hexadecimal: ningún carácter es un dígito de 0 a 9, "
                          "de A a F o de a a f");
        }
        m_binary.finish();
    }

private:
    NumberDigits m_binary;
    bool m_sawText = false;
};

void convertHexToBinary(CodeReader &input, CodeWriter &output)
{
    HexToBinaryStream stream(output);
    while (const std::optional<std::string_view> piece = input.readPiece()) {
        forEachSlice(*piece, kSliceSize / 4,
                     [&](std::string_view slice) { stream.convert(slice); });
    }
    stream.finish();
}

} // namespace

void runConversion(const ConversionRequest &request, CodeReader &input, CodeWriter &output)
{
    switch (request.conversion) {
    case Conversion::Character:
        return convertCharacter(input, output);
    case Conversion::Decimal:
        return convertDecimal(input, output);
    case Conversion::Binary:
        return convertBinary(input, output);
    case Conversion::MessageToBinary:
        return convertMessageToBinary(request, input, output);
    case Conversion::BinaryToMessage:
        return convertBinaryToMessage(request.mode, input, output);
    case Conversion::BinaryToHex:
        return convertBinaryToHex(input, output);
    case Conversion::HexToBinary:
        return convertHexToBinary(input, output);
    }
}

} // namespace vantrel::cli
