#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace tinsora {

/// An error the user is shown; what() is the program's own message (UTF-8).
class Error : public std::runtime_error {
public:
    explicit Error(const std::string& message) : std::runtime_error(message) {}
};

/// "'%s' は整数ではありません"
Error NotAnIntegerError(std::string_view text);
/// "ファイル %s は開けません"
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
