// tinsora-cli: the generators of Tinsora on the command line.

#include "Version.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "messages/Messages.h"
#include "text/Error.h"

#include <csignal>
#include <cstdio>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

#ifdef _WIN32
#include "text/Windows.h"

#include <fcntl.h>
#include <io.h>
// shellapi.h needs windows.h before it.
#include <shellapi.h>
#endif

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

// A message on standard error: any control character that reached it (none should) shown as
// \xNN, so that nothing in it acts on the terminal.
void ReportError(std::string_view message) {
    std::string shown;
    for (const char c : message) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            static constexpr char kDigits[] = "0123456789ABCDEF";
            shown += "\\x";
            shown += kDigits[static_cast<unsigned char>(c) >> 4];
            shown += kDigits[c & 15];
        } else {
            shown += c;
        }
    }
    std::fprintf(stderr, "tinsora-cli: %s\n", shown.c_str());
}

int ReportUsageError(const std::string& message) {
    ReportError(message);
    std::fputs(Usage().c_str(), stderr);
    return 2;
}

// The arguments after the program's name, as UTF-8.
std::vector<std::string> Arguments([[maybe_unused]] int argc, [[maybe_unused]] char** argv) {
#ifdef _WIN32
    // Windows hands main its arguments in the ANSI code page, which cannot
    // hold every character; the wide command line holds them all.
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> args;
    for (int k = 1; wide && k < count; ++k) {
        const int n = WideCharToMultiByte(CP_UTF8, 0, wide[k], -1, nullptr, 0, nullptr, nullptr);
        std::string arg(n > 0 ? static_cast<std::size_t>(n) : 1, '\0');
        if (n > 0)
            WideCharToMultiByte(CP_UTF8, 0, wide[k], -1, arg.data(), n, nullptr, nullptr);
        arg.pop_back(); // the terminating zero
        args.push_back(std::move(arg));
    }
    LocalFree(wide);
    return args;
#else
    return std::vector<std::string>(argv + 1, argv + argc);
#endif
}

int Run(const std::vector<std::string>& args) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        tinsora::cli::WriteOut(Usage());
        return 0;
    }
    if (args.size() == 1 && args[0] == "--version") {
        tinsora::cli::WriteOut(std::string("tinsora-cli ") + tinsora::kVersion + " (build " +
                               tinsora::kBuildNumber + ")\n");
        return 0;
    }
    if (args.empty())
        return ReportUsageError("no command given");
    for (const auto& command : tinsora::cli::AllCommands())
        if (args[0] == command.name)
            return command.run(std::vector<std::string>(args.begin() + 1, args.end()));
    return ReportUsageError("unknown command " + tinsora::QuotedInMessage(args[0]));
}

} // namespace

int main(int argc, char** argv) {
#ifdef SIGXFSZ
    // Past a file size limit a write then fails and is reported, instead of
    // the signal ending the program.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
#ifdef _WIN32
    // Bytes go out as they are made: --crlf alone decides the line ends.
    for (std::FILE* stream : {stdin, stdout, stderr})
        if (_fileno(stream) >= 0)
            _setmode(_fileno(stream), _O_BINARY);
#endif
    try {
        return Run(Arguments(argc, argv));
    } catch (const tinsora::cli::UsageError& e) {
        return ReportUsageError(e.what());
    } catch (const tinsora::cli::OutputClosed&) {
        return 0; // whoever read the output has all they wanted
    } catch (const tinsora::NotAnIntegerError& e) {
        // A count or a size typed on the command line: a usage mistake, shown without the usage.
        ReportError(tinsora::Worded(e, tinsora::MessageLanguage()));
        return 2;
    } catch (const tinsora::Error& e) {
        ReportError(tinsora::Worded(e, tinsora::MessageLanguage()));
        return 1;
    } catch (const std::exception& e) {
        ReportError(e.what());
        return 1;
    }
}
