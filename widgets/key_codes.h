// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The 8-bit codes that key handlers receive for the keys that type control
// characters.
namespace vantrel::keys {

inline constexpr int kBackspace = 8;
inline constexpr int kEnter = 13;
inline constexpr int kEscape = 27;

} // namespace vantrel::keys
