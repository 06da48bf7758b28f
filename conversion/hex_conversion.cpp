// SPDX-License-Identifier: GPL-3.0-or-later
#include "hex_conversion.h"

#include "binary_digits.h"
#include "conversion_paths.h"
#include "vector_kernels.h"
#include "written_string.h"

#include <cstdint>
#include <cstring>

namespace vantrel {
namespace {

constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr int kNotHex = -1;

constexpr std::array<std::int8_t, 256> makeHexValueTable()
{
    std::array<std::int8_t, 256> table{};
    for (auto &value : table) {
        value = kNotHex;
    }
    for (int i = 0; i < 16; ++i) {
        table[static_cast<unsigned char>(kHexDigits[i])] = static_cast<std::int8_t>(i);
    }
    for (int i = 10; i < 16; ++i) {
        table[static_cast<unsigned char>('a' + i - 10)] = static_cast<std::int8_t>(i);
    }
    return table;
}

constexpr std::array<std::int8_t, 256> kHexValue = makeHexValueTable();

// Binario2's four digits for every character, a character outside the
// hexadecimal digits counting as 0.
constexpr std::array<std::array<char, 4>, 256> makeFourDigitTable()
{
    std::array<std::array<char, 4>, 256> table{};
    for (unsigned c = 0; c < 256; ++c) {
        table[c] = binario2(kHexValue[c] == kNotHex ? 0 : static_cast<unsigned>(kHexValue[c]));
    }
    return table;
}

constexpr std::array<std::array<char, 4>, 256> kFourDigits = makeFourDigitTable();

// The two hexadecimal digits of every byte.
constexpr std::array<std::array<char, 2>, 256> makeByteDigitTable()
{
    std::array<std::array<char, 2>, 256> table{};
    for (unsigned byte = 0; byte < 256; ++byte) {
        table[byte] = {kHexDigits[byte >> 4], kHexDigits[byte & 15]};
    }
    return table;
}

constexpr std::array<std::array<char, 2>, 256> kByteDigits = makeByteDigitTable();

unsigned hexValue(char c)
{
    // The table holds -1 for a character that is no digit: the sign is meant.
    const int value =
        kHexValue[static_cast<unsigned char>(c)]; // NOLINT(bugprone-signed-char-misuse)
    return value == kNotHex ? 0 : static_cast<unsigned>(value);
}

// Value of up to eight binary digits.
unsigned valueOfDigits(std::string_view digits)
{
    unsigned value = 0;
    for (const char digit : digits) {
        value = value * 2 + static_cast<unsigned>(digit - '0');
    }
    return value;
}

// Whole groups of four digits, already checked, as hexadecimal digits.
void writeHexOfGroups(std::string_view groups, char *out)
{
    const char *in = groups.data();
    const char *end = in + groups.size();
    for (; end - in >= 8; in += 8, out += 2) {
        std::memcpy(out, kByteDigits[detail::packEightDigits(detail::loadBytes(in))].data(), 2);
    }
    if (in != end) {
        *out = kHexDigits[valueOfDigits({in, 4})];
    }
}

// Converts a text already known to hold only binary digits.
std::string convertBinaryDigits(std::string_view binary)
{
    if (binary.empty()) {
        return std::string();
    }
    const std::size_t firstOne = binary.find('1');
    if (firstOne == std::string_view::npos) {
        return std::string("0");
    }
    // Without its leading zeros the text gives no leading zero digit; the
    // groups still end at its last character.
    const std::string_view significant = binary.substr(firstOne);
    const std::size_t headLength = significant.size() % 4;
    std::string hex((significant.size() + 3) / 4, '\0');
    char *out = hex.data();
    if (headLength != 0) {
        *out++ = kHexDigits[valueOfDigits(significant.substr(0, headLength))];
    }
    writeHexOfGroups(significant.substr(headLength), out);
    return hex;
}

std::optional<std::string> binaryToHexScalar(std::string_view binary)
{
    if (!detail::allBinaryDigits(binary)) {
        return std::nullopt;
    }
    return convertBinaryDigits(binary);
}

// The digits whose conversion is the one cut to maxDigits: all of them when
// the result fits, else the first groups of the padded text. A prefix that
// long pads the same way, since the cut falls on a group boundary.
std::string_view shownDigits(std::string_view binary, std::size_t maxDigits)
{
    return binary.substr(0, binaryToHexCutReads(binary.size(), maxDigits));
}

std::optional<std::string> binaryToHexCutScalar(std::string_view binary, std::size_t maxDigits)
{
    if (!detail::allBinaryDigits(binary)) {
        return std::nullopt;
    }
    return convertBinaryDigits(shownDigits(binary, maxDigits));
}

// Checks the digits while converting them, in one pass: the leading zeros
// are skipped, the first other character must be "1", and the kernel checks
// each block of groups it converts.
std::optional<std::string> binaryToHexWithKernels(std::string_view binary,
                                                  const detail::VectorKernels &kernels)
{
    if (binary.empty()) {
        return std::string();
    }
    // A text that starts with a "1" costs no vector block here.
    std::size_t firstOne =
        binary.front() == '0' ? kernels.zeroDigitRun(binary.data(), binary.size()) : 0;
    while (firstOne < binary.size() && binary[firstOne] == '0') {
        ++firstOne;
    }
    if (firstOne == binary.size()) {
        return std::string("0");
    }
    if (binary[firstOne] != '1') {
        return std::nullopt;
    }
    const std::string_view significant = binary.substr(firstOne);
    const std::size_t headLength = significant.size() % 4;
    const std::string_view head = significant.substr(0, headLength);
    const std::string_view groups = significant.substr(headLength);
    if (!detail::allBinaryDigits(head)) {
        return std::nullopt;
    }
    bool valid = true;
    std::string hex = detail::writtenString((significant.size() + 3) / 4, [&](char *out) {
        if (headLength != 0) {
            *out++ = kHexDigits[valueOfDigits(head)];
        }
        const std::size_t done = kernels.hexFromBinary(groups.data(), groups.size() / 4, out);
        const std::string_view rest = groups.substr(done * 4);
        valid = detail::allBinaryDigits(rest);
        if (!valid) {
            return std::size_t{0};
        }
        writeHexOfGroups(rest, out + done);
        return (significant.size() + 3) / 4;
    });
    if (!valid) {
        return std::nullopt;
    }
    return hex;
}

std::optional<std::string> binaryToHexCutWithKernels(std::string_view binary, std::size_t maxDigits,
                                                     const detail::VectorKernels &kernels)
{
    // The digits past the cut are only checked.
    const std::string_view shown = shownDigits(binary, maxDigits);
    if (!detail::allBinaryDigits(binary.substr(shown.size()), kernels)) {
        return std::nullopt;
    }
    return binaryToHexWithKernels(shown, kernels);
}

// Binario2's four digits for every character, at out: the kernel writes
// what it can, the table the rest.
void writeFourDigitsEach(std::string_view hex, const detail::VectorKernels *kernels, char *out)
{
    const std::size_t done =
        kernels != nullptr ? kernels->binaryFromHex(hex.data(), hex.size(), out) : 0;
    out += done * 4;
    for (const char c : hex.substr(done)) {
        std::memcpy(out, kFourDigits[static_cast<unsigned char>(c)].data(), 4);
        out += 4;
    }
}

// The kernels find the first digit of value other than 0 and write the
// digits after it; the table loops finish both.
std::optional<std::string> hexToBinaryOnPath(std::string_view hex,
                                             const detail::VectorKernels *kernels)
{
    // A text that starts with a digit other than 0 costs no vector block here.
    std::size_t firstNonZero = kernels != nullptr && !hex.empty() && hexValue(hex.front()) == 0
                                   ? kernels->zeroHexValueRun(hex.data(), hex.size())
                                   : 0;
    while (firstNonZero < hex.size() && hexValue(hex[firstNonZero]) == 0) {
        ++firstNonZero;
    }
    if (firstNonZero == hex.size()) {
        // Only zeros and characters outside the table: accepted as long as
        // some "0" stands among them.
        if (hex.empty()) {
            return std::string();
        }
        if (hex.find('0') == std::string_view::npos) {
            return std::nullopt;
        }
        return std::string("0");
    }
    const auto headDigits = binario2(hexValue(hex[firstNonZero]));
    std::size_t headStart = 0;
    while (headDigits[headStart] == '0') {
        ++headStart;
    }
    const std::string_view rest = hex.substr(firstNonZero + 1);
    const std::size_t length = (4 - headStart) + rest.size() * 4;
    return detail::writtenString(length, [&](char *out) {
        std::memcpy(out, headDigits.data() + headStart, 4 - headStart);
        writeFourDigitsEach(rest, kernels, out + 4 - headStart);
        return length;
    });
}

std::string fourBinaryDigitsEachOnPath(std::string_view hex, const detail::VectorKernels *kernels)
{
    return detail::writtenString(hex.size() * 4, [&](char *out) {
        writeFourDigitsEach(hex, kernels, out);
        return hex.size() * 4;
    });
}

} // namespace

namespace detail {

std::optional<std::string> binaryToHex(std::string_view binary, Path path)
{
    const VectorKernels *kernels = kernelsFor(path);
    if (kernels == nullptr) {
        return binaryToHexScalar(binary);
    }
    return binaryToHexWithKernels(binary, *kernels);
}

std::optional<std::string> binaryToHexCut(std::string_view binary, std::size_t maxDigits, Path path)
{
    const VectorKernels *kernels = kernelsFor(path);
    if (kernels == nullptr) {
        return binaryToHexCutScalar(binary, maxDigits);
    }
    return binaryToHexCutWithKernels(binary, maxDigits, *kernels);
}

std::optional<std::string> hexToBinary(std::string_view hex, Path path)
{
    return hexToBinaryOnPath(hex, kernelsFor(path));
}

std::string fourBinaryDigitsEach(std::string_view hex, Path path)
{
    return fourBinaryDigitsEachOnPath(hex, kernelsFor(path));
}

} // namespace detail

std::optional<std::string> binaryToHex(std::string_view binary)
{
    return detail::binaryToHex(binary, detail::fastestPath());
}

std::optional<std::string> binaryToHexCut(std::string_view binary, std::size_t maxDigits)
{
    return detail::binaryToHexCut(binary, maxDigits, detail::fastestPath());
}

std::optional<std::string> binaryToHexCutCounted(std::string_view binary,
                                                 std::size_t nonBinaryDigits, std::size_t maxDigits)
{
    if (nonBinaryDigits != 0) {
        return std::nullopt;
    }
    return binaryToHex(shownDigits(binary, maxDigits));
}

std::size_t binaryToHexCutReads(std::size_t length, std::size_t maxDigits)
{
    // The cut keeps the padding: a text of the shown length shows itself.
    const std::size_t padding = (4 - length % 4) % 4;
    if ((length + padding) / 4 <= maxDigits) {
        return length;
    }
    return maxDigits == 0 ? 0 : maxDigits * 4 - padding;
}

std::optional<std::string> hexToBinary(std::string_view hex)
{
    return detail::hexToBinary(hex, detail::fastestPath());
}

std::string fourBinaryDigitsEach(std::string_view hex)
{
    return detail::fourBinaryDigitsEach(hex, detail::fastestPath());
}

} // namespace vantrel
