// SPDX-License-Identifier: GPL-3.0-or-later
// The code page: any UTF-16 text gives one code per character, and every
// code text comes back from UTF-16 unchanged.

#include "codepage.h"
#include "fuzz_check.h"

#include <cstdint>
#include <cstring>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    std::u16string utf16(size / 2, u'\0');
    std::memcpy(utf16.data(), data, utf16.size() * 2);
    const std::string codes = vantrel::codepage::codeTextFromUtf16(utf16);
    FUZZ_CHECK(codes.size() <= utf16.size());
    FUZZ_CHECK(vantrel::codepage::codeTextFromUtf16(vantrel::codepage::utf16FromCodeText(codes)) ==
               codes);

    const std::string_view asCodes(reinterpret_cast<const char *>(data), size);
    FUZZ_CHECK(vantrel::codepage::codeTextFromUtf16(
                   vantrel::codepage::utf16FromCodeText(asCodes)) == asCodes);
    return 0;
}
