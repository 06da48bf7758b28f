// SPDX-License-Identifier: GPL-3.0-or-later
#include "codepage.h"
#include "conversion_cases.h"
#include "hex_conversion.h"
#include "message_conversion.h"
#include "program_run.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>
#include <random>
#include <span>

// vantrel-convert run as a process, on the tables the core is tested with,
// in UTF-8 and in raw Windows-1252, with the text as an argument and on
// standard input.
namespace vantrel::testing {

void PrintTo(InputKind kind, std::ostream *stream)
{
    *stream << (kind == InputKind::File ? "a file" : "a pipe");
}

namespace {

using namespace std::string_literals;
using namespace std::string_view_literals;

enum class Encoding { Utf8, Raw };
constexpr Encoding kEncodings[] = {Encoding::Utf8, Encoding::Raw};

const std::string kMarkerUtf8 = "!(Código no válido)";

std::string encoded(std::string_view codes, Encoding encoding)
{
    return encoding == Encoding::Utf8 ? codepage::utf8FromCodeText(codes) : std::string(codes);
}

std::string modeOption(BitMode mode)
{
    return mode == BitMode::Seven ? "-7" : "-8";
}

// Every way the text can reach the program: as an argument unless it holds a
// NUL, on standard input (ended by a line break) unless it ends with a
// carriage return, which would join that line break.
std::vector<ProgramRun> runOnText(std::vector<std::string> arguments, std::string_view codes,
                                  Encoding encoding)
{
    if (encoding == Encoding::Raw) {
        arguments.insert(arguments.begin(), "--crudo");
    }
    const std::string text = encoded(codes, encoding);
    std::vector<ProgramRun> runs;
    if (text.find('\0') == std::string::npos) {
        std::vector<std::string> withText = arguments;
        withText.insert(withText.end(), {"--", text});
        runs.push_back(runVantrelConvert(withText));
    }
    if (!text.ends_with('\r')) {
        runs.push_back(runVantrelConvert(arguments, text + "\n"));
    }
    return runs;
}

// Long texts are compared without printing them whole.
::testing::AssertionResult sameText(const std::string &actual, std::string_view expected)
{
    constexpr std::size_t kPrintable = 200;
    if (actual == expected) {
        return ::testing::AssertionSuccess();
    }
    if (actual.size() <= kPrintable && expected.size() <= kPrintable) {
        return ::testing::AssertionFailure() << ::testing::PrintToString(actual) << " instead of "
                                             << ::testing::PrintToString(std::string(expected));
    }
    const auto difference =
        std::mismatch(actual.begin(), actual.end(), expected.begin(), expected.end());
    return ::testing::AssertionFailure()
           << actual.size() << " bytes instead of " << expected.size()
           << ", first different at byte " << (difference.first - actual.begin());
}

void expectConverted(const ProgramRun &run, std::string_view out)
{
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(sameText(run.out, out));
    EXPECT_EQ(run.err, "");
}

void expectRejected(const ProgramRun &run)
{
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(sameText(run.out, ""));
    EXPECT_TRUE(run.err.starts_with("vantrel-convert: ")) << run.err;
}

std::string valueLines(const cases::ValueCase &c, Encoding encoding)
{
    return encoded(c.decimal, encoding) + "\n" + std::string(c.binary) + "\n" +
           encoded(c.character, encoding) + "\n";
}

// A decimal text that gives no character is an error in the shell: the
// window's recovery, "0" in the decimal field and an empty character, is the
// window's alone.
bool convertsInTheShell(const std::string &conversion, const cases::ValueCase &c)
{
    return c.accepted && (conversion != "decimal" || c.decimal == c.input);
}

void expectValueCases(const std::string &conversion, std::span<const cases::ValueCase> table)
{
    for (const cases::ValueCase &c : table) {
        for (const Encoding encoding : kEncodings) {
            SCOPED_TRACE(conversion + " «" + std::string(c.input) + "»");
            for (const ProgramRun &run : runOnText({conversion}, c.input, encoding)) {
                if (convertsInTheShell(conversion, c)) {
                    expectConverted(run, valueLines(c, encoding));
                } else {
                    expectRejected(run);
                }
            }
        }
    }
}

TEST(VantrelConvertTest, ValueConversionsWriteDecimalBinaryAndCharacter)
{
    expectValueCases("decimal", cases::kDecimalCases);
    expectValueCases("binario", cases::kBinaryCases);
    for (const cases::CharacterCase &c : cases::kCharacterCases) {
        const std::string character(1, static_cast<char>(c.code));
        const cases::ValueCase asValue{character, true, c.decimal, c.binary, character};
        for (const Encoding encoding : kEncodings) {
            SCOPED_TRACE(int(c.code));
            for (const ProgramRun &run : runOnText({"caracter"}, character, encoding)) {
                expectConverted(run, valueLines(asValue, encoding));
            }
        }
    }
}

TEST(VantrelConvertTest, CharacterConversionTakesExactlyOneCharacter)
{
    // An emoji is one character, outside the code page: code 63.
    expectConverted(runVantrelConvert({"caracter", "😀"}), "63\n00111111\n?\n");
    expectConverted(runVantrelConvert({"carácter", "é"}), "233\n11101001\né\n");
    expectRejected(runVantrelConvert({"caracter", "ab"}));
    expectRejected(runVantrelConvert({"caracter", ""}));
    expectRejected(runVantrelConvert({"--crudo", "caracter", "é"})); // two bytes
}

TEST(VantrelConvertTest, MessagesEncodeAndDecodeWithTheirBitMode)
{
    for (const cases::EncodeCase &c : cases::kEncodeCases) {
        for (const Encoding encoding : kEncodings) {
            SCOPED_TRACE("texto-bin «" + std::string(c.message) + "»");
            for (const ProgramRun &run :
                 runOnText({"texto-bin", modeOption(c.mode)}, c.message, encoding)) {
                expectConverted(run, std::string(c.binary) + "\n");
            }
        }
    }
    for (const cases::DecodeCase &c : cases::kDecodeCases) {
        for (const Encoding encoding : kEncodings) {
            SCOPED_TRACE("bin-texto «" + std::string(c.binary) + "»");
            for (const ProgramRun &run :
                 runOnText({"bin-texto", modeOption(c.mode)}, c.binary, encoding)) {
                if (c.valid) {
                    expectConverted(run, encoded(c.message, encoding) + "\n");
                } else {
                    expectRejected(run);
                    EXPECT_NE(run.err.find(kMarkerUtf8), std::string::npos) << run.err;
                }
            }
        }
    }
}

TEST(VantrelConvertTest, BinaryAndHexadecimalConvertBothWays)
{
    const std::pair<std::string, std::span<const cases::DigitsCase>> tables[] = {
        {"bin-hex", cases::kBinaryToHexCases},
        {"hex-bin", cases::kHexToBinaryCases},
    };
    for (const auto &[conversion, table] : tables) {
        for (const cases::DigitsCase &c : table) {
            for (const Encoding encoding : kEncodings) {
                SCOPED_TRACE(conversion + " «" + std::string(c.input) + "»");
                for (const ProgramRun &run : runOnText({conversion}, c.input, encoding)) {
                    if (c.output) {
                        expectConverted(run, std::string(*c.output) + "\n");
                    } else {
                        expectRejected(run);
                    }
                }
            }
        }
    }
}

TEST(VantrelConvertTest, CommandLineFollowsGnuConventions)
{
    struct Case
    {
        std::vector<std::string> arguments;
        std::string input;
        int status;
        std::string outStart;
        std::string errPart;
    };
    const Case cases[] = {
        {{"--help"}, "", 0, "Uso: vantrel-convert [OPCIÓN]... CONVERSIÓN [TEXTO]...\n", ""},
        {{"-h", "decimal", "65"}, "", 0, "Uso: ", ""},
        {{"--version"}, "", 0, "vantrel-convert (Vantrel) " VANTREL_VERSION "\n", ""},
        {{"-V"}, "", 0, "vantrel-convert (Vantrel) ", ""},
        {{"-v"}, "", 0, "vantrel-convert (Vantrel) ", ""}, // as vantrel spells it
        {{"-v", "decimal", "65"}, "", 0, "vantrel-convert (Vantrel) ", ""},
        {{"--nada", "decimal", "65"}, "", 2, "", "opción no reconocida: «--nada»"},
        {{"-x", "decimal", "65"}, "", 2, "", "opción no válida: «-x»"},
        {{"decimal", "-1"}, "", 2, "", "opción no válida: «-1»"},
        {{}, "", 2, "", "falta la conversión"},
        {{"octal", "7"}, "", 2, "", "conversión desconocida: «octal»"},
        {{"--crudo=x", "decimal", "65"}, "", 2, "", "la opción «--crudo» no admite argumentos"},
        {{"--he=x"}, "", 2, "", "la opción «--he» no admite argumentos"},
        {{"--bits=7", "-xr", "texto-bin", "A"}, "", 2, "", "opción no válida: «-x»"},
        {{"--bits=9", "texto-bin", "A"}, "", 2, "", "7 u 8"},
        {{"texto-bin", "--bits"}, "", 2, "", "«--bits» necesita un argumento"},
        {{"--bits=7", "texto-bin", "A"}, "", 0, "1000001\n", ""},
        {{"texto-bin", "--bits", "7", "A"}, "", 0, "1000001\n", ""},
        {{"texto-bin", "-7", "A", "-8"}, "", 0, "01000001\n", ""},
        {{"texto-bin", "A", "B"}, "", 0, "010000010010000001000010\n", ""}, // "A B"
        {{"texto-bin", "-"}, "AB\n", 0, "0100000101000010\n", ""},
        {{"texto-bin"}, "AB\n", 0, "0100000101000010\n", ""},
        {{"bin-hex", "--", "-"}, "101\n", 0, "5\n", ""},
        {{"-r7", "bin-texto", "1101001"}, "", 0, "i\n", ""},
        {{"--saltos-crlf=x", "texto-bin", "A"}, "", 2, "", "«--saltos-crlf» no admite argumentos"},
        // The window's line breaks are for messages only.
        {{"--saltos-crlf", "caracter", "\n"}, "", 0, "10\n00001010\n\n\n", ""},
        {{"--saltos-crlf", "hex-bin", "1\n1"}, "", 0, "100000001\n", ""},
        {{"--saltos-crlf", "bin-hex", "1\n1"}, "", 1, "", "no es un número binario"},
        {{"--saltos-crlf", "-r", "bin-texto", "00001101"}, "", 0, "\r\n", ""},
    };
    for (const Case &c : cases) {
        const std::string commandLine = ::testing::PrintToString(c.arguments);
        SCOPED_TRACE(commandLine);
        const ProgramRun run = runVantrelConvert(c.arguments, c.input);
        EXPECT_EQ(run.status, c.status);
        EXPECT_TRUE(run.out.starts_with(c.outStart)) << run.out;
        EXPECT_NE(run.err.find(c.errPart), std::string::npos) << run.err;
        if (c.status == 2) {
            EXPECT_EQ(run.out, "");
            EXPECT_NE(run.err.find("Pruebe «vantrel-convert --help»"), std::string::npos);
        }
    }
}

TEST(VantrelConvertTest, FailedWriteIsReported)
{
    const std::vector<std::string> commandLines[] = {
        {"--help"}, {"-h"}, {"--version"}, {"-V"}, {"-v"}, {"texto-bin", "A"}, {"bin-hex", "1"},
    };
    for (const std::vector<std::string> &arguments : commandLines) {
        SCOPED_TRACE(::testing::PrintToString(arguments));
        const ProgramRun run = runVantrelConvertWritingTo(arguments, "/dev/full");
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(
            run.err.starts_with("vantrel-convert: no se pudo escribir la salida estándar: "))
            << run.err;
        EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    }
}

TEST(VantrelConvertTest, StandardInputLosesOneFinalLineBreak)
{
    const std::pair<std::string, std::optional<std::string>> cases[] = {
        {"101", "5\n"}, {"101\n", "5\n"}, {"101\r\n", "5\n"}, {"101\n\n", {}}, {"101\r", {}},
        {"\n", "\n"},   {"", "\n"},       {"\r\n", "\n"},     {"1\n01\n", {}},
    };
    for (const auto &[input, out] : cases) {
        for (const InputKind kind : {InputKind::File, InputKind::Pipe}) {
            SCOPED_TRACE(::testing::PrintToString(input));
            const ProgramRun run = runVantrelConvert({"bin-hex"}, input, kind);
            if (out) {
                expectConverted(run, *out);
            } else {
                expectRejected(run);
            }
        }
    }
}

// Texts of characters and every form of line break, drawn at random, in
// UTF-8 (taken byte for byte as codes when the run is raw). A lone "\x85" is
// "…" raw and ill-formed UTF-8, as is the cut "\xE2\x80".
std::string randomTextWithLineBreaks(std::size_t pieces, std::mt19937 &random)
{
    static constexpr std::string_view kCharacters[] = {
        "a", "Z", " ", "é", "€", "\t", "\0"sv, "\x85", "\xF0\x9F\x98\x80", "\xE2\x80"};
    static constexpr std::string_view kLineBreaks[] = {"\r", "\n", "\r\n", "\u2028", "\u2029"};
    std::string text;
    for (std::size_t i = 0; i < pieces; ++i) {
        text += random() % 3 == 0 ? kLineBreaks[random() % std::size(kLineBreaks)]
                                  : kCharacters[random() % std::size(kCharacters)];
    }
    return text;
}

std::string replacedAll(std::string_view text, std::string_view from, std::string_view to)
{
    std::string replaced;
    for (std::size_t at = text.find(from); at != std::string_view::npos; at = text.find(from)) {
        replaced.append(text.substr(0, at)).append(to);
        text.remove_prefix(at + from.size());
    }
    return replaced.append(text);
}

// The codes that texto-bin encodes. With CR LF line breaks, every form of
// line break is first made one LF, then every LF the pair CR LF.
std::string messageCodes(std::string text, Encoding encoding, bool crLfLineBreaks)
{
    if (crLfLineBreaks) {
        text = replacedAll(replacedAll(text, "\r\n", "\n"), "\r", "\n");
        if (encoding == Encoding::Utf8) {
            text = replacedAll(replacedAll(text, "\u2028", "\n"), "\u2029", "\n");
        }
        text = replacedAll(text, "\n", "\r\n");
    }
    return encoding == Encoding::Utf8 ? codepage::codeTextFromUtf8(text) : text;
}

std::vector<std::string> messageArguments(Encoding encoding, bool crLfLineBreaks, BitMode mode)
{
    std::vector<std::string> arguments{"texto-bin", modeOption(mode)};
    if (encoding == Encoding::Raw) {
        arguments.emplace_back("--crudo");
    }
    if (crLfLineBreaks) {
        arguments.emplace_back("--saltos-crlf");
    }
    return arguments;
}

TEST(VantrelConvertTest, LineBreaksStayAsGivenOrBecomeCrLfOnRequest)
{
    std::mt19937 random(2028);
    for (int round = 0; round < 16; ++round) {
        const std::string text = randomTextWithLineBreaks(random() % 24, random);
        const BitMode mode = round % 2 == 0 ? BitMode::Eight : BitMode::Seven;
        for (const Encoding encoding : kEncodings) {
            for (const bool crLf : {false, true}) {
                SCOPED_TRACE(::testing::PrintToString(text) + (crLf ? " --saltos-crlf" : "") +
                             (encoding == Encoding::Raw ? " --crudo" : ""));
                const std::vector<std::string> arguments = messageArguments(encoding, crLf, mode);
                const std::string out = binText(messageCodes(text, encoding, crLf), mode) + "\n";
                // A NUL cannot be an argument; on standard input a final CR
                // would join the final line break.
                if (text.find('\0') == std::string::npos) {
                    std::vector<std::string> withText = arguments;
                    withText.insert(withText.end(), {"--", text});
                    expectConverted(runVantrelConvert(withText), out);
                }
                if (!text.ends_with('\r')) {
                    for (const InputKind kind : {InputKind::File, InputKind::Pipe}) {
                        expectConverted(runVantrelConvert(arguments, text + "\n", kind), out);
                    }
                }
            }
        }
    }
}

TEST(VantrelConvertTest, InputFileShortenedWhileReadIsAReadError)
{
    // Enough text that the program still has most of it to read when the
    // file is cut.
    const std::string message(4'000'100, 'A');
    const std::string hex = "1" + std::string(4'000'099, 'f');
    const std::string binary(16'000'000, '1');
    struct Case
    {
        std::vector<std::string> arguments;
        const std::string *input;
        std::size_t cutSize;
        CutWhen when;
    };
    const Case cases[] = {
        // Mapped pages past the new end are gone: reading them faults.
        {{"texto-bin"}, &message, 1000, CutWhen::OutputStarted},
        {{"hex-bin"}, &hex, 0, CutWhen::OutputStarted},
        // The new end inside the last page: its lost bytes read as zeros.
        {{"texto-bin"}, &message, message.size() - 10, CutWhen::OutputStarted},
        // Longer, not shorter: nothing was lost.
        {{"texto-bin"}, &message, message.size() + 10, CutWhen::OutputStarted},
        // Decoded in several threads at once, and read whole first.
        {{"-r", "bin-texto"}, &binary, 1000, CutWhen::InputMapped},
        {{"bin-hex"}, &binary, 1000, CutWhen::InputMapped},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.arguments) + " cut to " +
                     std::to_string(c.cutSize));
        const ProgramRun whole = runVantrelConvert(c.arguments, *c.input);
        ASSERT_EQ(whole.status, 0);
        const ProgramRun run =
            runVantrelConvertCuttingInput(c.arguments, *c.input, c.cutSize, c.when);
        // A program that read everything before the cut gives the whole
        // result; otherwise it must say what happened, and never crash.
        const bool shortened = c.cutSize < c.input->size();
        if (run.status == 0 && (!shortened || c.when == CutWhen::InputMapped)) {
            EXPECT_TRUE(sameText(run.out, whole.out));
            EXPECT_EQ(run.err, "");
        } else {
            EXPECT_TRUE(shortened);
            EXPECT_EQ(run.status, 1);
            EXPECT_EQ(run.err,
                      "vantrel-convert: no se pudo leer la entrada estándar: el archivo se "
                      "acortó mientras se leía\n");
        }
    }
}

