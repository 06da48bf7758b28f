// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The value panel's conversions: one character, its decimal code and its
// eight binary digits. Each returns the field writes the window must make, in
// the order it must make them, since every write raises the field's change
// event at once.
namespace vantrel {

enum class ValueField : std::uint8_t { Decimal = 1, Binary = 2, Character = 3 };

struct FieldWrite
{
    ValueField field;
    std::string text;

    friend bool operator==(const FieldWrite &, const FieldWrite &) = default;
};

using FieldWrites = std::vector<FieldWrite>;

// A decimal field's text with its leading number read once, for the check
// and the conversion alike. It refers to the text, which must outlive it.
struct DecimalReading
{
    std::string_view text;
    double leadingNumber = 0;
};

[[nodiscard]] DecimalReading readDecimal(std::string_view decimalText);

// The decimal field's check: its leading number lies in 0..255, ends included.
[[nodiscard]] bool decimalTextInRange(const DecimalReading &reading);
[[nodiscard]] bool decimalTextInRange(std::string_view decimalText);

// The binary field's check: exactly eight characters, whatever they are.
[[nodiscard]] bool binaryTextComplete(std::string_view binaryText);

// The character of the whole text read as one number, when it gives one
// (a code from 0 to 255); "1a", "6 5" and "" give none.
[[nodiscard]] std::optional<char> decimalCharacter(const DecimalReading &reading);

// Ascii with the decimal field active: the binary digits of the leading
// number, then the character of the whole number; when the text gives no
// character, "0" for the decimal field and an empty character instead.
// Writes nothing for a text that is not in range.
[[nodiscard]] FieldWrites asciiFromDecimal(const DecimalReading &reading);
[[nodiscard]] FieldWrites asciiFromDecimal(std::string_view decimalText);

// Ascii with the character field active, which is what Caracter runs: the
// decimal digits of the code, then its eight binary digits.
[[nodiscard]] FieldWrites caracter(unsigned char currentCode);

struct BinarioResult
{
    bool valid = false;
    FieldWrites writes; // the decimal text, then the character; none if invalid
};

// Reads eight binary digits, the first weighing 128. Any other character, or
// a text that is not complete, makes the result invalid.
[[nodiscard]] BinarioResult binario(std::string_view binaryText);

} // namespace vantrel
