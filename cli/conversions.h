// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "code_streams.h"
#include "command_line.h"

// Runs one conversion from the reader to the writer. Throws Failure for input
// the conversion rejects, before anything of the result is written.
namespace vantrel::cli {

void runConversion(const ConversionRequest &request, CodeReader &input, CodeWriter &output);

} // namespace vantrel::cli
