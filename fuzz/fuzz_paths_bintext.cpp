// SPDX-License-Identifier: GPL-3.0-or-later
// Message encoding on every vector path against the scalar path, in both bit
// modes, at every length and alignment.

#include "path_fuzzing.h"

using namespace vantrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzzing::PathInput input;
    if (!fuzzing::readPathInput(data, size, input)) {
        return 0;
    }
    fuzzing::onEveryVectorPath(input.text, input.offset, [](std::string_view text, auto path) {
        for (const BitMode mode : {BitMode::Seven, BitMode::Eight}) {
            FUZZ_CHECK(fuzzing::sameText(detail::binText(text, mode, path),
                                         detail::binText(text, mode, detail::Path::Scalar)));
        }
    });
    return 0;
}
