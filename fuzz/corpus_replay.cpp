// SPDX-License-Identifier: GPL-3.0-or-later
// Replays a corpus through a fuzz target's LLVMFuzzerTestOneInput without
// libFuzzer, so the target's properties run as an ordinary test in any build:
//   corpus_<target> DIRECTORY_OR_FILE...
// Every regular file is one input, taken in name order. A property that fails
// aborts; the input being replayed is named first.

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size);

namespace {

// The path of the input being replayed, for the abort handler; a fixed
// buffer, since only async-signal-safe calls may read it there.
char g_current[4096];

void nameCurrentInput(int)
{
    constexpr char kPrefix[] = "while replaying ";
    (void)!write(STDERR_FILENO, kPrefix, sizeof kPrefix - 1);
    (void)!write(STDERR_FILENO, g_current, std::char_traits<char>::length(g_current));
    (void)!write(STDERR_FILENO, "\n", 1);
}

std::vector<std::filesystem::path> inputsIn(const std::filesystem::path &where)
{
    std::vector<std::filesystem::path> inputs;
    if (std::filesystem::is_regular_file(where)) {
        inputs.push_back(where);
        return inputs;
    }
    for (const auto &entry : std::filesystem::directory_iterator(where)) {
        if (entry.is_regular_file()) {
            inputs.push_back(entry.path());
        }
    }
    std::sort(inputs.begin(), inputs.end());
    return inputs;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s DIRECTORY_OR_FILE...\n", argv[0]);
        return 2;
    }
    std::signal(SIGABRT, nameCurrentInput);
    std::size_t replayed = 0;
    for (int arg = 1; arg < argc; ++arg) {
        std::error_code error;
        if (!std::filesystem::exists(argv[arg], error)) {
            std::fprintf(stderr, "%s: no such corpus\n", argv[arg]);
            return 1;
        }
        for (const std::filesystem::path &input : inputsIn(argv[arg])) {
            std::ifstream file(input, std::ios::binary);
            const std::string bytes{std::istreambuf_iterator<char>(file), {}};
            if (!file.good() && !file.eof()) {
                std::fprintf(stderr, "%s: cannot be read\n", input.c_str());
                return 1;
            }
            const std::string name = input.string();
            const std::size_t length = std::min(name.size(), sizeof g_current - 1);
            std::copy_n(name.data(), length, g_current);
            g_current[length] = '\0';
            LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t *>(bytes.data()),
                                   bytes.size());
            ++replayed;
        }
    }
    // An empty corpus would pass without checking anything.
    if (replayed == 0) {
        std::fprintf(stderr, "no inputs in the corpus\n");
        return 1;
    }
    return 0;
}
