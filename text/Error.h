#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tinsora {

/// What an error says, which a front end words in the user's language. The arguments of each
/// are listed beside it, in order.
enum class MessageCode {
    Worded,             // the message itself, already in the user's language
    NotAnInteger,       // the text, quoted
    CannotOpen,         // the file name
    CannotCreate,       // the file name
    WriteFailed,        // none
    ListIndex,          // the index
    OutputTooLarge,     // the size, the limit
    FileTooLarge,       // the file name, the limit
    CssLength,          // the text, quoted
    CssGradientFile,    // none
    CssGradientSize,    // none
    CssGradientPercent, // the length
};

/// An error the user is shown: a message code and its arguments (UTF-8, each already shown as
/// ShownInMessage shows the user's input). The core never words it; what() is for a log only.
class Error : public std::runtime_error {
public:
    /// A message already worded in the user's language.
    explicit Error(const std::string& message);
    Error(MessageCode code, std::vector<std::string> arguments);

    MessageCode Code() const { return code_; }
    const std::vector<std::string>& Arguments() const { return arguments_; }

private:
    MessageCode code_;
    std::vector<std::string> arguments_;
};

/// The most bytes of a piece of the user's input a message shows; a file name may be longer.
inline constexpr std::size_t kShownLimit = 40;
inline constexpr std::size_t kShownPathLimit = 256;

/// A piece of the user's input as a message shows it, so that it cannot act on a terminal nor
/// make a message of megabytes: a control character, or a byte that is not part of a UTF-8
/// character, as \xNN; a piece longer than limit bytes cut before the character there, with
/// "..." after it.
std::string ShownInMessage(std::string_view piece, std::size_t limit = kShownLimit);
/// ShownInMessage between single quotes.
std::string QuotedInMessage(std::string_view piece, std::size_t limit = kShownLimit);

/// A text that is not an integer, quoted as QuotedInMessage shows it.
class NotAnIntegerError : public Error {
public:
    explicit NotAnIntegerError(std::string_view text);
};

/// A file that cannot be opened (the name as ShownInMessage shows it, here and below).
Error CannotOpenError(std::string_view path);
/// A file that cannot be created.
Error CannotCreateError(std::string_view path);
/// A write to a stream that failed.
Error WriteError();
/// An index past the end of a list.
Error ListIndexError(long long index);
/// A generator's output that would pass the cap; size is the decimal byte count.
Error OutputTooLargeError(std::string_view size, unsigned long long limit);

/// The message as the standard error box shows it: "." added unless the text
/// already ends in a character at or below "." in code order.
std::string ErrorBoxText(std::string_view message);

} // namespace tinsora
