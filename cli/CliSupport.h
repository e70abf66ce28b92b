#pragma once

#include "color/User.h"
#include "gradient/Gradation.h"
#include "html/OutputSink.h"
#include "html/OutputStyle.h"
#include "text/Error.h"

#include <initializer_list>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tinsora::cli {

/// A mistake on the command line: reported with the usage text, exit status 2.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// A colour as a CSS author writes it (six hexadecimal digits, "#RGB", "#RRGGBB", rgb(),
/// hsl(), a colour name); nothing for anything else.
std::optional<ColorRGB> ParseColor(std::string_view text);

/// ParseColor or a UsageError naming the option and what was not understood.
ColorRGB RequireColor(std::string_view option, std::string_view text);

/// The four gradient colours of --colors: colours separated by commas (commas inside
/// rgb(...) and hsl(...) belong to the colour), or a UsageError.
GradientColors ParseColors(std::string_view option, std::string_view list);

/// The value of a choice among named values, or a UsageError listing the names.
template <typename T>
T Choose(std::string_view option, std::string_view value,
         std::initializer_list<std::pair<std::string_view, T>> choices) {
    std::string names;
    for (const auto& [name, result] : choices) {
        if (value == name)
            return result;
        names += names.empty() ? "" : "|";
        names += name;
    }
    throw UsageError(std::string(option) + ": " + QuotedInMessage(value) + " is not one of " +
                     names);
}

/// The reader of standard output has gone (a closed pipe): the run ends quietly, status 0.
class OutputClosed : public std::exception {};

/// Writes all bytes to standard output; throws WriteError() when
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

/// Which of the shared options were given, for CheckOutputOptions.
struct OutputOptionsSeen {
    bool style = false;
    bool css = false;
};

/// The options of the output's form that the generators share: --style classic|html5,
/// --css inline|classes, --crlf, --page and, where joinable, --joined. Takes args[k] (and its
/// value) into options and returns true when it is one of them.
bool TakeOutputOption(const std::vector<std::string>& args, std::size_t& k, OutputOptions& options,
                      bool joinable = true, OutputOptionsSeen* seen = nullptr);

/// After the arguments: an option that exists only in the HTML5 + CSS style (named by
/// needsHtml5, or --css classes) chooses that style, or is a UsageError beside --style classic.
void CheckOutputOptions(OutputOptions& options, const OutputOptionsSeen& seen,
                        const char* needsHtml5 = nullptr);

/// The language of the words an output has of its own (the HTML5 marks, a page's lang): the
/// locale's, as the messages are.
OutputLanguage OutputLanguageOfLocale();

/// Takes the value of an option that needs one, or throws UsageError.
std::string TakeValue(const std::vector<std::string>& args, std::size_t& k);

} // namespace tinsora::cli
