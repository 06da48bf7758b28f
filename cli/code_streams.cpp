// SPDX-License-Identifier: GPL-3.0-or-later
#include "code_streams.h"

#include "codepage.h"

#include <cerrno>
#include <cstring>
#include <sys/mman.h>
#include <sys/stat.h>
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

} // namespace

CodeReader::CodeReader(std::optional<std::string> argumentText, Encoding encoding)
    : m_argumentText(std::move(argumentText)), m_encoding(encoding)
{}

CodeReader::~CodeReader()
{
    if (m_mapping != nullptr) {
        munmap(m_mapping, m_mappingSize);
    }
}

std::string CodeReader::readAll()
{
    return codesOf(readAllBytes());
}

std::string_view CodeReader::readAllBytes()
{
    m_finished = true;
    if (m_argumentText) {
        return *m_argumentText;
    }
    std::string_view bytes = mapRegularFile();
    if (bytes.data() == nullptr) {
        bytes = readToEnd();
    }
    return withoutFinalLineBreak(bytes);
}

// The rest of standard input when it is a regular file, or a null view.
std::string_view CodeReader::mapRegularFile()
{
    struct stat status
    {
    };
    if (fstat(STDIN_FILENO, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size == 0) {
        return {};
    }
    const off_t offset = lseek(STDIN_FILENO, 0, SEEK_CUR);
    if (offset < 0 || offset > status.st_size) {
        return {};
    }
    const auto size = static_cast<std::size_t>(status.st_size);
    void *mapping = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, STDIN_FILENO, 0);
    if (mapping == MAP_FAILED) {
        return {};
    }
    m_mapping = mapping;
    m_mappingSize = size;
    const std::string_view file(static_cast<const char *>(mapping), size);
    return file.substr(static_cast<std::size_t>(offset));
}

std::string_view CodeReader::readToEnd()
{
    for (;;) {
        if (m_bytes.capacity() - m_bytes.size() < kChunkSize) {
            m_bytes.reserve(2 * m_bytes.capacity() + kChunkSize);
        }
        const std::size_t had = m_bytes.size();
        const std::size_t room = m_bytes.capacity() - had;
        m_bytes.resize(m_bytes.capacity());
        const std::size_t got = readStandardInput(m_bytes.data() + had, room);
        m_bytes.resize(had + got);
        if (got < room) {
            return m_bytes;
        }
    }
}

std::optional<std::string_view> CodeReader::readPiece()
{
    if (m_finished) {
        return std::nullopt;
    }
    if (m_argumentText) {
        m_finished = true;
        return codesView(*m_argumentText);
    }
    if (!m_started) {
        m_started = true;
        m_mappedRest = withoutFinalLineBreak(mapRegularFile());
    }
    return codesView(m_mapping != nullptr ? nextMappedPiece() : nextReadPiece());
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

std::string_view CodeReader::codesView(std::string_view bytes)
{
    if (m_encoding == Encoding::Raw || codepage::isAscii(bytes)) {
        return bytes;
    }
    m_codes = codepage::codeTextFromUtf8(bytes);
    return m_codes;
}

std::string CodeReader::codesOf(std::string_view bytes) const
{
    return m_encoding == Encoding::Utf8 ? codepage::codeTextFromUtf8(bytes) : std::string(bytes);
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
