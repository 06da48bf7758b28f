// SPDX-License-Identifier: GPL-3.0-or-later
#include "program_run.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <optional>
#include <sched.h>
#include <spawn.h>
#include <sstream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

extern char **environ;

namespace vantrel::testing {
namespace {

// A file in the temporary folder, removed with the object.
class TemporaryFile
{
public:
    TemporaryFile()
    {
        const char *folder = std::getenv("TMPDIR");
        m_path = std::string(folder != nullptr ? folder : "/tmp") + "/vantrel-convert-test-XXXXXX";
        m_descriptor = mkstemp(m_path.data());
        if (m_descriptor < 0) {
            throw std::runtime_error("cannot create " + m_path);
        }
    }
    ~TemporaryFile()
    {
        close(m_descriptor);
        unlink(m_path.c_str());
    }
    TemporaryFile(const TemporaryFile &) = delete;
    TemporaryFile &operator=(const TemporaryFile &) = delete;

    [[nodiscard]] int descriptor() const { return m_descriptor; }
    [[nodiscard]] const std::string &path() const { return m_path; }

    [[nodiscard]] std::string contents() const
    {
        std::ifstream file(m_path, std::ios::binary);
        std::ostringstream text;
        text << file.rdbuf();
        return text.str();
    }

    void write(std::string_view text) const
    {
        std::ofstream(m_path, std::ios::binary).write(text.data(), std::streamsize(text.size()));
    }

private:
    std::string m_path;
    int m_descriptor = -1;
};

void writeAll(int descriptor, std::string_view text)
{
    while (!text.empty()) {
        const ssize_t count = ::write(descriptor, text.data(), text.size());
        if (count <= 0) {
            return; // the program stopped reading; its status tells why
        }
        text.remove_prefix(static_cast<std::size_t>(count));
    }
}

// This process's environment with the variables of `settings` ("NAME=value")
// set or replaced; the strings live as long as `settings`.
std::vector<char *> environmentWith(std::vector<std::string> &settings)
{
    const auto name = [](std::string_view setting) { return setting.substr(0, setting.find('=')); };
    std::vector<char *> variables;
    for (char **variable = environ; *variable != nullptr; ++variable) {
        if (std::none_of(settings.begin(), settings.end(), [&](const std::string &setting) {
                return name(setting) == name(*variable);
            })) {
            variables.push_back(*variable);
        }
    }
    for (std::string &setting : settings) {
        variables.push_back(setting.data());
    }
    variables.push_back(nullptr);
    return variables;
}

// Starts vantrel-convert with the descriptors that `actions` sets up and
// the environment set as `settings` asks; -1 if it cannot.
pid_t spawnVantrelConvert(const std::vector<std::string> &arguments,
                          const posix_spawn_file_actions_t &actions,
                          std::vector<std::string> settings = {})
{
    std::string program = VANTREL_CONVERT_PATH;
    std::vector<char *> argv{program.data()};
    std::vector<std::string> copies(arguments);
    for (std::string &argument : copies) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    std::vector<char *> environment = environmentWith(settings);
    pid_t child = 0;
    return posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(),
                       environment.data()) == 0
               ? child
               : -1;
}

int exitStatus(int waitStatus)
{
    return WIFEXITED(waitStatus) ? WEXITSTATUS(waitStatus) : -WTERMSIG(waitStatus);
}

// Waits for the child to end; its exit status, or minus its signal.
int waitForExit(pid_t child)
{
    int status = 0;
    waitpid(child, &status, 0);
    return exitStatus(status);
}

std::string readAll(int descriptor)
{
    std::string text;
    char buffer[1 << 16];
    for (ssize_t count; (count = ::read(descriptor, buffer, sizeof buffer)) != 0;) {
        if (count > 0) {
            text.append(buffer, static_cast<std::size_t>(count));
        } else if (errno != EINTR) {
            break;
        }
    }
    return text;
}

bool mapsFile(pid_t child, const std::string &path)
{
    std::ifstream maps("/proc/" + std::to_string(child) + "/maps");
    std::ostringstream text;
    text << maps.rdbuf();
    return text.str().find(path) != std::string::npos;
}

// Polls until the child maps `path` or ends; the status if it ended.
std::optional<int> waitForMapping(pid_t child, const std::string &path)
{
    char resolved[PATH_MAX];
    const std::string shown = realpath(path.c_str(), resolved) != nullptr ? resolved : path;
    for (;;) {
        if (mapsFile(child, shown)) {
            return std::nullopt;
        }
        int status = 0;
        if (waitpid(child, &status, WNOHANG) == child) {
            return status;
        }
        sched_yield();
    }
}

// The program's own hold after it maps its input: a socket pair whose far
// end the program gets as descriptor 3, named in its environment; it writes
// a byte there and waits for one back.
class ProgramHold
{
public:
    static constexpr int kDescriptor = 3;

