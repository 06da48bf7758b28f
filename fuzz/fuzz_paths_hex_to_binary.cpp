// SPDX-License-Identifier: GPL-3.0-or-later
// Hexadecimal to binary on every vector path against the scalar path, on the
// text as it is and mapped onto hexadecimal digits, at every length and
// alignment.

#include "path_fuzzing.h"

using namespace vantrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzzing::PathInput input;
    if (!fuzzing::readPathInput(data, size, input)) {
        return 0;
    }
    for (const std::string &text : {std::string(input.text), fuzzing::hexDigitsOf(input.text)}) {
        fuzzing::onEveryVectorPath(text, input.offset, [](std::string_view placed, auto path) {
            FUZZ_CHECK(fuzzing::sameText(detail::hexToBinary(placed, path),
                                         detail::hexToBinary(placed, detail::Path::Scalar)));
        });
    }
    return 0;
}
