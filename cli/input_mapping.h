// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <csignal>
#include <cstddef>
#include <memory>
#include <string_view>

namespace vantrel::cli {

// The read error of standard input shortened while it was being read.
inline constexpr std::string_view kInputShortened =
    "no se pudo leer la entrada estándar: el archivo se acortó mientras se leía";

// Standard input mapped into memory, when it is a regular file. Another
// program may shorten the file meanwhile, as log rotation does, and then a
// read of a mapped page past the new end raises SIGBUS. While the mapping
// lives, that fault ends the process with the program's own read error on
// standard error and status 1, whichever thread touched the page.
class InputMapping
{
public:
    // The file from the current offset of standard input on; none when
    // standard input is not a non-empty regular file or cannot be mapped.
    [[nodiscard]] static std::unique_ptr<InputMapping> ofStandardInput();
    ~InputMapping();
    InputMapping(const InputMapping &) = delete;
    InputMapping &operator=(const InputMapping &) = delete;

    [[nodiscard]] std::string_view bytes() const { return m_bytes; }
    // Whether the file is now shorter than when it was mapped. The bytes
    // past the new end that share its last page read as zeros, without a
    // fault, so only this tells that they were lost.
    [[nodiscard]] bool shortened() const;

private:
    InputMapping(void *mapping, std::size_t fileSize, std::size_t offset);

    void *m_mapping;
    std::size_t m_fileSize;
    std::string_view m_bytes;
    struct sigaction m_previousAction
    {
    };
};

} // namespace vantrel::cli
