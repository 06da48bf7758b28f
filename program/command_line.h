// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The program's own command line: --help and --version, answered before any
// window (or display connection) exists; every other option is Qt's.
namespace vantrel::startup {

struct CommandLineAnswer
{
    int exitStatus = 0;
    QString out;   // for standard output
    QString error; // for standard error
};

// The answer to print before stopping, or nothing when the windows should start.
[[nodiscard]] std::optional<CommandLineAnswer> answerCommandLine(const QStringList &arguments);

// The same for main's arguments, printed; returns the exit status.
[[nodiscard]] std::optional<int> answerCommandLine(int argc, char *argv[]);

} // namespace vantrel::startup
