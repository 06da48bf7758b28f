// SPDX-License-Identifier: GPL-3.0-or-later
#include "program_run.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <spawn.h>
#include <sstream>
#include <stdexcept>
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

} // namespace

ProgramRun runVantrelConvert(const std::vector<std::string> &arguments, std::string_view input,
                             InputKind inputKind)
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

    std::string program = VANTREL_CONVERT_PATH;
    std::vector<char *> argv{program.data()};
    std::vector<std::string> copies(arguments);
    for (std::string &argument : copies) {
        argv.push_back(argument.data());
    }
    argv.push_back(nullptr);
    pid_t child = 0;
    const int spawned =
        posix_spawn(&child, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (inputKind == InputKind::Pipe) {
        close(pipeEnds[0]);
        if (spawned == 0) {
            writeAll(pipeEnds[1], input);
        }
        close(pipeEnds[1]);
    }
    if (spawned != 0) {
        throw std::runtime_error("cannot start " + program);
    }
    int status = 0;
    waitpid(child, &status, 0);
    ProgramRun run;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    run.out = out.contents();
    run.err = err.contents();
    return run;
}

} // namespace vantrel::testing
