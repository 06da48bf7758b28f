// SPDX-License-Identifier: GPL-3.0-or-later
#include "code_streams.h"

#include "codepage.h"
#include "input_mapping.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace vantrel::cli {
namespace {

std::string_view withoutFinalLineBreak(std::string_view bytes)
{
    if (bytes.ends_with('\n')) {
        bytes.remove_suffix(bytes.ends_with("\r\n") ? 2 : 1);
    }
    return bytes;
}

// The line-break bytes at the end of a piece: until more input comes, they
// may be the final line break.
std::size_t trailingLineBreakLength(std::string_view bytes)
{
    if (bytes.ends_with("\r\n")) {
        return 2;
    }
    return bytes.ends_with('\n') || bytes.ends_with('\r') ? 1 : 0;
}

[[noreturn]] void failIo(const char *what)
{
    throw Failure(std::string(what) + ": " + std::strerror(errno));
}

// U+2028 and U+2029 in UTF-8. Their first byte never continues another
// character, so wherever these three bytes stand they are that character.
constexpr std::string_view kLineSeparator = "\xE2\x80\xA8";
constexpr std::string_view kParagraphSeparator = "\xE2\x80\xA9";

} // namespace

CodeReader::CodeReader(std::optional<std::string> argumentText, Encoding encoding)
    : m_argumentText(std::move(argumentText)), m_encoding(encoding)
{}

CodeReader::~CodeReader() = default;

// The rest of standard input when it is a regular file, or a null view.
std::string_view CodeReader::mapRegularFile()
{
    m_mapping = InputMapping::ofStandardInput();
    return m_mapping ? m_mapping->bytes() : std::string_view();
}

std::optional<std::string_view> CodeReader::readPiece(LineBreaks lineBreaks)
{
    if (m_finished) {
        return std::nullopt;
    }
    if (m_argumentText) {
        m_finished = true;
        return codesView(*m_argumentText, lineBreaks);
    }
    if (!m_started) {
        m_started = true;
        m_mappedText = withoutFinalLineBreak(mapRegularFile());
        m_mappedRest = m_mappedText;
    }
    return codesView(m_mapping ? nextMappedPiece() : nextReadPiece(), lineBreaks);
}

std::string_view CodeReader::nextMappedPiece()
{
    std::size_t length = m_mappedRest.size();
    if (length > kChunkSize) {
        length = kChunkSize;
        if (m_encoding == Encoding::Utf8) {
            length -= codepage::utf8CutSequenceLength(m_mappedRest.substr(0, length));
        }
    } else {
        m_finished = true;
    }
    const std::string_view piece = m_mappedRest.substr(0, length);
    m_mappedRest.remove_prefix(length);
    return piece;
}

std::string_view CodeReader::nextReadPiece()
{
    m_bytes.erase(0, m_handedOut);
    const std::size_t carried = m_bytes.size();
    m_bytes.resize(carried + kChunkSize);
    const std::size_t got = readStandardInput(m_bytes.data() + carried, kChunkSize);
    m_bytes.resize(carried + got);
    m_finished = got < kChunkSize;
    const std::string_view bytes = m_bytes;
    if (m_finished) {
        return withoutFinalLineBreak(bytes);
    }
    m_handedOut = bytes.size() - heldBackLength(bytes);
    return bytes.substr(0, m_handedOut);
}

// Fills the room unless the input ends first: pipes hand out little at a time.
std::size_t CodeReader::readStandardInput(char *into, std::size_t size)
{
    std::size_t got = 0;
    while (got < size) {
        const ssize_t count = read(STDIN_FILENO, into + got, size - got);
        if (count == 0) {
            break;
        }
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            failIo("no se pudo leer la entrada estándar");
        }
        got += static_cast<std::size_t>(count);
    }
    return got;
}

std::size_t CodeReader::heldBackLength(std::string_view bytes) const
{
    if (m_encoding == Encoding::Utf8) {
        if (const std::size_t cut = codepage::utf8CutSequenceLength(bytes); cut != 0) {
            return cut;
        }
    }
    return trailingLineBreakLength(bytes);
}