    ProgramHold(bool wanted, posix_spawn_file_actions_t &actions)
    {
        if (!wanted) {
            return;
        }
        if (socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, m_ends) != 0) {
            throw std::runtime_error("cannot create a socket pair");
        }
        posix_spawn_file_actions_adddup2(&actions, m_ends[1], kDescriptor);
        m_settings.push_back("VANTREL_CONVERT_HOLD_FD=" + std::to_string(kDescriptor));
    }
    ~ProgramHold()
    {
        for (const int end : m_ends) {
            if (end >= 0) {
                close(end);
            }
        }
    }
    ProgramHold(const ProgramHold &) = delete;
    ProgramHold &operator=(const ProgramHold &) = delete;

    // What the program's environment must add.
    [[nodiscard]] const std::vector<std::string> &settings() const { return m_settings; }

    void programStarted()
    {
        if (m_ends[1] >= 0) {
            close(m_ends[1]);
            m_ends[1] = -1;
        }
    }
    // Returns at once if the program ended without holding.
    void waitForProgram() const
    {
        char byte = 0;
        (void)!::read(m_ends[0], &byte, 1);
    }
    void release() const
    {
        if (m_ends[0] >= 0) {
            (void)!::write(m_ends[0], "", 1);
        }
    }

private:
    int m_ends[2] = {-1, -1};
    std::vector<std::string> m_settings;
};

} // namespace

ProgramRun runVantrelConvertCuttingInput(const std::vector<std::string> &arguments,
                                         std::string_view input, std::size_t cutSize, CutWhen when)
{
    std::signal(SIGPIPE, SIG_IGN);
    const TemporaryFile err;
    const TemporaryFile inputFile;
    inputFile.write(input);
    int outEnds[2] = {-1, -1};
    if (pipe2(outEnds, O_CLOEXEC) != 0) {
        throw std::runtime_error("cannot create a pipe");
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, inputFile.descriptor(), STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, outEnds[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err.descriptor(), STDERR_FILENO);
    ProgramHold hold(when == CutWhen::HeldAfterMapping, actions);
    const pid_t child = spawnVantrelConvert(arguments, actions, hold.settings());
    posix_spawn_file_actions_destroy(&actions);
    hold.programStarted();
    close(outEnds[1]);
    if (child < 0) {
        close(outEnds[0]);
        throw std::runtime_error("cannot start " VANTREL_CONVERT_PATH);
    }

    ProgramRun run;
    std::optional<int> endedEarly;
    if (when == CutWhen::OutputStarted) {
        char first = 0;
        if (::read(outEnds[0], &first, 1) == 1) {
            run.out += first;
        }
    } else if (when == CutWhen::InputMapped) {
        endedEarly = waitForMapping(child, inputFile.path());
    } else {
        hold.waitForProgram();
    }
    if (ftruncate(inputFile.descriptor(), static_cast<off_t>(cutSize)) != 0) {
        throw std::runtime_error("cannot cut " + inputFile.path());
    }
    hold.release();
    run.out += readAll(outEnds[0]);
    close(outEnds[0]);
    int status = endedEarly.value_or(0);
    if (!endedEarly) {
        waitpid(child, &status, 0);
    }
    run.status = exitStatus(status);
    run.err = err.contents();
    return run;
}

ProgramRun runVantrelConvert(const std::vector<std::string> &arguments, std::string_view input,
                             InputKind inputKind, const std::vector<std::string> &settings)
{
    std::signal(SIGPIPE, SIG_IGN);
    const TemporaryFile out;
    const TemporaryFile err;
    const TemporaryFile inputFile;
    int pipeEnds[2] = {-1, -1};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (inputKind == InputKind::File) {
        inputFile.write(input);
        posix_spawn_file_actions_adddup2(&actions, inputFile.descriptor(), STDIN_FILENO);
    } else {
        if (pipe2(pipeEnds, O_CLOEXEC) != 0) {
            throw std::runtime_error("cannot create a pipe");
        }
        posix_spawn_file_actions_adddup2(&actions, pipeEnds[0], STDIN_FILENO);
    }
    posix_spawn_file_actions_adddup2(&actions, out.descriptor(), STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err.descriptor(), STDERR_FILENO);
    const pid_t child = spawnVantrelConvert(arguments, actions, settings);
    posix_spawn_file_actions_destroy(&actions);
    if (inputKind == InputKind::Pipe) {
        close(pipeEnds[0]);
        if (child > 0) {
            writeAll(pipeEnds[1], input);
        }
        close(pipeEnds[1]);
    }
    if (child < 0) {
        throw std::runtime_error("cannot start " VANTREL_CONVERT_PATH);
    }
    ProgramRun run;
    run.status = waitForExit(child);
    run.out = out.contents();
    run.err = err.contents();
    return run;
}

ProgramRun runVantrelConvertWritingTo(const std::vector<std::string> &arguments,
                                      const char *outputPath)
{
    const TemporaryFile err;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, outputPath, O_WRONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, err.descriptor(), STDERR_FILENO);
    const pid_t child = spawnVantrelConvert(arguments, actions);
    posix_spawn_file_actions_destroy(&actions);
    if (child < 0) {
        throw std::runtime_error("cannot start " VANTREL_CONVERT_PATH);
    }
    ProgramRun run;
    run.status = waitForExit(child);
    run.err = err.contents();
    return run;
}

} // namespace vantrel::testing
