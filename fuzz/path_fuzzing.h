// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the path fuzz targets share: an input is an alignment byte, a
// parameter byte and a text. The text is placed at that offset from a 64-byte
// boundary in a buffer that ends where the text ends, with the bytes before
// it poisoned, so AddressSanitizer stops a read on either side; each
// conversion runs on every vector path the processor has and must give the
// scalar path's result, byte for byte. The kernels that write several bytes
// an element are also run alone, on outputs placed at every offset.

#include "conversion_paths.h"
#include "fuzz_check.h"
#include "vector_kernels.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <sanitizer/asan_interface.h>
#include <string>
#include <string_view>

namespace vantrel::fuzzing {

struct PathInput
{
    std::size_t offset;
    std::uint8_t parameter;
    std::string_view text;
};

inline bool readPathInput(const std::uint8_t *data, std::size_t size, PathInput &input)
{
    if (size < 2) {
        return false;
    }
    input = {data[0] % 64u, data[1], {reinterpret_cast<const char *>(data + 2), size - 2}};
    return true;
}

class PlacedText
{
public:
    PlacedText(std::string_view text, std::size_t offset) : m_offset(offset)
    {
        void *memory = nullptr;
        FUZZ_CHECK(posix_memalign(&memory, 64, offset + text.size() + (text.empty() ? 1 : 0)) == 0);
        m_buffer = static_cast<char *>(memory);
        if (!text.empty()) {
            std::memcpy(m_buffer + offset, text.data(), text.size());
        }
        ASAN_POISON_MEMORY_REGION(m_buffer, offset);
        m_text = {m_buffer + offset, text.size()};
    }
    PlacedText(const PlacedText &) = delete;
    PlacedText &operator=(const PlacedText &) = delete;
    ~PlacedText()
    {
        ASAN_UNPOISON_MEMORY_REGION(m_buffer, m_offset);
        std::free(m_buffer);
    }

    [[nodiscard]] std::string_view text() const { return m_text; }
    // For a kernel to write into, in place of the text.
    [[nodiscard]] char *data() { return m_buffer + m_offset; }

private:
    std::size_t m_offset;
    char *m_buffer = nullptr;
    std::string_view m_text;
};

// The text mapped onto "0" and "1" by each byte's low bit, so that whole
// messages decode; bytes from 0xF8 up stay as they are and make it invalid.
inline std::string binaryDigitsOf(std::string_view text)
{
    std::string digits(text);
    for (char &c : digits) {
        if (static_cast<unsigned char>(c) < 0xF8) {
            c = static_cast<char>('0' + (c & 1));
        }
    }
    return digits;
}

// The same onto hexadecimal digits of both cases, "0" twice as often and one
// character that is not a digit; bytes from 0xF8 up stay as they are.
inline std::string hexDigitsOf(std::string_view text)
{
    constexpr std::string_view kAlphabet = "0123456789ABCDEFabcdef0g";
    std::string digits(text);
    for (char &c : digits) {
        if (static_cast<unsigned char>(c) < 0xF8) {
            c = kAlphabet[static_cast<unsigned char>(c) % kAlphabet.size()];
        }
    }
    return digits;
}

// A string result must also keep its terminator: a kernel writing one byte
// too far would overwrite it.
inline bool sameText(const std::string &actual, const std::string &expected)
{
    return actual == expected && actual.c_str()[actual.size()] == '\0';
}

inline bool sameText(const std::optional<std::string> &actual,
                     const std::optional<std::string> &expected)
{
    return actual.has_value() == expected.has_value() && (!actual || sameText(*actual, *expected));
}

// Runs check(text, path) for every vector path available, on the text placed
// at the input's offset.
template <typename Check>
void onEveryVectorPath(std::string_view text, std::size_t offset, Check check)
{
    const PlacedText placed(text, offset);
    for (const detail::Path path : detail::kVectorPaths) {
        if (detail::pathAvailable(path)) {
            check(placed.text(), path);
        }
    }
}

// A kernel alone, writing OutWidth bytes an element into a buffer that
// starts at `outputOffset` from a 64-byte boundary and ends where the output
// ends, so that every start the kernels align their stores from is tried and
// AddressSanitizer stops a write on either side: what it says it covered
// must be the start of the scalar path's output.
template <typename Kernel>
void checkKernelOutput(Kernel kernel, std::string_view in, std::size_t outWidth,
                       std::string_view expected, std::size_t outputOffset)
{
    PlacedText output(std::string(in.size() * outWidth, '\0'), outputOffset);
    const std::size_t covered = kernel(in.data(), in.size(), output.data());
    FUZZ_CHECK(covered <= in.size());
    FUZZ_CHECK(output.text().substr(0, covered * outWidth) ==
               expected.substr(0, covered * outWidth));
}

} // namespace vantrel::fuzzing
