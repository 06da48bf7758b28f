// SPDX-License-Identifier: GPL-3.0-or-later
// Message encoding and decoding: the first byte picks the bit mode, the rest
// is read both as a message to encode and as a binary message to decode.

#include "fuzz_check.h"
#include "message_conversion.h"

#include <algorithm>
#include <cstdint>
#include <string>

using vantrel::BitMode;

namespace {

bool onlyBinaryDigits(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c == '0' || c == '1'; });
}

// The message as decoding gives it back: cut at its first code 0, and in
// 7-bit mode each code without its top digit (which may become a new 0).
std::string expectedRoundTrip(std::string_view message, BitMode mode)
{
    std::string expected;
    for (const char c : message) {
        const auto code = static_cast<unsigned char>(
            mode == BitMode::Seven ? static_cast<unsigned char>(c) & 0x7F : c);
        if (code == 0) {
            break;
        }
        expected.push_back(static_cast<char>(code));
    }
    return expected;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0) {
        return 0;
    }
    const BitMode mode = (data[0] & 1) ? BitMode::Seven : BitMode::Eight;
    const auto width = static_cast<std::size_t>(mode);
    const std::string_view text(reinterpret_cast<const char *>(data + 1), size - 1);

    const std::string binary = vantrel::binText(text, mode);
    FUZZ_CHECK(binary.size() == text.size() * width);
    FUZZ_CHECK(onlyBinaryDigits(binary));
    const vantrel::DecodedMessage roundTrip = vantrel::hexaText(binary, mode);
    FUZZ_CHECK(roundTrip.valid);
    FUZZ_CHECK(roundTrip.message == expectedRoundTrip(text, mode));

    const vantrel::DecodedMessage decoded = vantrel::hexaText(text, mode);
    FUZZ_CHECK(decoded.valid == onlyBinaryDigits(text));
    if (decoded.valid) {
        FUZZ_CHECK(decoded.message.size() <= text.size() / width);
        FUZZ_CHECK(decoded.message.find('\0') == std::string::npos);
        // Re-encoding gives back the whole groups that were read.
        const std::string reencoded = vantrel::binText(decoded.message, mode);
        const std::size_t start = text.size() % width;
        FUZZ_CHECK(text.substr(start, reencoded.size()) == reencoded);
    } else {
        FUZZ_CHECK(decoded.message == vantrel::kInvalidCodeMarker);
    }

    // A decoding cut to a field's room is the start of the whole one.
    const std::size_t room = size % 17;
    const vantrel::DecodedMessage cut = vantrel::hexaText(text, mode, room);
    FUZZ_CHECK(cut.valid == decoded.valid);
    if (cut.valid) {
        FUZZ_CHECK(cut.message == decoded.message.substr(0, room));
    }
    return 0;
}
