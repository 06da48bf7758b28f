// SPDX-License-Identifier: GPL-3.0-or-later
#include "code_streams.h"
#include "command_line.h"
#include "conversions.h"
#include "input_mapping.h"

#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <exception>
#include <new>

namespace {

using namespace vantrel::cli;

int printUsageError(const UsageError &error)
{
    std::fprintf(stderr, "%s: %s\nPruebe «%s --help» para más información.\n", kProgramName.data(),
                 error.message.c_str(), kProgramName.data());
    return 2;
}

int convert(const ConversionRequest &request)
{
    CodeReader input(request.text, request.encoding);
    try {
        CodeWriter output(request.encoding);
        runConversion(request, input, output);
        input.checkInputKept();
        output.flush();
        return 0;
    } catch (const Failure &failure) {
        // A character that a shortened file seems to hold past its new end
        // was lost, not given.
        std::fprintf(stderr, "%s: %s\n", kProgramName.data(),
                     input.inputShortened() ? kInputShortened.data() : failure.what());
    } catch (const std::bad_alloc &) {
        std::fprintf(stderr, "%s: no hay memoria suficiente para la entrada\n",
                     kProgramName.data());
    } catch (const std::exception &error) {
        std::fprintf(stderr, "%s: %s\n", kProgramName.data(), error.what());
    }
    return 1;
}

} // namespace

int main(int argc, char *argv[])
{
    // Only for the system's error texts: numbers are always read with a point.
    std::setlocale(LC_MESSAGES, "");
    const CommandLine commandLine = parseCommandLine(argc, argv);
    if (const auto *request = std::get_if<ConversionRequest>(&commandLine)) {
        return convert(*request);
    }
    if (const auto *error = std::get_if<UsageError>(&commandLine)) {
        return printUsageError(*error);
    }
    const std::string text =
        std::holds_alternative<HelpRequest>(commandLine) ? std::string(helpText()) : versionText();
    if (std::fputs(text.c_str(), stdout) == EOF || std::fflush(stdout) != 0) {
        std::fprintf(stderr, "%s: no se pudo escribir la salida estándar: %s\n",
                     kProgramName.data(), std::strerror(errno));
        return 1;
    }
    return 0;
}
