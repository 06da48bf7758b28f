// SPDX-License-Identifier: GPL-3.0-or-later
// Message decoding on every vector path against the scalar path, in both bit
// modes, whole or cut to the parameter's number of codes, on the text as it
// is and mapped onto binary digits, at every length and alignment.

#include "path_fuzzing.h"

using namespace vantrel;

namespace {

void checkDecoding(std::string_view text, detail::Path path, std::size_t maxCodes)
{
    for (const BitMode mode : {BitMode::Seven, BitMode::Eight}) {
        const DecodedMessage expected =
            detail::hexaText(text, mode, maxCodes, detail::Path::Scalar);
        const DecodedMessage actual = detail::hexaText(text, mode, maxCodes, path);
        FUZZ_CHECK(actual.valid == expected.valid);
        FUZZ_CHECK(fuzzing::sameText(actual.message, expected.message));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzzing::PathInput input;
    if (!fuzzing::readPathInput(data, size, input)) {
        return 0;
    }
    // The top bit of the parameter leaves the decoding whole.
    const std::size_t maxCodes =
        (input.parameter & 0x80) != 0 ? std::string_view::npos : input.parameter;
    for (const std::string &text : {std::string(input.text), fuzzing::binaryDigitsOf(input.text)}) {
        fuzzing::onEveryVectorPath(text, input.offset,
                                   [maxCodes](std::string_view placed, auto path) {
                                       checkDecoding(placed, path, maxCodes);
                                   });
    }
    return 0;
}
