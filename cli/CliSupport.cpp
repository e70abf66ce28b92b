#include "cli/CliSupport.h"

#include "text/Error.h"

#include <cerrno>
#include <cstdio>

namespace tinsora::cli {

std::optional<ColorRGB> ParseColor(std::string_view text) {
    if (!text.empty() && text.front() == '#')
        text.remove_prefix(1);
    if (text.size() != 6)
        return std::nullopt;
    for (const char c : text) {
        const bool hex = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
        if (!hex)
            return std::nullopt;
    }
    return ColorRGB{HexPairToChannel(text.substr(0, 2)), HexPairToChannel(text.substr(2, 2)),
                    HexPairToChannel(text.substr(4, 2))};
}

ColorRGB RequireColor(std::string_view option, std::string_view text) {
    if (auto c = ParseColor(text))
        return *c;
    throw UsageError(std::string(option) + ": '" + std::string(text) +
                     "' is not a colour (six hexadecimal digits, \"#\" optional)");
}

namespace {

[[noreturn]] void ThrowWriteFailure() {
    if (errno == EPIPE)
        throw OutputClosed();
    throw WriteError();
}

void WriteAll(std::string_view bytes) {
    errno = 0;
    if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), stdout) != bytes.size())
        ThrowWriteFailure();
}

void FlushOut() {
    errno = 0;
    if (std::fflush(stdout) != 0)
        ThrowWriteFailure();
}

// Pieces smaller than this are gathered before they go out.
constexpr std::size_t kGather = std::size_t{1} << 16;

} // namespace

void WriteOut(std::string_view bytes) {
    WriteAll(bytes);
    FlushOut();
}

void StdoutSink::Write(std::string_view bytes) {
    if (pending_.size() + bytes.size() < kGather) {
        pending_.append(bytes);
        return;
    }
    WriteAll(pending_);
    pending_.clear();
    WriteAll(bytes);
}

void StdoutSink::Finish() {
    WriteAll(pending_);
    pending_.clear();
    FlushOut();
}

bool TakeOutputOption(const std::vector<std::string>& args, std::size_t& k, OutputOptions& options,
                      bool joinable) {
    const std::string& a = args[k];
    if (a == "--style") {
        const std::string value = TakeValue(args, k);
        if (value == "classic")
            options.style = OutputStyle::Classic;
        else if (value == "html5")
            options.style = OutputStyle::Html5;
        else
            throw UsageError("--style: '" + value + "' is not one of classic|html5");
    } else if (a == "--joined" && joinable) {
        options.lineMode = false;
    } else if (a == "--crlf") {
        options.lineEnd = std::string("\r\n");
    } else if (a == "--page") {
        options.page = true;
    } else {
        return false;
    }
    return true;
}

std::string TakeValue(const std::vector<std::string>& args, std::size_t& k) {
    if (k + 1 >= args.size())
        throw UsageError(args[k] + " needs a value");
    return args[++k];
}

} // namespace tinsora::cli
