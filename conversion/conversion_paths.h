// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The message and hexadecimal conversions on a chosen code path. The public
// functions take the fastest path this processor runs; the scalar path is
// the reference that every vector path matches byte for byte. Tests, fuzz
// targets and benchmarks reach each path here. Internal to the conversion
// library and its tests.

#include "message_conversion.h"

#include <optional>
#include <string>
#include <string_view>

namespace vantrel::detail {

enum class Path { Scalar, Sse2, Avx2 };

inline constexpr Path kVectorPaths[] = {Path::Sse2, Path::Avx2};

// Whether this build and this processor run the path; the scalar one always.
[[nodiscard]] bool pathAvailable(Path path);

// The path the public conversions take.
[[nodiscard]] Path fastestPath();

[[nodiscard]] const char *pathName(Path path);

// The public conversions on one path; a path that is not available runs the
// scalar one.
[[nodiscard]] std::string binText(std::string_view message, BitMode mode, Path path);
[[nodiscard]] DecodedMessage hexaText(std::string_view binaryMessage, BitMode mode,
                                      std::size_t maxCodes, Path path);
[[nodiscard]] std::optional<std::string> binaryToHex(std::string_view binary, Path path);
[[nodiscard]] std::optional<std::string> binaryToHexCut(std::string_view binary,
                                                        std::size_t maxDigits, Path path);
[[nodiscard]] std::optional<std::string> hexToBinary(std::string_view hex, Path path);
[[nodiscard]] std::string fourBinaryDigitsEach(std::string_view hex, Path path);

} // namespace vantrel::detail
