// SPDX-License-Identifier: GPL-3.0-or-later
// The value panel's readings and conversions on any text.

#include "fuzz_check.h"
#include "readings.h"
#include "value_conversion.h"

#include <cmath>
#include <cstdint>

using vantrel::FieldWrite;
using vantrel::ValueField;

namespace {

bool isEightDigits(std::string_view text)
{
    return text.size() == 8 && text.find_first_not_of("01") == std::string_view::npos;
}

void checkDecimal(std::string_view text)
{
    const double leading = vantrel::leadingNumber(text);
    FUZZ_CHECK(!std::isnan(leading));
    if (const auto whole = vantrel::wholeNumber(text)) {
        // A text that is a number in full reads the same both ways, up to the
        // rounding (hexadecimal and octal forms are whole already).
        FUZZ_CHECK(std::fabs(leading - *whole) <= 0.5);
    }

    const vantrel::FieldWrites writes = vantrel::asciiFromDecimal(text);
    if (!vantrel::decimalTextInRange(text)) {
        FUZZ_CHECK(writes.empty());
        return;
    }
    FUZZ_CHECK(writes.size() == 2 || writes.size() == 3);
    FUZZ_CHECK(writes[0].field == ValueField::Binary && isEightDigits(writes[0].text));
    if (writes.size() == 2) {
        FUZZ_CHECK(writes[1].field == ValueField::Character && writes[1].text.size() == 1);
    } else {
        FUZZ_CHECK(writes[1] == (FieldWrite{ValueField::Decimal, "0"}));
        FUZZ_CHECK(writes[2] == (FieldWrite{ValueField::Character, ""}));
    }
}

void checkBinary(std::string_view text)
{
    const vantrel::BinarioResult result = vantrel::binario(text);
    FUZZ_CHECK(result.valid == isEightDigits(text));
    if (result.valid) {
        const auto code = vantrel::wholeNumber(result.writes[0].text);
        FUZZ_CHECK(code && *code >= 0 && *code <= 255);
        FUZZ_CHECK(vantrel::caracter(static_cast<unsigned char>(*code))[1].text == text);
    } else {
        FUZZ_CHECK(result.writes.empty());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    checkDecimal(text);
    checkBinary(text);
    return 0;
}
