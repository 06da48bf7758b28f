// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Runs the built vantrel-convert as the shell would, with standard input from
// a file or a pipe, and collects what it wrote and its exit status.
namespace vantrel::testing {

enum class InputKind { File, Pipe };

struct ProgramRun
{
    int status = -1; // the exit status, or minus the signal that ended it
    std::string out;
    std::string err;
};

[[nodiscard]] ProgramRun runVantrelConvert(const std::vector<std::string> &arguments,
                                           std::string_view input = {},
                                           InputKind inputKind = InputKind::File);

} // namespace vantrel::testing
