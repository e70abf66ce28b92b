#pragma once

#include <string>

namespace tinsora {

/// How the generators write their HTML.
enum class OutputStyle {
    Classic, ///< the markup of old: FONT elements and presentational attributes
    Html5,   ///< valid HTML5 with the presentation in CSS
};

/// Where the HTML5 + CSS style puts its CSS.
enum class CssForm {
    Inline,  ///< style attributes on the elements, a style sheet only where one is needed
    Classes, ///< a style sheet of class rules and class attributes only: no style attribute,
             ///< so that a page whose Content-Security-Policy allows that sheet shows it
};

/// The language of the few words an output has of its own (the comments marking the HTML5 + CSS
/// style's parts, a page's lang); the rest is the user's content, the same in every language.
enum class OutputLanguage { Japanese, English };

/// The form of a generator's output, shared by the three generators.
struct OutputOptions {
    OutputStyle style = OutputStyle::Classic;
    CssForm css = CssForm::Inline; ///< HTML5 + CSS only
    bool lineMode = true;         ///< one entry per line, indented ("整形"); otherwise all joined
    std::string lineEnd = "\r\n"; ///< written after every entry in line mode
    bool page = false;            ///< a whole HTML5 page around the output instead of the fragment
    OutputLanguage language = OutputLanguage::Japanese;
};

} // namespace tinsora
