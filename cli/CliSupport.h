#pragma once

#include "color/User.h"
#include "html/OutputSink.h"
#include "html/OutputStyle.h"

#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tinsora::cli {

/// A mistake on the command line: reported with the usage text, exit status 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// Six hexadecimal digits RRGGBB, "#" optional; nothing else is a colour.
std::optional<ColorRGB> ParseColor(std::string_view text);

/// ParseColor or a UsageError naming the option.
ColorRGB RequireColor(std::string_view option, std::string_view text);

/// The reader of standard output has gone (a closed pipe): the run ends quietly, status 0.
class OutputClosed : public std::exception {};

/// Writes all bytes to standard output; throws Error ("ストリームへの書き込みエラー") when
/// writing fails, OutputClosed when nobody reads any more.
void WriteOut(std::string_view bytes);

/// Standard output as a sink: small pieces are gathered, large ones pass straight on; the
/// errors of WriteOut.
class StdoutSink final : public OutputSink {
public:
    void Write(std::string_view bytes) override;
    /// Writes what is gathered and flushes standard output.
    void Finish();

private:
    std::string pending_;
};

/// The options of the output's form that the generators share: --style classic|html5,
/// --crlf, --page and, where joinable, --joined. Takes args[k] (and its value) into options
/// and returns true when it is one of them.
bool TakeOutputOption(const std::vector<std::string>& args, std::size_t& k, OutputOptions& options,
                      bool joinable = true);

/// Takes the value of an option that needs one, or throws UsageError.
std::string TakeValue(const std::vector<std::string>& args, std::size_t& k);

} // namespace tinsora::cli
