#include "text/Error.h"

namespace tinsora {

Error NotAnIntegerError(std::string_view text) {
    return Error("'" + std::string(text) + "' は整数ではありません");
}

Error CannotOpenError(std::string_view path) {
    return Error("ファイル " + std::string(path) + " は開けません");
}

Error CannotCreateError(std::string_view path) {
    return Error("ファイル " + std::string(path) + " を作成できません");
}

Error WriteError() {
    return Error("ストリームへの書き込みエラー");
}

Error ListIndexError(long long index) {
    return Error("リストのインデックスが範囲を超えています (" + std::to_string(index) + ")");
}

Error OutputTooLargeError(std::string_view size, unsigned long long limit) {
    return Error("出力が大きすぎます (" + std::string(size) + " バイト。上限は " +
                 std::to_string(limit) + " バイトです)");
}

std::string ErrorBoxText(std::string_view message) {
    std::string text(message);
    // Compared as code page 932 bytes would be: every byte of a multi-byte
    // character lies above ".", so only an ASCII last character can suppress it.
    if (text.empty() || static_cast<unsigned char>(text.back()) > '.')
        text += '.';
    return text;
}

} // namespace tinsora
