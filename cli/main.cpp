// tinsora-cli: the generators of Tinsora on the command line.

#include <cstdio>
#include <cstring>
#include <string_view>

#include "Version.h"

namespace {

constexpr const char* kUsage =
    "usage: tinsora-cli [--help | --version]\n"
    "\n"
    "  --help      show this text\n"
    "  --version   show the version\n";

int UsageError(const char* message) {
    std::fprintf(stderr, "tinsora-cli: %s\n%s", message, kUsage);
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::string_view(argv[1]) == "--help") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc == 2 && std::string_view(argv[1]) == "--version") {
        std::printf("tinsora-cli %s (build %s)\n", tinsora::kVersion, tinsora::kBuildNumber);
        return 0;
    }
    if (argc < 2)
        return UsageError("no command given");
    return UsageError("unknown command or option");
}
