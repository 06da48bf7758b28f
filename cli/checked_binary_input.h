// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "input_spool.h"
#include "parallel_decoding.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vantrel::cli {

class CodeReader;

// The binary digits of the whole input, checked as they are read and kept for
// a second reading, window by window. Binary numbers and messages are cut
// into groups counted from their end, which a pipe tells only when it ends,
// and one bad character anywhere rejects the whole input before anything is
// written: so the input is read to its end first. A file or an argument is
// read again where it lies; a pipe is kept in a spool.
class CheckedBinaryInput
{
public:
    // The digits a window holds at most.
    static constexpr std::size_t kWindowSize = std::size_t{8} << 20;

    // Reads the input to its end; throws Failure, its message `rejection`
    // followed by where the first character other than "0" and "1" stands.
    CheckedBinaryInput(CodeReader &input, std::string rejection);

    // Converts the digits window by window, each window's parts on every
    // core at once (convert(part)), and hands each part and its result to
    // take(part, result) in order, until take returns false. The windows are
    // cut on groups of `width` counted from the end, and so are the parts;
    // the first part also holds the partial group at the start.
    template <typename Convert, typename Take>
    void convertInParts(std::size_t width, Convert convert, Take take)
    {
        const std::size_t longest = std::max(kWindowSize / width, std::size_t{1}) * width;
        std::size_t length = m_size % width + std::min(m_size - m_size % width, longest);
        for (std::size_t from = 0; from < m_size; from += length, length = longest) {
            const std::vector<std::string_view> parts = partsForCores(window(from, length), width);
            const auto converted = convertInParallel(parts, convert);
            for (std::size_t i = 0; i < parts.size(); ++i) {
                if (!take(parts[i], converted[i])) {
                    return;
                }
            }
        }
    }

    // Throws the rejection for the window being converted when a part of it
    // fails: the input changed after it was checked.
    [[noreturn]] void rejectWindow() const;

private:
    [[nodiscard]] std::string_view window(std::size_t from, std::size_t length);

    const CodeReader &m_input;
    std::string m_rejection;
    std::optional<std::string_view> m_inPlace;
    InputSpool m_spool;
    std::size_t m_size = 0;
    std::string_view m_window; // the last one read
    std::size_t m_windowStart = 0;
};

// Where the first character of `codes` other than "0" and "1" stands, counting
// `codesBefore` before them, and its code; for a message.
[[nodiscard]] std::string firstNonBinaryCharacter(std::string_view codes,
                                                  std::size_t codesBefore = 0);

} // namespace vantrel::cli
