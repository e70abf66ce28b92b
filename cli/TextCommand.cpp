#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "html/GradientText.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tinsora::cli {

int TextCommand(const std::vector<std::string>& args) {
    GradientTextOptions options;
    bool haveText = false;
    bool haveFile = false;
    bool haveBehavior = false;
    bool joined = false;
    bool crlf = false;
    bool optionsEnded = false;

    for (std::size_t k = 0; k < args.size(); ++k) {
        const std::string& a = args[k];
        if (optionsEnded || a.size() < 2 || a[0] != '-') {
            if (haveText)
                throw UsageError("only one TEXT may be given (put -- before a text that begins "
                                 "with \"-\")");
            options.text = a;
            haveText = true;
        } else if (a == "--") {
            optionsEnded = true;
        } else if (a == "--colors") {
            options.gradColors = ParseColors("--colors", TakeValue(args, k));
        } else if (a == "--count") {
            options.colorCountText = TakeValue(args, k);
        } else if (a == "--bold") {
            options.bold = true;
        } else if (a == "--italic") {
            options.italic = true;
        } else if (a == "--underline") {
            options.underline = true;
        } else if (a == "--strike") {
            options.strikeOut = true;
        } else if (a == "--tt") {
            options.tt = true;
        } else if (a == "--blink") {
            options.blink = true;
        } else if (a == "--sup" || a == "--sub") {
            if (options.tateIchi && options.sup != (a == "--sup"))
                throw UsageError("--sup and --sub exclude each other");
            options.tateIchi = true;
            options.sup = a == "--sup";
            options.sub = a == "--sub";
        } else if (a == "--scope") {
            options.scope = Choose<TagScope>(
                a, TakeValue(args, k), {{"char", TagScope::Char}, {"string", TagScope::String}});
        } else if (a == "--size") {
            options.sizeText = TakeValue(args, k);
        } else if (a == "--marquee") {
            options.marquee = true;
            options.marqueeDirection = Choose<MarqueeDirection>(
                a, TakeValue(args, k),
                {{"left", MarqueeDirection::Left}, {"right", MarqueeDirection::Right}});
        } else if (a == "--behavior") {
            haveBehavior = true;
            options.marqueeBehavior =
                Choose<MarqueeBehavior>(a, TakeValue(args, k),
                                        {{"scroll", MarqueeBehavior::Scroll},
                                         {"slide", MarqueeBehavior::Slide},
                                         {"alternate", MarqueeBehavior::Alternate}});
        } else if (a == "--joined") {
            joined = true;
        } else if (a == "--crlf") {
            crlf = true;
        } else if (a == "--encoding") {
            options.encoding = Choose<TextEncoding>(
                a, TakeValue(args, k),
                {{"utf-8", TextEncoding::Utf8}, {"cp932", TextEncoding::Cp932}});
        } else if (a == "--file") {
            if (haveFile)
                throw UsageError("only one --file may be given");
            options.fileName = TakeValue(args, k);
            options.source = GradientTextSource::File;
            haveFile = true;
        } else {
            throw UsageError("unknown option '" + a + "'");
        }
    }
    if (haveText == haveFile)
        throw UsageError(haveText ? "give TEXT or --file PATH, not both"
                                  : "give TEXT or --file PATH");
    if (haveBehavior && !options.marquee)
        throw UsageError("--behavior needs --marquee");

    // The output goes out as it is made: a large file's HTML never stands
    // whole in memory.
    const std::string_view lineEnd = crlf ? "\r\n" : "\n";
    StreamGradientText(options, joined ? std::string_view() : lineEnd,
                       [](std::string_view text) { WriteOut(text); });
    if (joined)
        WriteOut(lineEnd);
    return 0;
}

} // namespace tinsora::cli
