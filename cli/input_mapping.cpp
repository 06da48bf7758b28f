// SPDX-License-Identifier: GPL-3.0-or-later
#include "input_mapping.h"

#include "command_line.h"

#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vantrel::cli {
namespace {

// The mapped bytes, for the bus-error handler: a signal handler reaches
// nothing but globals. One mapping lives at a time, set before the handler
// is installed and cleared after it is removed.
std::atomic<std::uintptr_t> mappedBegin{0};
std::atomic<std::uintptr_t> mappedEnd{0};
std::atomic<std::size_t> mappedFileSize{0};
// Several threads may fault at once; the first one reports and ends the
// process.
std::atomic_flag reporting;
static_assert(std::atomic<std::uintptr_t>::is_always_lock_free);
static_assert(std::atomic<std::size_t>::is_always_lock_free);

// Only async-signal-safe calls from here to the end of the handler.
void writeToStandardError(std::string_view text)
{
    while (!text.empty()) {
        const ssize_t count = write(STDERR_FILENO, text.data(), text.size());
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            return;
        }
        text.remove_prefix(static_cast<std::size_t>(count));
    }
}

bool standardInputShorterThan(std::size_t size)
{
    struct stat status
    {
    };
    return fstat(STDIN_FILENO, &status) == 0 && static_cast<std::size_t>(status.st_size) < size;
}

void onBusError(int, siginfo_t *info, void *)
{
    const auto address = reinterpret_cast<std::uintptr_t>(info->si_addr);
    if (info->si_code == BUS_ADRERR && address >= mappedBegin.load() &&
        address < mappedEnd.load()) {
        if (reporting.test_and_set()) {
            for (;;) {
                pause();
            }
        }
        // Not shortened: the disk could not give the page back.
        const std::string_view why = standardInputShorterThan(mappedFileSize.load())
                                         ? kInputShortened
                                         : "no se pudo leer la entrada estándar: error de "
                                           "entrada/salida";
        writeToStandardError(kProgramName);
        writeToStandardError(": ");
        writeToStandardError(why);
        writeToStandardError("\n");
        _exit(1);
    }
    // Any other bus error is not the input's: back to the default action. A
    // fault comes again as the handler returns; a signal that a process sent
    // is raised again.
    signal(SIGBUS, SIG_DFL);
    if (info->si_code <= 0) {
        raise(SIGBUS);
    }
}

// A test holds the program here, its input mapped, to shorten the file at a
// known moment: VANTREL_CONVERT_HOLD_FD names a descriptor to which the
// program writes one byte, then waits for one back.
void holdWhereATestAsks()
{
    const char *descriptor = std::getenv("VANTREL_CONVERT_HOLD_FD");
    if (descriptor == nullptr) {
        return;
    }
    const int hold = std::atoi(descriptor);
    char byte = 0;
    if (write(hold, &byte, 1) == 1) {
        (void)!read(hold, &byte, 1);
    }
}

} // namespace

std::unique_ptr<InputMapping> InputMapping::ofStandardInput()
{
    struct stat status
    {
    };
    if (fstat(STDIN_FILENO, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size == 0) {
        return nullptr;
    }
    const off_t offset = lseek(STDIN_FILENO, 0, SEEK_CUR);
    if (offset < 0 || offset > status.st_size) {
        return nullptr;
    }
    const auto size = static_cast<std::size_t>(status.st_size);
    void *mapping = mmap(nullptr, size, PROT_READ, MAP_PRIVATE, STDIN_FILENO, 0);
    if (mapping == MAP_FAILED) {
        return nullptr;
    }
    auto inputMapping = std::unique_ptr<InputMapping>(
        new InputMapping(mapping, size, static_cast<std::size_t>(offset)));
    holdWhereATestAsks();
    return inputMapping;
}

InputMapping::InputMapping(void *mapping, std::size_t fileSize, std::size_t offset)
    : m_mapping(mapping), m_fileSize(fileSize),
      m_bytes(std::string_view(static_cast<const char *>(mapping), fileSize).substr(offset))
{
    const auto begin = reinterpret_cast<std::uintptr_t>(mapping);
    mappedBegin = begin;
    mappedEnd = begin + fileSize;
    mappedFileSize = fileSize;
    struct sigaction action
    {
    };
    action.sa_sigaction = onBusError;
    action.sa_flags = SA_SIGINFO;
    sigemptyset(&action.sa_mask);
    sigaction(SIGBUS, &action, &m_previousAction);
}

InputMapping::~InputMapping()
{
    sigaction(SIGBUS, &m_previousAction, nullptr);
    mappedBegin = 0;
    mappedEnd = 0;
    munmap(m_mapping, m_fileSize);
}

bool InputMapping::shortened() const
{
    return standardInputShorterThan(m_fileSize);
}

} // namespace vantrel::cli
