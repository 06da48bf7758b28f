// SPDX-License-Identifier: GPL-3.0-or-later
#include "conversions.h"

#include "codepage.h"
#include "hex_conversion.h"
#include "message_conversion.h"
#include "parallel_decoding.h"
#include "value_conversion.h"

#include <algorithm>

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

// Where the first character other than "0" and "1" stands, for a message.
std::string firstNonBinaryCharacter(std::string_view codes)
{
    const auto bad =
        std::find_if(codes.begin(), codes.end(), [](char c) { return c != '0' && c != '1'; });
    return "el carácter n.º " + std::to_string(bad - codes.begin() + 1) + " (código " +
           std::to_string(static_cast<unsigned char>(*bad)) + ") no es ni 0 ni 1";
}

void convertCharacter(CodeReader &input, CodeWriter &output)
{
    const std::string codes = input.readAll();
    if (codes.size() != 1) {
        throw Failure("se esperaba un solo carácter y hay " + std::to_string(codes.size()));
    }
    const auto code = static_cast<unsigned char>(codes.front());
    ValueFields fields{.character = codes};
    fields.apply(caracter(code));
    writeValueFields(fields, output);
}

void convertDecimal(CodeReader &input, CodeWriter &output)
{
    ValueFields fields{.decimal = input.readAll()};
    if (!decimalTextInRange(fields.decimal)) {
        throw Failure(quoted(fields.decimal) + " no es un código decimal de 0 a 255");
    }
    fields.apply(asciiFromDecimal(fields.decimal));
    writeValueFields(fields, output);
}

void convertBinary(CodeReader &input, CodeWriter &output)
{
    ValueFields fields{.binary = input.readAll()};
    if (!binaryTextComplete(fields.binary)) {
        throw Failure(quoted(fields.binary) + " no tiene ocho dígitos binarios sino " +
                      std::to_string(fields.binary.size()) + " caracteres");
    }
    const BinarioResult result = binario(fields.binary);
    if (!result.valid) {
        throw Failure(quoted(fields.binary) + ": " + firstNonBinaryCharacter(fields.binary));
    }
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

// Binary digits are ASCII: a byte beyond ASCII fails these conversions
// whatever character it belongs to, so they take the bytes undecoded and only
// a failure's message decodes them.
std::string firstNonBinaryCharacter(CodeReader &input, std::string_view bytes)
{
    return firstNonBinaryCharacter(input.codesOf(bytes));
}

// One bad character anywhere rejects the whole binary message, so it is read
// whole before anything is written.
void convertBinaryToMessage(BitMode mode, CodeReader &input, CodeWriter &output)
{
    const std::string_view binary = input.readAllBytes();
    const DecodedParts decoded = decodeInParallel(binary, mode);
    if (!decoded.valid) {
        throw Failure(codepage::utf8FromCodeText(decoded.message.front()) + ": " +
                      firstNonBinaryCharacter(input, binary));
    }
    for (const std::string &part : decoded.message) {
        output.writeCodes(part);
    }
    output.writeAscii("\n");
}

// Read whole for the same reason, and because the groups end at the last digit.
void convertBinaryToHex(CodeReader &input, CodeWriter &output)
{
    const std::string_view binary = input.readAllBytes();
    const std::optional<std::vector<std::string>> hex = hexInParallel(binary);
    if (!hex) {
        throw Failure("no es un número binario: " + firstNonBinaryCharacter(input, binary));
    }
    for (const std::string &part : *hex) {
        output.writeAscii(part);
    }
    output.writeAscii("\n");
}

// Streamed: nothing is written until the first digit of value other than 0,
// and from there on the text can no longer be rejected.
class HexToBinaryStream
{
public:
    explicit HexToBinaryStream(CodeWriter &output) : m_output(output) {}

    void convert(std::string_view hex)
    {
        if (m_writing) {
            // A leading "1" keeps the slice's own leading zeros, which are
            // not leading in the whole text; it comes back as a lone "1".
            m_withLeadingOne.assign(1, '1');
            m_withLeadingOne += hex;
            m_output.writeAscii(std::string_view(*hexToBinary(m_withLeadingOne)).substr(1));
            return;
        }
        m_sawText = m_sawText || !hex.empty();
        const std::optional<std::string> binary = hexToBinary(hex);
        m_sawZero = m_sawZero || binary == "0";
        if (binary && *binary != "0" && !binary->empty()) {
            m_output.writeAscii(*binary);
            m_writing = true;
        }
    }

    void finish()
    {
        if (!m_writing && m_sawText && !m_sawZero) {
            throw Failure("no es un número hexadecimal: ningún carácter es un dígito de 0 a 9, "
                          "de A a F o de a a f");
        }
        if (!m_writing && m_sawZero) {
            m_output.writeAscii("0");
        }
        m_output.writeAscii("\n");
    }

private:
    CodeWriter &m_output;
    std::string m_withLeadingOne;
    bool m_sawText = false;
    bool m_sawZero = false;
    bool m_writing = false;
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
