// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Strings that a conversion writes whole. Internal to the conversion library.

#include <cstddef>
#include <string>

#if defined(__SANITIZE_ADDRESS__)
#define VANTREL_SANITIZED_BUILD 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VANTREL_SANITIZED_BUILD 1
#endif
#endif

namespace vantrel::detail {

// A string of at most `size` characters, written by write(char *out), which
// returns how many it wrote. Where the standard library lets a string grow
// without filling it (C++23), those writes are the only pass over the
// string's memory: a fill first would cost the conversions whose output is
// longer than their input as much as the conversion itself. Sanitized builds
// fill it with zeros anyway, so that a code a vector path fails to write
// shows as a difference from the scalar path, whatever the memory held.
template <typename Write> [[nodiscard]] std::string writtenString(std::size_t size, Write write)
{
    std::string text;
#if defined(__cpp_lib_string_resize_and_overwrite) && !defined(VANTREL_SANITIZED_BUILD)
    text.resize_and_overwrite(size, [&write](char *out, std::size_t) { return write(out); });
#else
    text.resize(size);
    text.resize(write(text.data()));
#endif
    return text;
}

} // namespace vantrel::detail
