#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tinsora {

/// An error the user is shown; what() is the program's own message (UTF-8).
class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
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

/// "'%s' は整数ではありません", the text quoted as QuotedInMessage shows it: a text that is
/// not an integer.
class NotAnIntegerError : public Error {
public:
    explicit NotAnIntegerError(std::string_view text);
};

/// "ファイル %s は開けません" (the name as ShownInMessage shows it, here and below)
Error CannotOpenError(std::string_view path);
/// "ファイル %s を作成できません"
Error CannotCreateError(std::string_view path);
/// "ストリームへの書き込みエラー"
Error WriteError();
/// "リストのインデックスが範囲を超えています (%d)"
Error ListIndexError(long long index);
/// "出力が大きすぎます (%s バイト。上限は %d バイトです)": a generator's output
/// would pass the cap; size is the decimal byte count.
Error OutputTooLargeError(std::string_view size, unsigned long long limit);

/// The message as the standard error box shows it: "." added unless the text
/// already ends in a character at or below "." in code order.
std::string ErrorBoxText(std::string_view message);

} // namespace tinsora
