// SPDX-License-Identifier: GPL-3.0-or-later
#include "field_codes.h"

#include "code_rules.h"
#include "code_text.h"
#include "codepage.h"

#include <array>

namespace vantrel::fieldcodes {
namespace {

constexpr char16_t kFirstControlPicture = 0x2400;
constexpr char16_t kDelete = 0x7F;
constexpr char16_t kDeletePicture = 0x2421;

struct C1Picture
{
    char16_t control;
    char16_t picture;
};
constexpr char16_t kFirstC1 = 0x80;
constexpr char16_t kLastC1 = 0x9F;
constexpr char16_t kCircledSmallA = 0x24D0; // ⓐ
constexpr char16_t kCircledSmallZ = 0x24E9;
constexpr std::array<C1Picture, 5> kC1Pictures{{
    {0x81, kCircledSmallA + ('h' - 'a')}, // HIGH OCTET PRESET
    {0x8D, kCircledSmallA + ('r' - 'a')}, // REVERSE LINE FEED, RI
    {0x8F, kCircledSmallA + ('s' - 'a')}, // SINGLE SHIFT THREE
    {0x90, kCircledSmallA + ('d' - 'a')}, // DEVICE CONTROL STRING
    {0x9D, kCircledSmallA + ('o' - 'a')}, // OPERATING SYSTEM COMMAND
}};

// Walks text[from, to), giving each character's codes to `put`.
template <typename Put> qsizetype convert(QStringView text, qsizetype from, qsizetype to, Put put)
{
    const std::u16string_view units(reinterpret_cast<const char16_t *>(text.utf16()),
                                    static_cast<std::size_t>(text.size()));
    qsizetype i = from;
    while (i < to) {
        const char16_t unit = units[std::size_t(i)];
        if (unit < 0x80 && unit != u'\r' && unit != u'\n') {
            put(static_cast<char>(unit));
            ++i;
        } else if (isTypedLineBreak(unit)) {
            const bool crLf = unit == u'\r' && std::size_t(i) + 1 < units.size() &&
                              units[std::size_t(i) + 1] == u'\n';
            put(coderules::kCr);
            put(coderules::kLf);
            i += crLf ? 2 : 1;
        } else {
            const codepage::Utf16Character character =
                codepage::utf16CharacterAt(units, std::size_t(i));
            put(static_cast<char>(character.code));
            i += qsizetype(character.units);
        }
    }
    return i;
}

} // namespace

qsizetype appendCodes(std::string &codes, QStringView text, qsizetype from, qsizetype to)
{
    return convert(text, from, to, [&codes](char code) { codes.push_back(code); });
}

qsizetype countCodes(qsizetype &count, QStringView text, qsizetype from, qsizetype to)
{
    return convert(text, from, to, [&count](char) { ++count; });
}

std::string codesFromText(QStringView text)
{
    std::string codes;
    codes.reserve(static_cast<std::size_t>(text.size()));
    appendCodes(codes, text, 0, text.size());
    return codes;
}

QChar displayCharacter(unsigned char code)
{
    // Fields draw whole lines of codes; a table keeps that a look-up.
    static const std::array<QChar, 256> kShown = [] {
        std::array<QChar, 256> shown{};
        for (std::size_t i = 0; i < shown.size(); ++i) {
            shown[i] = pictureOf(QChar(
                static_cast<char16_t>(codepage::unicodeOfCode(static_cast<unsigned char>(i)))));
        }
        return shown;
    }();
    return kShown[code];
}

QChar pictureOf(QChar c)
{
    const char16_t unit = c.unicode();
    if (unit < 0x20) {
        return QChar(static_cast<char16_t>(kFirstControlPicture + unit));
    }
    if (unit == kDelete) {
        return QChar(kDeletePicture);
    }
    if (unit >= kFirstC1 && unit <= kLastC1) {
        for (const C1Picture &c1 : kC1Pictures) {
            if (c1.control == unit) {
                return QChar(c1.picture);
            }
        }
    }
    return c;
}

QChar characterOfPicture(QChar c)
{
    const char16_t unit = c.unicode();
    if (unit >= kFirstControlPicture && unit < kFirstControlPicture + 0x20) {
        return QChar(static_cast<char16_t>(unit - kFirstControlPicture));
    }
    if (unit == kDeletePicture) {
        return QChar(kDelete);
    }
    if (unit >= kCircledSmallA && unit <= kCircledSmallZ) {
        for (const C1Picture &c1 : kC1Pictures) {
            if (c1.picture == unit) {
                return QChar(c1.control);
            }
        }
    }
    return c;
}

bool isPicture(QChar c)
{
    return characterOfPicture(c) != c;
}

QString plainText(std::string_view codes)
{
    QString text(static_cast<qsizetype>(codes.size()), Qt::Uninitialized);
    QChar *out = text.data();
    for (std::size_t i = 0; i < codes.size(); ++i) {
        const auto code = static_cast<unsigned char>(codes[i]);
        if (i + 1 < codes.size() && coderules::isLineBreak(codes[i], codes[i + 1])) {
            *out++ = QLatin1Char('\n');
            ++i;
        } else {
            *out++ = QChar(static_cast<char16_t>(codepage::unicodeOfCode(code)));
        }
    }
    text.truncate(out - text.constData());
    return text;
}

} // namespace vantrel::fieldcodes