std::string_view CodeReader::codesView(std::string_view bytes, LineBreaks lineBreaks)
{
    if (lineBreaks == LineBreaks::CrLf) {
        bytes = withCrLfLineBreaks(bytes);
    }
    if (m_encoding == Encoding::Raw || codepage::isAscii(bytes)) {
        return bytes;
    }
    m_codes = codepage::codeTextFromUtf8(bytes);
    return m_codes;
}

// Done on the bytes, before decoding, which would take U+2028 and U+2029
// for characters outside the set. A CR that ends one piece and an LF that
// starts the next are one line break.
std::string_view CodeReader::withCrLfLineBreaks(std::string_view bytes)
{
    m_crLfBytes.clear();
    m_crLfBytes.reserve(2 * bytes.size());
    const bool utf8 = m_encoding == Encoding::Utf8;
    for (std::size_t at = 0; at < bytes.size(); ++at) {
        const char byte = bytes[at];
        if (byte == '\n' && m_afterCr) {
            m_afterCr = false;
            continue;
        }
        m_afterCr = byte == '\r';
        if (byte == '\r' || byte == '\n') {
            m_crLfBytes += "\r\n";
        } else if (utf8 && byte == kLineSeparator.front() &&
                   (bytes.substr(at, 3) == kLineSeparator ||
                    bytes.substr(at, 3) == kParagraphSeparator)) {
            m_crLfBytes += "\r\n";
            at += 2;
        } else {
            m_crLfBytes += byte;
        }
    }
    return m_crLfBytes;
}

std::string CodeReader::codesOf(std::string_view bytes) const
{
    return m_encoding == Encoding::Utf8 ? codepage::codeTextFromUtf8(bytes) : std::string(bytes);
}

std::optional<std::string_view> CodeReader::textInPlace() const
{
    if (m_argumentText) {
        return *m_argumentText;
    }
    if (m_mapping) {
        return m_mappedText;
    }
    return std::nullopt;
}

bool CodeReader::inputShortened() const
{
    return m_mapping && m_mapping->shortened();
}

void CodeReader::checkInputKept() const
{
    if (inputShortened()) {
        throw Failure(std::string(kInputShortened));
    }
}

CodeWriter::CodeWriter(Encoding encoding) : m_encoding(encoding)
{
    m_buffer.reserve(kChunkSize);
}

void CodeWriter::writeCodes(std::string_view codes)
{
    if (m_encoding == Encoding::Raw) {
        writeAscii(codes);
        return;
    }
    for (std::size_t at = 0; at < codes.size(); at += kDirectWriteSize) {
        const std::string_view slice = codes.substr(at, kDirectWriteSize);
        if (codepage::isAscii(slice)) {
            writeAscii(slice);
        } else {
            writeAscii(codepage::utf8FromCodeText(slice));
        }
    }
}

void CodeWriter::writeAscii(std::string_view text)
{
    if (m_buffer.size() + text.size() > kChunkSize) {
        flush();
    }
    if (text.size() >= kDirectWriteSize) {
        flush();
        writeOut(text);
    } else {
        m_buffer += text;
    }
}

void CodeWriter::flush()
{
    writeOut(m_buffer);
    m_buffer.clear();
}

void CodeWriter::writeOut(std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t count = write(STDOUT_FILENO, bytes.data(), bytes.size());
        if (count < 0) {
            if (errno == EINTR) {
                continue;
            }
            failIo("no se pudo escribir la salida estándar");
        }
        bytes.remove_prefix(static_cast<std::size_t>(count));
    }
}

std::string shownInMessage(std::string_view codes)
{
    constexpr std::size_t kLongest = 40;
    if (codes.size() <= kLongest) {
        return codepage::utf8FromCodeText(codes);
    }
    return codepage::utf8FromCodeText(codes.substr(0, kLongest)) + "…";
}

} // namespace vantrel::cli
