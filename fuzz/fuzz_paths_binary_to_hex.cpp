// SPDX-License-Identifier: GPL-3.0-or-later
// Binary to hexadecimal on every vector path against the scalar path, whole
// and cut to the parameter's number of digits, on the text as it is and
// mapped onto binary digits, at every length and alignment.

#include "path_fuzzing.h"

using namespace vantrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzzing::PathInput input;
    if (!fuzzing::readPathInput(data, size, input)) {
        return 0;
    }
    const std::size_t maxDigits = input.parameter;
    for (const std::string &text : {std::string(input.text), fuzzing::binaryDigitsOf(input.text)}) {
        fuzzing::onEveryVectorPath(
            text, input.offset, [maxDigits](std::string_view placed, auto path) {
                FUZZ_CHECK(fuzzing::sameText(detail::binaryToHex(placed, path),
                                             detail::binaryToHex(placed, detail::Path::Scalar)));
                FUZZ_CHECK(fuzzing::sameText(
                    detail::binaryToHexCut(placed, maxDigits, path),
                    detail::binaryToHexCut(placed, maxDigits, detail::Path::Scalar)));
            });
    }
    return 0;
}
