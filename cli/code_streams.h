// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "command_line.h"

#include <cstddef>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

// The program's edges: code texts in from the arguments or standard input,
// and out to standard output, in UTF-8 or one byte per code.
namespace vantrel::cli {

// Input the conversion rejects, or a read or write that failed. The message
// is for standard error, in UTF-8.
class Failure : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

class InputMapping;

inline constexpr std::size_t kChunkSize = std::size_t{1} << 20;
// Output this long skips the buffer. Conversions hand it over in slices that
// still sit in the processor's cache.
inline constexpr std::size_t kDirectWriteSize = std::size_t{64} << 10;

// Reads the input text as codes, piece by piece, in memory bounded whatever
// its length. From standard input a final line break (LF or CR LF) is not
// part of the text. A regular file is mapped rather than copied, and text
// that needs no decoding (raw, or ASCII) is handed out as it lies. Other line
// breaks stay as they are given unless a piece is asked for with
// LineBreaks::CrLf.
class CodeReader
{
public:
    CodeReader(std::optional<std::string> argumentText, Encoding encoding);
    ~CodeReader();
    CodeReader(const CodeReader &) = delete;
    CodeReader &operator=(const CodeReader &) = delete;

    // The next piece of codes, about a chunk long and never ending inside a
    // UTF-8 character; none once the text is over. Valid until the next call.
    // Ask for every piece of a text with the same line breaks.
    [[nodiscard]] std::optional<std::string_view>
    readPiece(LineBreaks lineBreaks = LineBreaks::AsGiven);

    // The whole text as bytes, not decoded, when it lies in memory as given,
    // to be read again while the reader lives: an argument, or a regular file
    // mapped. None for a pipe. Known once the first piece is read.
    [[nodiscard]] std::optional<std::string_view> textInPlace() const;

    [[nodiscard]] std::string codesOf(std::string_view bytes) const;

    // Whether standard input was a file that another program shortened while
    // it was read: what was read of it is not the text. The bytes past the
    // new end may have read as zeros, so this, not a character they made
    // seem wrong, is then the input's failure.
    [[nodiscard]] bool inputShortened() const;
    // Throws Failure when it was.
    void checkInputKept() const;

private:
    [[nodiscard]] std::string_view mapRegularFile();
    [[nodiscard]] std::string_view nextMappedPiece();
    [[nodiscard]] std::string_view nextReadPiece();
    [[nodiscard]] std::size_t readStandardInput(char *into, std::size_t size);
    [[nodiscard]] std::size_t heldBackLength(std::string_view bytes) const;
    [[nodiscard]] std::string_view codesView(std::string_view bytes, LineBreaks lineBreaks);
    [[nodiscard]] std::string_view withCrLfLineBreaks(std::string_view bytes);

    std::optional<std::string> m_argumentText;
    Encoding m_encoding;
    bool m_started = false;
    bool m_finished = false;
    std::unique_ptr<InputMapping> m_mapping;
    std::string_view m_mappedText; // of a mapped file, without its final line break
    std::string_view m_mappedRest; // of that text, not yet handed out
    std::string m_bytes;           // read from a pipe or terminal
    std::size_t m_handedOut = 0;   // bytes at the start of m_bytes already handed out
    std::string m_codes;           // the last piece, decoded
    std::string m_crLfBytes;       // the last piece, line breaks as CR LF
    bool m_afterCr = false;        // the last piece ended with CR
};

// Writes to standard output through a buffer of one chunk.
class CodeWriter
{
public:
    explicit CodeWriter(Encoding encoding);

    void writeCodes(std::string_view codes);
    // For digits and other ASCII text, the same in either encoding.
    void writeAscii(std::string_view text);
    void flush();

private:
    void writeOut(std::string_view bytes);

    Encoding m_encoding;
    std::string m_buffer;
};

// A code text as UTF-8 for a message, cut short when it is long.
[[nodiscard]] std::string shownInMessage(std::string_view codes);

} // namespace vantrel::cli
