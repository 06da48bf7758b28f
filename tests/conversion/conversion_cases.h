// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "message_conversion.h"

#include <optional>
#include <string_view>

// Input and result tables of the conversions, shared by the core's tests and
// the command-line program's. Texts are code texts: one char per code.
namespace vantrel::cases {

using namespace std::string_view_literals;

// The value panel's three fields after converting one of them. A case that
// is not accepted writes nothing.
struct ValueCase
{
    std::string_view input;
    bool accepted;
    std::string_view decimal;
    std::string_view binary;
    std::string_view character;
};

// The decimal field converted; its own text stays unless it gives no character.
inline constexpr ValueCase kDecimalCases[] = {
    {"65", true, "65", "01000001", "A"},
    {"0", true, "0", "00000000", "\0"sv},
    {"255", true, "255", "11111111", "\xFF"},
    {"+65", true, "+65", "01000001", "A"},
    {" 65", true, " 65", "01000001", "A"},
    {"65 ", true, "65 ", "01000001", "A"},
    {"1e2", true, "1e2", "01100100", "d"},
    {"&HF", true, "&HF", "00001111", "\x0F"},
    {"&HFF", true, "&HFF", "11111111", "\xFF"},
    {"-0", true, "-0", "00000000", "\0"sv},
    {"2.5", true, "2.5", "00000010", "\x02"},
    {"1.5", true, "1.5", "00000001", "\x02"},
    {"254.7", true, "254.7", "11111110", "\xFF"},
    {"", true, "0", "00000000", ""},
    {"abc", true, "0", "00000000", ""},
    {".", true, "0", "00000000", ""},
    {"1a", true, "0", "00000001", ""},
    {"6 5", true, "0", "01000001", ""},
    {"256", false, "", "", ""},
    {"999", false, "", "", ""},
    {"-1", false, "", "", ""},
    {"1e9", false, "", "", ""},
    {"255.5", false, "", "", ""},
    {"-0.5", false, "", "", ""},
    {"&H100", false, "", "", ""},
};

// The binary field converted; it must hold exactly eight digits.
inline constexpr ValueCase kBinaryCases[] = {
    {"01000001", true, "65", "01000001", "A"},
    {"11111111", true, "255", "11111111", "\xFF"},
    {"00000000", true, "0", "00000000", "\0"sv},
    {"10000000", true, "128", "10000000", "\x80"},
    {"11101001", true, "233", "11101001", "\xE9"},
    {"0100000", false, "", "", ""},
    {"010000010", false, "", "", ""},
    {"", false, "", "", ""},
    {"0100000a", false, "", "", ""},
    {"01 00001", false, "", "", ""},
    {"21000001", false, "", "", ""},
    {" 1000001", false, "", "", ""},
};

// The character field converted: the code of the character typed.
struct CharacterCase
{
    unsigned char code;
    std::string_view decimal;
    std::string_view binary;
};

inline constexpr CharacterCase kCharacterCases[] = {
    {65, "65", "01000001"},   {13, "13", "00001101"}, {8, "8", "00001000"},
    {255, "255", "11111111"}, {0, "0", "00000000"},   {128, "128", "10000000"},
    {233, "233", "11101001"}, {63, "63", "00111111"},
};

struct EncodeCase
{
    BitMode mode;
    std::string_view message;
    std::string_view binary;
};

inline constexpr EncodeCase kEncodeCases[] = {
    {BitMode::Eight, "A", "01000001"},
    {BitMode::Seven, "A", "1000001"},
    {BitMode::Eight, "Hola", "01001000011011110110110001100001"},
    {BitMode::Seven, "Hola", "1001000110111111011001100001"},
    {BitMode::Eight, "", ""},
    {BitMode::Seven, "", ""},
    {BitMode::Seven, "\r\n", "00011010001010"},
    {BitMode::Eight, "\r\n", "0000110100001010"},
    {BitMode::Seven, "\xE9", "1101001"},
    {BitMode::Eight, "\xE9", "11101001"},
    {BitMode::Eight, "\0"sv, "00000000"},
    {BitMode::Seven, "\xFF\x80", "11111110000000"},
    {BitMode::Eight, "\x80\x81", "1000000010000001"},
};

struct DecodeCase
{
    BitMode mode;
    std::string_view binary;
    bool valid;
    std::string_view message; // the invalid-code marker when not valid
};

inline constexpr DecodeCase kDecodeCases[] = {
    {BitMode::Eight, "0100000101000010", true, "AB"},
    {BitMode::Seven, "01000001", true, "A"},
    {BitMode::Seven, "11000001", true, "A"},
    {BitMode::Eight, "1000001", true, ""},
    {BitMode::Eight, "010000010000000001000010", true, "A"},
    {BitMode::Seven, "0100000101000010", true,
     "\x02"
     "B"},
    {BitMode::Seven, "10000011", true, "\x03"},
    {BitMode::Eight, "", true, ""},
    {BitMode::Seven, "", true, ""},
    {BitMode::Eight, "00000000", true, ""},
    {BitMode::Eight, "0000110100001010", true, "\r\n"},
    {BitMode::Seven, "00011010001010", true, "\r\n"},
    {BitMode::Eight, "11101001", true, "\xE9"},
    {BitMode::Seven, "11101001", true, "i"},
    {BitMode::Eight, "0100 0001", false, kInvalidCodeMarker},
    {BitMode::Seven, "0100 0001", false, kInvalidCodeMarker},
    {BitMode::Eight, "01000001\r\n", false, kInvalidCodeMarker},
    {BitMode::Eight, "2", false, kInvalidCodeMarker},
    {BitMode::Seven, "0100000\xE9", false, kInvalidCodeMarker},
};

// Binary to hexadecimal and back; no output when the input is rejected.
struct DigitsCase
{
    std::string_view input;
    std::optional<std::string_view> output;
};

inline constexpr DigitsCase kBinaryToHexCases[] = {
    {"", ""},
    {"1", "1"},
    {"101", "5"},
    {"1010", "A"},
    {"11111", "1F"},
    {"100000000", "100"},
    {"00000000", "0"},
    {"0", "0"},
    {"0000", "0"},
    {"00000", "0"},
    {"10000", "10"},
    {"0101", "5"},
    {"1111111111111111", "FFFF"},
    {"00011111111", "FF"},
    {"102", std::nullopt},
    {" 1", std::nullopt},
    {"1\n", std::nullopt},
    {"1\r\n", std::nullopt},
    {"a", std::nullopt},
    {"1\xB9", std::nullopt},
};

inline constexpr DigitsCase kHexToBinaryCases[] = {
    {"", ""},
    {"7", "111"},
    {"a", "1010"},
    {"A", "1010"},
    {"1f", "11111"},
    {"1F", "11111"},
    {"00", "0"},
    {"0", "0"},
    {"5", "101"},
    {"1G", "10000"},
    {"A\r\n", "101000000000"},
    {"A\xE9", "10100000"},
    {"G0", "0"},
    {" 0", "0"},
    {"0F", "1111"},
    {"fF", "11111111"},
    {"G", std::nullopt},
    {"xyz", std::nullopt},
    {" ", std::nullopt},
    {"\r\n", std::nullopt},
    {"\xC1", std::nullopt},
};

} // namespace vantrel::cases
