#include "messages/Messages.h"

#include <array>
#include <cstdlib>
#include <utility>

#ifdef _WIN32
#include "text/Windows.h"
#endif

namespace tinsora {

namespace {

struct Sentence {
    MessageCode code;
    std::string_view japanese;
    std::string_view english;
};

// %1, %2 stand for the arguments in order.
constexpr std::array kSentences{
    Sentence{MessageCode::NotAnInteger, "%1 は整数ではありません", "%1 is not an integer"},
    Sentence{MessageCode::CannotOpen, "ファイル %1 は開けません", "Cannot open the file %1"},
    Sentence{MessageCode::CannotCreate, "ファイル %1 を作成できません",
             "Cannot create the file %1"},
    Sentence{MessageCode::WriteFailed, "ストリームへの書き込みエラー",
             "Error writing to the stream"},
    Sentence{MessageCode::ListIndex, "リストのインデックスが範囲を超えています (%1)",
             "List index out of bounds (%1)"},
    Sentence{MessageCode::OutputTooLarge, "出力が大きすぎます (%1 バイト。上限は %2 バイトです)",
             "The output is too large (%1 bytes; the limit is %2 bytes)"},
    Sentence{MessageCode::FileTooLarge, "ファイル %1 は大きすぎます (上限は %2 バイトです)",
             "The file %1 is too large (the limit is %2 bytes)"},
    Sentence{MessageCode::CssLength, "%1 は CSS の長さとして使えません",
             "%1 cannot be written as a CSS length"},
    Sentence{MessageCode::CssGradientFile, "CSS gradient の文字にテキストファイルは使えません",
             "A CSS gradient cannot colour a text file"},
    Sentence{MessageCode::CssGradientSize, "CSS gradient にはセルの幅と高さが必要です",
             "A CSS gradient needs the cell width and height"},
    Sentence{MessageCode::CssGradientPercent,
             "'%1' は CSS gradient に使えません (% は表の幅に対する割合です)",
             "'%1' cannot be used in a CSS gradient (% is a share of the table's width)"},
};

// The pattern with %1 .. %9 replaced by the arguments, in one pass: an argument that holds "%2"
// stays as it is.
std::string Filled(std::string_view pattern, const std::vector<std::string>& arguments) {
    std::string out;
    for (std::size_t k = 0; k < pattern.size(); ++k) {
        if (pattern[k] == '%' && k + 1 < pattern.size() && pattern[k + 1] >= '1' &&
            pattern[k + 1] <= '9') {
            const auto n = static_cast<std::size_t>(pattern[k + 1] - '1');
            if (n < arguments.size())
                out += arguments[n];
            ++k;
        } else {
            out += pattern[k];
        }
    }
    return out;
}

bool Set(const char* value) {
    return value != nullptr && *value != '\0';
}

} // namespace

std::string Worded(const Error& error, Language language) {
    if (error.Code() == MessageCode::Worded)
        return error.Arguments().empty() ? std::string() : error.Arguments().front();
    for (const Sentence& s : kSentences)
        if (s.code == error.Code())
            return Filled(language == Language::Japanese ? s.japanese : s.english,
                          error.Arguments());
    return error.what();
}

Language LanguageOfLocaleName(std::string_view name) {
    const bool japanese =
        name.substr(0, 2) == "ja" && (name.size() == 2 || name[2] == '_' || name[2] == '.' ||
                                      name[2] == '@' || name[2] == '-' || name[2] == ':');
    return japanese ? Language::Japanese : Language::English;
}

Language LanguageOfEnvironment(const char* language, const char* lcAll, const char* lcMessages,
                               const char* lang) {
    const char* locale = Set(lcAll) ? lcAll : Set(lcMessages) ? lcMessages : Set(lang) ? lang : "";
    const std::string_view name(locale);
    const bool plain = name.empty() || name == "C" || name == "POSIX" || name.substr(0, 2) == "C.";
    if (!plain && Set(language)) {
        // The first entry of the list; an empty one is passed over.
        std::string_view list(language);
        while (!list.empty()) {
            const std::size_t colon = list.find(':');
            const std::string_view first = list.substr(0, colon);
            if (!first.empty())
                return LanguageOfLocaleName(first);
            if (colon == std::string_view::npos)
                break;
            list.remove_prefix(colon + 1);
        }
    }
    return LanguageOfLocaleName(name);
}

Language MessageLanguage() {
    const char* lcAll = std::getenv("LC_ALL");
    const char* lcMessages = std::getenv("LC_MESSAGES");
    const char* lang = std::getenv("LANG");
#ifdef _WIN32
    if (!Set(lcAll) && !Set(lcMessages) && !Set(lang))
        return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE ? Language::Japanese
                                                                          : Language::English;
#endif
    return LanguageOfEnvironment(std::getenv("LANGUAGE"), lcAll, lcMessages, lang);
}

} // namespace tinsora