TEST(VantrelConvertTest, FileShortenedWithinItsLastPageIsAReadErrorInEveryMode)
{
    // Held once it has mapped the file, the program goes on after the cut:
    // the bytes past the new end, in the same page, read as zeros, which no
    // conversion may take for the input's own characters.
    const std::string ones = std::string(1'000'000, '1') + "\n";
    struct Case
    {
        std::vector<std::string> arguments;
        std::string input;
        std::size_t cutSize;
    };
    const Case cases[] = {
        {{"caracter"}, "A\n", 1},
        {{"decimal"}, "65\n", 1},
        {{"binario"}, "01000001\n", 4},
        {{"texto-bin"}, "Hola\n", 2},
        {{"hex-bin"}, "FF01\n", 2},
        {{"bin-texto"}, "0100000101000010\n", 8},
        {{"bin-hex"}, "1111111100000001\n", 9},
        {{"-r", "bin-texto"}, ones, ones.size() - 100},
        {{"bin-hex"}, ones, ones.size() - 100},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.arguments) + " cut to " +
                     std::to_string(c.cutSize));
        const ProgramRun run = runVantrelConvertCuttingInput(c.arguments, c.input, c.cutSize,
                                                             CutWhen::HeldAfterMapping);
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.err, "vantrel-convert: no se pudo leer la entrada estándar: el archivo se "
                           "acortó mientras se leía\n");
    }
}

