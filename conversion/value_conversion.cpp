// SPDX-License-Identifier: GPL-3.0-or-later
#include "value_conversion.h"

#include "readings.h"

namespace vantrel {

namespace {
constexpr std::size_t kBinaryDigits = 8;
}

DecimalReading readDecimal(std::string_view decimalText)
{
    return {decimalText, leadingNumber(decimalText)};
}

bool decimalTextInRange(const DecimalReading &reading)
{
    return reading.leadingNumber >= 0 && reading.leadingNumber <= 255;
}

bool decimalTextInRange(std::string_view decimalText)
{
    return decimalTextInRange(readDecimal(decimalText));
}

bool binaryTextComplete(std::string_view binaryText)
{
    return binaryText.size() == kBinaryDigits;
}

std::optional<char> decimalCharacter(const DecimalReading &reading)
{
    const auto code = wholeNumber(reading.text);
    return code ? characterOfCode(*code) : std::nullopt;
}

FieldWrites asciiFromDecimal(const DecimalReading &reading)
{
    if (!decimalTextInRange(reading)) {
        return {};
    }
    FieldWrites writes;
    writes.push_back({ValueField::Binary, eightDigitBinaryText(reading.leadingNumber)});
    if (const auto character = decimalCharacter(reading)) {
        writes.push_back({ValueField::Character, std::string(1, *character)});
    } else {
        writes.push_back({ValueField::Decimal, "0"});
        writes.push_back({ValueField::Character, ""});
    }
    return writes;
}

FieldWrites asciiFromDecimal(std::string_view decimalText)
{
    return asciiFromDecimal(readDecimal(decimalText));
}

FieldWrites caracter(unsigned char currentCode)
{
    return {{ValueField::Decimal, std::to_string(currentCode)},
            {ValueField::Binary, eightDigitBinaryText(currentCode)}};
}

BinarioResult binario(std::string_view binaryText)
{
    if (!binaryTextComplete(binaryText)) {
        return {};
    }
    int sum = 0;
    bool invalid = false;
    int weight = 128;
    for (const char digit : binaryText) {
        if (digit == '1') {
            sum += weight;
        } else if (digit != '0') {
            invalid = true;
        }
        weight /= 2;
    }
    if (invalid) {
        return {};
    }
    return {true,
            {{ValueField::Decimal, std::to_string(sum)},
             {ValueField::Character, std::string(1, *characterOfCode(sum))}}};
}

} // namespace vantrel
