// SPDX-License-Identifier: GPL-3.0-or-later
// UTF-8 at the command line's edges. Any bytes are read both as a code text
// (which must come back from UTF-8 unchanged) and as UTF-8 (compared with a
// plain reading built on what each byte pattern can still encode, whole and
// chunk by chunk as the command line reads it).

#include "codepage.h"
#include "fuzz_check.h"

#include <algorithm>
#include <cstdint>
#include <string>

using namespace vantrel::codepage;

namespace {

unsigned char byteAt(std::string_view text, std::size_t at)
{
    return static_cast<unsigned char>(text[at]);
}

// The length of a sequence by its first byte's bit pattern; 0 for a byte
// that starts none.
std::size_t patternLength(unsigned char lead)
{
    if (lead < 0x80) {
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        return 2;
    }
    if ((lead & 0xF0) == 0xE0) {
        return 3;
    }
    return (lead & 0xF8) == 0xF0 ? 4 : 0;
}

struct CodePointRange
{
    char32_t low;
    char32_t high;
};

// The code points a sequence of `length` bytes beginning with `prefix` spells,
// whatever its missing continuation bytes.
CodePointRange rangeOf(std::string_view prefix, std::size_t length)
{
    char32_t value = length == 1 ? byteAt(prefix, 0) : byteAt(prefix, 0) & (0xFF >> (length + 1));
    for (std::size_t i = 1; i < prefix.size(); ++i) {
        value = (value << 6) | (byteAt(prefix, i) & 0x3F);
    }
    const auto freeBits = static_cast<unsigned>(6 * (length - prefix.size()));
    return {value << freeBits, (value << freeBits) | ((char32_t{1} << freeBits) - 1)};
}

// True when some well-formed sequence begins with these bytes: not overlong,
// not a surrogate, not beyond U+10FFFF.
bool beginsWellFormed(std::string_view prefix)
{
    const std::size_t length = patternLength(byteAt(prefix, 0));
    if (length == 0 || prefix.size() > length) {
        return false;
    }
    for (std::size_t i = 1; i < prefix.size(); ++i) {
        if ((byteAt(prefix, i) & 0xC0) != 0x80) {
            return false;
        }
    }
    constexpr char32_t kShortestOfLength[] = {0, 0, 0x80, 0x800, 0x10000};
    const CodePointRange range = rangeOf(prefix, length);
    const bool onlySurrogates = range.low >= 0xD800 && range.high <= 0xDFFF;
    return range.high >= kShortestOfLength[length] && range.low <= 0x10FFFF && !onlySurrogates;
}

struct PlainReading
{
    std::string codes;
    std::size_t illFormed = 0;      // maximal ill-formed subparts
    std::size_t lastIncomplete = 0; // length of a well-formed start the text cuts
};

// Reads each maximal subpart: the longest run of bytes that some
// well-formed sequence begins with, or else one byte.
PlainReading readPlainly(std::string_view utf8)
{
    PlainReading reading;
    for (std::size_t at = 0; at < utf8.size();) {
        std::size_t length = 1;
        while (at + length < utf8.size() && beginsWellFormed(utf8.substr(at, length + 1))) {
            ++length;
        }
        const std::string_view part = utf8.substr(at, length);
        const bool wellFormed = beginsWellFormed(part) && length == patternLength(byteAt(part, 0));
        reading.lastIncomplete = !wellFormed && beginsWellFormed(part) ? length : 0;
        if (wellFormed) {
            reading.codes.push_back(static_cast<char>(codeOfUnicode(rangeOf(part, length).low)));
        } else {
            reading.codes.push_back(static_cast<char>(kUnknownCode));
            ++reading.illFormed;
        }
        at += length;
    }
    return reading;
}

// Decodes chunk by chunk as the command line does: the bytes of a cut
// character wait for the next chunk.
std::string decodedInChunks(std::string_view utf8, std::size_t chunkSize)
{
    std::string codes;
    std::string carried;
    for (std::size_t at = 0; at < utf8.size(); at += chunkSize) {
        std::string piece = carried + std::string(utf8.substr(at, chunkSize));
        const bool last = at + chunkSize >= utf8.size();
        const std::size_t held = last ? 0 : utf8CutSequenceLength(piece);
        FUZZ_CHECK(held <= 3 && held <= piece.size());
        carried = piece.substr(piece.size() - held);
        piece.resize(piece.size() - held);
        codes += codeTextFromUtf8(piece);
    }
    return codes;
}

void checkCodeTextRoundTrip(std::string_view codes)
{
    const std::string utf8 = utf8FromCodeText(codes);
    FUZZ_CHECK(utf8.size() >= codes.size() && utf8.size() <= 3 * codes.size());
    FUZZ_CHECK(codeTextFromUtf8(utf8) == codes);
    const PlainReading reading = readPlainly(utf8);
    FUZZ_CHECK(reading.illFormed == 0);
    FUZZ_CHECK(reading.codes == codes);
    FUZZ_CHECK(utf8CutSequenceLength(utf8) == 0);
}

void checkDecoding(std::string_view utf8)
{
    const std::string codes = codeTextFromUtf8(utf8);
    const PlainReading reading = readPlainly(utf8);
    FUZZ_CHECK(codes == reading.codes);
    FUZZ_CHECK(utf8CutSequenceLength(utf8) == reading.lastIncomplete);

    const bool ascii = std::all_of(utf8.begin(), utf8.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    FUZZ_CHECK(isAscii(utf8) == ascii);
    FUZZ_CHECK(!ascii || codes == utf8);

    for (const std::size_t chunkSize : {1, 2, 3, 5, 64}) {
        FUZZ_CHECK(decodedInChunks(utf8, chunkSize) == codes);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    checkCodeTextRoundTrip(bytes);
    checkDecoding(bytes);
    return 0;
}