TEST(VantrelConvertTest, LongBinaryMessagesIgnoreStrayEnvironmentVariables)
{
    // The number of decoding parts once came from a leftover tuning variable,
    // and VP=0 divided by zero.
    ::setenv("VP", "0", 1);
    const ProgramRun run = runVantrelConvert({"-r", "bin-texto"}, std::string(5'000'000, '1'));
    ::unsetenv("VP");
    expectConverted(run, std::string(625'000, '\xFF') + "\n");
}

TEST(VantrelConvertTest, ALongPipeWithNowhereToKeepItIsAFailure)
{
    // Past what is kept in memory, a pipe's digits go to a temporary file.
    const ProgramRun run = runVantrelConvert({"bin-hex"}, std::string(9'000'000, '1'),
                                             InputKind::Pipe, {"TMPDIR=/nonexistent-folder"});
    expectRejected(run);
    EXPECT_NE(run.err.find("no se pudo crear un archivo temporal"), std::string::npos) << run.err;
}

// Inputs of several chunks, from a file and from a pipe, against the core.
class LongInputTest : public ::testing::TestWithParam<InputKind>
{
protected:
    static std::string randomDigits(std::size_t length, std::mt19937 &random)
    {
        std::string digits(length, '0');
        for (char &digit : digits) {
            digit = static_cast<char>('0' + random() % 2);
        }
        return digits;
    }

    std::mt19937 m_random{17};
};

TEST_P(LongInputTest, MessagesEncodeAcrossCutCharacters)
{
    // Three-, two- and one-byte characters: chunk ends fall inside them.
    std::string utf8;
    while (utf8.size() < 2'500'000) {
        utf8 += "€é a\xF0\x9F\x98\x80\xC3";
    }
    const std::string codes = codepage::codeTextFromUtf8(utf8);
    for (const BitMode mode : {BitMode::Seven, BitMode::Eight}) {
        const ProgramRun run = runVantrelConvert({"texto-bin", modeOption(mode)}, utf8, GetParam());
        expectConverted(run, binText(codes, mode) + "\n");
    }
}

TEST_P(LongInputTest, CrLfLineBreaksJoinAcrossChunks)
{
    // A CR LF and a U+2028 where the program cuts a mapped file into pieces.
    constexpr std::size_t kPieceSize = std::size_t{1} << 20;
    std::string text = randomTextWithLineBreaks(1'500'000, m_random);
    text.replace(kPieceSize - 1, 2, "\r\n");
    text.replace(2 * kPieceSize - 1, 3, "\xE2\x80\xA8");
    for (const Encoding encoding : kEncodings) {
        const ProgramRun run = runVantrelConvert(messageArguments(encoding, true, BitMode::Eight),
                                                 text + "\n", GetParam());
        expectConverted(run, binText(messageCodes(text, encoding, true), BitMode::Eight) + "\n");
    }
}

TEST_P(LongInputTest, BinaryMessagesDecodeWholeOrNotAtAll)
{
    // Long enough to be decoded in several parts at once.
    std::string binary = randomDigits(9'000'001, m_random);
    for (const BitMode mode : {BitMode::Seven, BitMode::Eight}) {
        const ProgramRun run =
            runVantrelConvert({"--crudo", "bin-texto", modeOption(mode)}, binary, GetParam());
        expectConverted(run, hexaText(binary, mode).message + "\n");
    }
    // Zero groups here and there, the last in the second window: the message
    // ends at the first.
    std::string ones(9'000'000, '1');
    for (const std::size_t zeroGroup :
         {std::size_t{8}, std::size_t{7'999'992}, std::size_t{8'999'992}}) {
        std::string withZeros = ones;
        withZeros.replace(zeroGroup, 8, "00000000");
        const ProgramRun run = runVantrelConvert({"-r", "bin-texto"}, withZeros, GetParam());
        expectConverted(run, std::string(zeroGroup / 8, '\xFF') + "\n");
    }
    binary.back() = '2';
    expectRejected(runVantrelConvert({"bin-texto"}, binary, GetParam()));
}

TEST_P(LongInputTest, HexadecimalAndBinaryConvertAcrossChunks)
{
    const std::string binary = "000" + randomDigits(3'000'001, m_random);
    expectConverted(runVantrelConvert({"bin-hex"}, binary, GetParam()),
                    *binaryToHex(binary) + "\n");

    // Leading zeros and non-digits over more than a chunk, then digits whose
    // zeros are no longer leading where a chunk starts.
    std::string hex = std::string(1'500'000, '0') + std::string(10, 'G') + "1";
    while (hex.size() < 3'500'000) {
        hex += "0G0é0fA";
    }
    const std::string codes = codepage::codeTextFromUtf8(hex);
    expectConverted(runVantrelConvert({"hex-bin"}, hex, GetParam()), *hexToBinary(codes) + "\n");
    expectConverted(runVantrelConvert({"hex-bin"}, std::string(2'500'000, '0'), GetParam()), "0\n");
    expectConverted(runVantrelConvert({"hex-bin"}, std::string(2'500'000, 'x') + "0", GetParam()),
                    "0\n");
    expectRejected(runVantrelConvert({"hex-bin"}, std::string(2'500'000, 'x'), GetParam()));
}

TEST_P(LongInputTest, LongBinaryConvertsToHexadecimalInParts)
{
    // Long enough to be converted in several windows and parts: leading
    // zeros that run on past the first part and past the first window, zeros
    // that lead a later part only, all zeros, and a bad digit in the last
    // part.
    for (const std::string &binary :
         {std::string(5'000'001, '0') + randomDigits(4'000'002, m_random),
          std::string(8'500'001, '0') + randomDigits(1'000'002, m_random),
          "1" + std::string(4'600'000, '0') + randomDigits(4'500'000, m_random),
          std::string(9'000'003, '0')}) {
        expectConverted(runVantrelConvert({"bin-hex"}, binary, GetParam()),
                        *binaryToHex(binary) + "\n");
    }
    std::string bad = "1" + randomDigits(9'000'000, m_random);
    bad[8'999'000] = '2';
    expectRejected(runVantrelConvert({"bin-hex"}, bad, GetParam()));
}

TEST_P(LongInputTest, LongValueTextsAreCountedNotKept)
{
    // By the rules a number, but longer than a value text may be.
    const std::string text = std::string(3'000'000, '0') + "65";
    const std::pair<std::string, std::string> cases[] = {
        {"caracter", "se esperaba un solo carácter y hay 3000002\n"},
        {"binario", "no tiene ocho dígitos binarios sino 3000002 caracteres\n"},
        {"decimal", "es demasiado largo para un código decimal: tiene más de 1048576 caracteres\n"},
    };
    for (const auto &[conversion, errEnd] : cases) {
        SCOPED_TRACE(conversion);
        const ProgramRun run = runVantrelConvert({conversion}, text, GetParam());
        expectRejected(run);
        EXPECT_TRUE(run.err.ends_with(errEnd)) << run.err;
    }
}

INSTANTIATE_TEST_SUITE_P(FromFileAndPipe, LongInputTest,
                         ::testing::Values(InputKind::File, InputKind::Pipe),
                         [](const ::testing::TestParamInfo<InputKind> &param) {
                             return param.param == InputKind::File ? "File"s : "Pipe"s;
                         });

} // namespace
} // namespace vantrel::testing
