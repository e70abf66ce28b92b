#include "cli/CliSupport.h"

#include "color/CssColor.h"
#include "messages/Messages.h"
#include "text/Error.h"

#include <cerrno>
#include <cstdio>

namespace tinsora::cli {

std::optional<ColorRGB> ParseColor(std::string_view text) {
    return ParseCssColor(text).color;
}

ColorRGB RequireColor(std::string_view option, std::string_view text) {
    const CssColorResult r = ParseCssColor(text);
    if (r.color)
        return *r.color;
    const std::string quoted = QuotedInMessage(text);
    if (r.error.find(quoted) != std::string::npos)
        throw UsageError(std::string(option) + ": " + r.error);
    throw UsageError(std::string(option) + ": " + quoted + " is not a colour: " + r.error);
}

GradientColors ParseColors(std::string_view option, std::string_view list) {
    std::vector<std::string_view> items;
    int depth = 0;
    std::size_t start = 0;
    for (std::size_t k = 0; k <= list.size(); ++k) {
        const char c = k < list.size() ? list[k] : ',';
        if (c == '(')
            ++depth;
        else if (c == ')' && depth > 0)
            --depth;
        else if (c == ',' && (depth == 0 || k == list.size())) {
            items.push_back(list.substr(start, k - start));
            start = k + 1;
        }
    }
    GradientColors colors{};
    if (items.size() != colors.size())
        throw UsageError(std::string(option) + " needs four colours separated by commas, not " +
                         std::to_string(items.size()));
    for (std::size_t k = 0; k < colors.size(); ++k)
        colors[k] = RequireColor(option, items[k]);
    return colors;
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
                      bool joinable, OutputOptionsSeen* seen) {
    const std::string& a = args[k];
    if (a == "--css") {
        options.css = Choose<CssForm>(a, TakeValue(args, k),
                                      {{"inline", CssForm::Inline}, {"classes", CssForm::Classes}});
        if (seen)
            seen->css = true;
    } else if (a == "--style") {
        if (seen)
            seen->style = true;
        const std::string value = TakeValue(args, k);
        if (value == "classic")
            options.style = OutputStyle::Classic;
        else if (value == "html5")
            options.style = OutputStyle::Html5;
        else
            throw UsageError("--style: " + QuotedInMessage(value) + " is not one of classic|html5");
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

void CheckOutputOptions(OutputOptions& options, const OutputOptionsSeen& seen,
                        const char* needsHtml5) {
    const char* option = needsHtml5                        ? needsHtml5
                         : options.css == CssForm::Classes ? "--css classes"
                                                           : nullptr;
    if (!option)
        return;
    // Made of CSS, it comes in the HTML5 + CSS style only.
    if (seen.style && options.style != OutputStyle::Html5)
        throw UsageError(std::string(option) + " needs --style html5");
    options.style = OutputStyle::Html5;
}

OutputLanguage OutputLanguageOfLocale() {
    return MessageLanguage() == Language::English ? OutputLanguage::English
                                                  : OutputLanguage::Japanese;
}

std::string TakeValue(const std::vector<std::string>& args, std::size_t& k) {
    if (k + 1 >= args.size())
        throw UsageError(args[k] + " needs a value");
    return args[++k];
}

} // namespace tinsora::cli
