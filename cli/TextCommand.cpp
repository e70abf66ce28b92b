#include "cli/CliSupport.h"
#include "cli/Commands.h"
#include "color/Contrast.h"
#include "html/GradientText.h"
#include "html/Markup.h"
#include "text/TextFile.h"

#include <cstdint>
#include <cstdio>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tinsora::cli {

namespace {

// A number of bytes: decimal digits only.
std::uint64_t ParseByteCount(std::string_view option, std::string_view value) {
    std::uint64_t count = 0;
    const auto fail = [&] {
        return UsageError(std::string(option) + ": " + QuotedInMessage(value) +
                          " is not a number of bytes");
    };
    if (value.empty())
        throw fail();
    for (const char c : value) {
        const auto digit = static_cast<std::uint64_t>(c - '0');
        if (c < '0' || c > '9' || count > (UINT64_MAX - digit) / 10)
            throw fail();
        count = count * 10 + digit;
    }
    return count;
}

} // namespace

TextArgs ParseTextArgs(const std::vector<std::string>& args) {
    TextArgs parsed;
    GradientTextOptions& options = parsed.options;
    options.lineEnd = std::string("\n");
    options.language = OutputLanguageOfLocale();
    std::string& fileName = parsed.fileName;
    bool haveText = false;
    bool haveFile = false;
    bool haveBehavior = false;
    bool optionsEnded = false;
    bool haveMaxInput = false;
    bool sizeGiven = false;
    bool haveBackground = false;
    OutputOptionsSeen seen;
    std::uint64_t& maxInput = parsed.maxInput;

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
        } else if (TakeOutputOption(args, k, options, true, &seen)) {
            continue;
        } else if (a == "--css-gradient") {
            options.cssGradient = true;
        } else if (a == "--check") {
            parsed.check = true;
        } else if (a == "--background") {
            parsed.background = RequireColor(a, TakeValue(args, k));
            haveBackground = true;
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
            sizeGiven = true;
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
        } else if (a == "--encoding") {
            options.encoding = Choose<TextEncoding>(
                a, TakeValue(args, k),
                {{"utf-8", TextEncoding::Utf8}, {"cp932", TextEncoding::Cp932}});
        } else if (a == "--file") {
            if (haveFile)
                throw UsageError("only one --file may be given");
            fileName = TakeValue(args, k);
            options.source = GradientTextSource::File;
            haveFile = true;
        } else if (a == "--max-input") {
            maxInput = ParseByteCount(a, TakeValue(args, k));
            haveMaxInput = true;
        } else {
            throw UsageError("unknown option " + QuotedInMessage(a));
        }
    }
    if (haveText == haveFile)
        throw UsageError(haveText ? "give TEXT or --file PATH, not both"
                                  : "give TEXT or --file PATH");
    if (haveBehavior && !options.marquee)
        throw UsageError("--behavior needs --marquee");
    if (haveMaxInput && !haveFile)
        throw UsageError("--max-input needs --file");
    if (haveBackground && !parsed.check)
        throw UsageError("--background needs --check");
    if (options.cssGradient && haveFile)
        throw UsageError("--css-gradient needs TEXT, not --file");
    CheckOutputOptions(options, seen, options.cssGradient ? "--css-gradient" : nullptr);
    // Without --size the HTML5 text takes the size of where it is put; the classic style
    // writes the size box's first value, as it always did.
    if (!sizeGiven && options.style == OutputStyle::Html5)
        options.sizeText.clear();

    if (options.page && options.encoding == TextEncoding::Cp932)
        throw UsageError("--page writes a UTF-8 page; it cannot be used with --encoding cp932");
    return parsed;
}

int TextCommand(const std::vector<std::string>& args) {
    TextArgs parsed = ParseTextArgs(args);
    GradientTextOptions& options = parsed.options;
    const std::string& fileName = parsed.fileName;
    const std::uint64_t maxInput = parsed.maxInput;
    // Bad sizes and counts are reported before the file is read, as the run meets them.
    CheckGradientText(options);
    std::string bytes;
    if (options.source == GradientTextSource::File) {
        // Read to its end, a pipe or a FIFO too, but never past the limit.
        try {
            bytes = ReadFileBytes(fileName, maxInput);
        } catch (const FileTooLargeError&) {
            throw Error(ShownInMessage(fileName, kShownPathLimit) +
                        ": larger than the input limit of " + std::to_string(maxInput) +
                        " bytes (--max-input BYTES)");
        }
        options.fileBytes = bytes;
    }
    StdoutSink out;
    WriteGradientText(options, out);
    if (!options.lineMode && !options.page)
        out.Write(options.lineEnd);
    out.Finish();
    if (!parsed.check)
        return 0;

    // The character whose colour has the least contrast against the background.
    const std::string background = "#" + HexColor(parsed.background);
    const auto lowest = LowestContrastColor(options, parsed.background);
    if (!lowest) {
        WriteOut("lowest contrast: no characters" + options.lineEnd);
        return 0;
    }
    const Contrast c = ContrastOf(*lowest, parsed.background);
    WriteOut("lowest contrast: " + ContrastRatioText(c) + " (#" + HexColor(*lowest) + " on " +
             background + ") (" + ContrastLevelsText(c, ", ") + ")" + options.lineEnd);
    if (c.aa)
        return 0;
    std::fprintf(stderr, "tinsora-cli: below AA (4.5:1) against %s: #%s\n", background.c_str(),
                 HexColor(*lowest).c_str());
    return 1;
}

} // namespace tinsora::cli
