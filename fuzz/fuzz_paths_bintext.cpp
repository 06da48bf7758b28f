// SPDX-License-Identifier: GPL-3.0-or-later
// Message encoding on every vector path against the scalar path, in both bit
// modes, at every length and alignment of the text, and the kernels alone at
// every alignment of their output (the parameter).

#include "path_fuzzing.h"

using namespace vantrel;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    fuzzing::PathInput input;
    if (!fuzzing::readPathInput(data, size, input)) {
        return 0;
    }
    const std::size_t outputOffset = input.parameter % 64u;
    fuzzing::onEveryVectorPath(input.text, input.offset, [&](std::string_view text, auto path) {
        const detail::VectorKernels &kernels = *detail::kernelsFor(path);
        for (const BitMode mode : {BitMode::Seven, BitMode::Eight}) {
            const std::string expected = detail::binText(text, mode, detail::Path::Scalar);
            FUZZ_CHECK(fuzzing::sameText(detail::binText(text, mode, path), expected));
            fuzzing::checkKernelOutput(
                mode == BitMode::Seven ? kernels.encodeSevenBit : kernels.encodeEightBit, text,
                static_cast<std::size_t>(mode), expected, outputOffset);
        }
    });
    return 0;
}
