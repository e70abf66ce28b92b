#pragma once

// The words of the program's messages, in each language it speaks: the one place the sentences
// of an Error's codes are written, for the window and the command line alike.

#include "text/Error.h"

#include <string>
#include <string_view>

namespace tinsora {

enum class Language { Japanese, English };

/// The sentence of an error in a language, its arguments put in.
std::string Worded(const Error& error, Language language);

/// The language of a locale name as the environment gives it ("ja_JP.UTF-8", "en", "C"):
/// Japanese for "ja" and its regions, English for anything else.
Language LanguageOfLocaleName(std::string_view name);

/// The language messages are written in, chosen from the environment as gettext chooses:
/// LC_ALL, LC_MESSAGES or LANG, the first one set and not empty, names the locale; LANGUAGE, a
/// list of languages separated by ':', comes first unless that locale is "C" or "POSIX". Each
/// argument is the variable's value, or null when it is not set.
Language LanguageOfEnvironment(const char* language, const char* lcAll, const char* lcMessages,
                               const char* lang);

/// LanguageOfEnvironment of this process's environment; on Windows, where none of them is set,
/// the user's language of the system.
Language MessageLanguage();

} // namespace tinsora
