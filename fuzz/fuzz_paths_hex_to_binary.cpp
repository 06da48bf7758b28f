// SPDX-License-Identifier: GPL-3.0-or-later
// Hexadecimal to binary on every vector path against the scalar path, on the
// text as it is and mapped onto hexadecimal digits, at every length and
// alignment of the text, and the kernel alone at every alignment of its
// output (the parameter).

#include "path_fuzzing.h"

using namespace vantrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzzing::PathInput input;
    if (!fuzzing::readPathInput(data, size, input)) {
        return 0;
    }
    const std::size_t outputOffset = input.parameter % 64u;
    for (const std::string &text : {std::string(input.text), fuzzing::hexDigitsOf(input.text)}) {
        // After a leading "F" every character gives its four digits.
        const std::string fourDigitsEach =
            detail::hexToBinary("F" + text, detail::Path::Scalar)->substr(4);
        FUZZ_CHECK(detail::fourBinaryDigitsEach(text, detail::Path::Scalar) == fourDigitsEach);
        fuzzing::onEveryVectorPath(text, input.offset, [&](std::string_view placed, auto path) {
            FUZZ_CHECK(fuzzing::sameText(detail::hexToBinary(placed, path),
                                         detail::hexToBinary(placed, detail::Path::Scalar)));
            FUZZ_CHECK(
                fuzzing::sameText(detail::fourBinaryDigitsEach(placed, path), fourDigitsEach));
            fuzzing::checkKernelOutput(detail::kernelsFor(path)->binaryFromHex, placed, 4,
                                       fourDigitsEach, outputOffset);
        });
    }
    return 0;
}
