// SPDX-License-Identifier: GPL-3.0-or-later
#include "input_spool.h"

#include "code_streams.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace vantrel::cli {
namespace {

[[noreturn]] void failTemporaryFile(const char *what)
{
    throw Failure(std::string("no se pudo ") + what +
                  " un archivo temporal: " + std::strerror(errno));
}

std::string temporaryFolder()
{
    const char *folder = std::getenv("TMPDIR");
    return folder != nullptr && *folder != '\0' ? folder : "/tmp";
}

// A file with no name, gone when it is closed; where the file system cannot
// make one, a named file removed at once.
int openUnnamedFile()
{
    const std::string folder = temporaryFolder();
    const int file = open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (file >= 0) {
        return file;
    }
    std::string path = folder + "/vantrel-convert-XXXXXX";
    const int named = mkostemp(path.data(), O_CLOEXEC);
    if (named >= 0) {
        unlink(path.c_str());
    }
    return named;
}

} // namespace

InputSpool::~InputSpool()
{
    if (m_file >= 0) {
        close(m_file);
    }
}

void InputSpool::append(std::string_view bytes)
{
    m_size += bytes.size();
    if (m_file >= 0) {
        writeToFile(bytes);
        return;
    }
    m_held += bytes;
    if (m_held.size() > kHeldInMemory) {
        spillToFile();
    }
}

void InputSpool::spillToFile()
{
    m_file = openUnnamedFile();
    if (m_file < 0) {
        failTemporaryFile("crear");
    }
    writeToFile(m_held);
    std::string().swap(m_held);
}

void InputSpool::writeToFile(std::string_view bytes) const
{
    while (!bytes.empty()) {
        const ssize_t count = write(m_file, bytes.data(), bytes.size());
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            failTemporaryFile("escribir");
        }
        bytes.remove_prefix(static_cast<std::size_t>(count));
    }
}

std::string_view InputSpool::read(std::size_t from, std::size_t length)
{
    if (m_file < 0) {
        return std::string_view(m_held).substr(from, length);
    }
    m_read.resize(length);
    std::size_t got = 0;
    while (got < length) {
        const ssize_t count =
            pread(m_file, m_read.data() + got, length - got, static_cast<off_t>(from + got));
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            failTemporaryFile("leer");
        }
        got += static_cast<std::size_t>(count);
    }
    return m_read;
}

} // namespace vantrel::cli
