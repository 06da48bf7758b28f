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

// `settings` ("NAME=value") set variables of the program's environment.
[[nodiscard]] ProgramRun runVantrelConvert(const std::vector<std::string> &arguments,
                                           std::string_view input = {},
                                           InputKind inputKind = InputKind::File,
                                           const std::vector<std::string> &settings = {});

// Runs vantrel-convert with nothing on standard input and standard output
// opened on `outputPath` ("/dev/full": a disk with no room left).
[[nodiscard]] ProgramRun runVantrelConvertWritingTo(const std::vector<std::string> &arguments,
                                                    const char *outputPath);

// When another program shortens the input file.
enum class CutWhen {
    // Once the first byte of output arrives: the program has started on the
    // text and waits, its output pipe full, until the file is cut.
    OutputStarted,
    // As soon as the file shows among the program's mappings; the program
    // may finish before the cut.
    InputMapped,
    // Between the mapping and the first read of it: the program, held there
    // by the test, goes on once the file is cut.
    HeldAfterMapping,
};

// Runs vantrel-convert with `input` in a regular file on standard input and
// standard output into a pipe, and cuts the file to `cutSize` bytes at the
// moment `when` names, as log rotation would.
[[nodiscard]] ProgramRun runVantrelConvertCuttingInput(const std::vector<std::string> &arguments,
                                                       std::string_view input, std::size_t cutSize,
                                                       CutWhen when);

} // namespace vantrel::testing
