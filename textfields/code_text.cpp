// SPDX-License-Identifier: GPL-3.0-or-later
#include "code_text.h"

#include "codepage.h"

namespace vantrel {

std::string toCodeText(const QString &text)
{
    return codepage::codeTextFromUtf16(std::u16string_view(
        reinterpret_cast<const char16_t *>(text.utf16()), static_cast<std::size_t>(text.size())));
}

QString fromCodeText(std::string_view codeText)
{
    const std::u16string utf16 = codepage::utf16FromCodeText(codeText);
    return QString::fromUtf16(utf16.data(), static_cast<qsizetype>(utf16.size()));
}

} // namespace vantrel
