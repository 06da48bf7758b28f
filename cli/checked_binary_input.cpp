// SPDX-License-Identifier: GPL-3.0-or-later
#include "checked_binary_input.h"

#include "binary_digit_count.h"
#include "code_streams.h"

namespace vantrel::cli {

CheckedBinaryInput::CheckedBinaryInput(CodeReader &input, std::string rejection)
    : m_input(input), m_rejection(std::move(rejection))
{
    while (const std::optional<std::string_view> piece = input.readPiece()) {
        if (nonBinaryDigitCount(*piece) != 0) {
            throw Failure(m_rejection + firstNonBinaryCharacter(*piece, m_size));
        }
        // Known from the first piece on.
        m_inPlace = input.textInPlace();
        if (!m_inPlace) {
            m_spool.append(*piece);
        }
        m_size += piece->size();
    }
}

std::string_view CheckedBinaryInput::window(std::size_t from, std::size_t length)
{
    length = std::min(length, m_size - from);
    m_windowStart = from;
    m_window = m_inPlace ? m_inPlace->substr(from, length) : m_spool.read(from, length);
    return m_window;
}

void CheckedBinaryInput::rejectWindow() const
{
    // What comes before the window was checked: digits, one byte each.
    throw Failure(m_rejection + firstNonBinaryCharacter(m_input.codesOf(m_window), m_windowStart));
}

std::string firstNonBinaryCharacter(std::string_view codes, std::size_t codesBefore)
{
    const auto bad =
        std::find_if(codes.begin(), codes.end(), [](char c) { return c != '0' && c != '1'; });
    return "el carácter n.º " + std::to_string(codesBefore + (bad - codes.begin()) + 1) +
           " (código " + std::to_string(static_cast<unsigned char>(*bad)) + ") no es ni 0 ni 1";
}

} // namespace vantrel::cli
