// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "message_conversion.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>

// What the shell asked vantrel-convert to do.
namespace vantrel::cli {

enum class Conversion {
    Character,       // caracter: one character to its decimal code and binary digits
    Decimal,         // decimal: a decimal code to its binary digits and character
    Binary,          // binario: eight binary digits to the decimal code and character
    MessageToBinary, // texto-bin
    BinaryToMessage, // bin-texto
    BinaryToHex,     // bin-hex
    HexToBinary,     // hex-bin
};

// How characters travel through standard input and output: UTF-8, or one
// byte per code of the program's Windows-1252 set.
enum class Encoding { Utf8, Raw };

// How texto-bin encodes line breaks: as given, one code each (LF is 10), or
// as the converter window's message field holds them, every form (CR LF, CR,
// LF and, in UTF-8, U+2028 and U+2029) as the pair CR LF, 13 10.
enum class LineBreaks { AsGiven, CrLf };

struct ConversionRequest
{
    Conversion conversion = Conversion::Character;
    BitMode mode = BitMode::Eight;
    Encoding encoding = Encoding::Utf8;
    LineBreaks lineBreaks = LineBreaks::AsGiven;
    std::optional<std::string> text; // from the arguments; none means standard input
};

struct HelpRequest
{
};
struct VersionRequest
{
};
struct UsageError
{
    std::string message;
};

using CommandLine = std::variant<ConversionRequest, HelpRequest, VersionRequest, UsageError>;

[[nodiscard]] CommandLine parseCommandLine(int argc, char *argv[]);

[[nodiscard]] std::string_view helpText();
[[nodiscard]] std::string versionText();

inline constexpr std::string_view kProgramName = "vantrel-convert";

} // namespace vantrel::cli
