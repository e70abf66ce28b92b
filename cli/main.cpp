// tinsora-cli: the generators of Tinsora on the command line.

#include "Version.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"

#include <csignal>
#include <cstdio>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

namespace {

std::string Usage() {
    std::string text = "usage: tinsora-cli COMMAND [OPTIONS]\n"
                       "       tinsora-cli --help | --version\n";
    const auto& commands = tinsora::cli::AllCommands();
    if (!commands.empty()) {
        text += "\ncommands:\n";
        for (const auto& c : commands)
            text += std::string("  ") + c.synopsis + "\n";
    }
    return text;
}

int ReportUsageError(const std::string& message) {
    std::fprintf(stderr, "tinsora-cli: %s\n%s", message.c_str(), Usage().c_str());
    return 2;
}

} // namespace

int main(int argc, char** argv) {
#ifdef SIGXFSZ
    // Past a file size limit a write then fails and is reported, instead of
    // the signal ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::fputs(Usage().c_str(), stdout);
        return 0;
    }
    if (args.size() == 1 && args[0] == "--version") {
        std::printf("tinsora-cli %s (build %s)\n", tinsora::kVersion, tinsora::kBuildNumber);
        return 0;
    }
    if (args.empty())
        return ReportUsageError("no command given");
    for (const auto& command : tinsora::cli::AllCommands()) {
        if (args[0] != command.name)
            continue;
        try {
            return command.run(std::vector<std::string>(args.begin() + 1, args.end()));
        } catch (const tinsora::cli::UsageError& e) {
            return ReportUsageError(e.what());
        } catch (const tinsora::cli::OutputClosed&) {
            return 0; // whoever read the output has all they wanted
        } catch (const std::exception& e) {
            std::fprintf(stderr, "tinsora-cli: %s\n", e.what());
            return 1;
        }
    }
    return ReportUsageError("unknown command '" + args[0] + "'");
}
