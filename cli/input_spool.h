// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vantrel::cli {

// Bytes of a pipe kept for a second reading, in memory while they are few,
// then in an unnamed temporary file in $TMPDIR (or /tmp): memory stays
// bounded whatever comes down the pipe.
class InputSpool
{
public:
    // Spills to a file once more than this is held.
    static constexpr std::size_t kHeldInMemory = std::size_t{8} << 20;

    InputSpool() = default;
    ~InputSpool();
    InputSpool(const InputSpool &) = delete;
    InputSpool &operator=(const InputSpool &) = delete;

    // Throws Failure when the temporary file cannot be made or written.
    void append(std::string_view bytes);
    [[nodiscard]] std::size_t size() const { return m_size; }
    // Bytes [from, from + length) of what was appended; valid until the next
    // call.
    [[nodiscard]] std::string_view read(std::size_t from, std::size_t length);

private:
    void spillToFile();
    void writeToFile(std::string_view bytes) const;

    std::string m_held; // before the spill
    int m_file = -1;    // after it
    std::string m_read; // the last bytes read back from the file
    std::size_t m_size = 0;
};

} // namespace vantrel::cli
