// The command line's argument parsing of every command over any argument lists: the input is
// the command's name and its arguments, separated by zero bytes (cli_args.dict holds the
// options and values of all commands). Parsing gives the options
// or a usage error and nothing else (any other error, or an attempt to write, ends the run:
// standard output is /dev/full here); it reads no file and generates nothing, whatever the
// counts and the file named (a FIFO that nobody writes to: opening it would wait for ever, and
// the run would end as a timeout); it agrees with a model of every command's options written
// here (a mistake where the model sees one, the same options otherwise); parsing twice gives
// the same; and the options parsed, written back as arguments, parse to the same options again.
#include "FuzzCheck.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

using namespace tinsora;
using namespace tinsora::cli;

using Args = std::vector<std::string>;

std::string fifo; // the path of a FIFO nobody writes to

// The arguments of the input, separated by zero bytes; "@fifo" stands for the FIFO's path.
Args Split(std::string_view input) {
    Args args;
    while (true) {
        const std::size_t end = input.find('\0');
        const std::string_view arg = input.substr(0, end);
        args.emplace_back(arg == "@fifo" ? std::string_view(fifo) : arg);
        if (end == std::string_view::npos)
            return args;
        input.remove_prefix(end + 1);
    }
}

// ---- The options as one text each, every field of them.

std::string Hex(const ColorRGB& c) {
    return "#" + ChannelToHex(c.Red) + ChannelToHex(c.Green) + ChannelToHex(c.Blue);
}

std::string Output(const OutputOptions& o) {
    return std::string(o.style == OutputStyle::Html5 ? "html5" : "classic") +
           (o.lineMode ? " lines" : " joined") + (o.lineEnd == "\r\n" ? " crlf" : " lf") +
           (o.page ? " page" : "") + (o.css == CssForm::Classes ? " classes" : " inline") + "|";
}

std::string Describe(const ColorArgs& a) {
    return std::to_string(a.type) + (a.sharp ? " sharp " : " plain ") + Hex(a.color);
}

std::string Describe(const BodyArgs& a) {
    std::string s = Output(a.options) + (a.check ? "check" : "");
    for (const ColorRGB& c : a.options.colors)
        s += " " + Hex(c);
    return s;
}

std::string Describe(const GradientTableOptions& o) {
    std::string s = Output(o) + o.cols + "|" + o.rows + "|" + o.padding + "|" + o.spacing + "|" +
                    o.width + "|" + o.height + "|" + (o.cssGradient ? "css" : "");
    for (const ColorRGB& c : o.colors)
        s += " " + Hex(c);
    return s;
}

std::string Describe(const TextArgs& a) {
    const GradientTextOptions& o = a.options;
    std::string s = Output(o);
    s += (o.source == GradientTextSource::File ? "file:" + a.fileName : "text:" + o.text) + "|";
    s += std::to_string(a.maxInput) + "|" + o.colorCountText + "|" + o.sizeText + "|" +
         std::to_string(o.lastGradColor) + "|";
    s += (a.check ? "check " + Hex(a.background) : std::string("nocheck")) + "|";
    for (const bool b : {o.bold, o.italic, o.underline, o.strikeOut, o.tt, o.blink, o.tateIchi,
                         o.sup, o.sub, o.marquee, o.cssGradient})
        s += b ? '1' : '0';
    s += std::to_string(static_cast<int>(o.marqueeDirection)) +
         std::to_string(static_cast<int>(o.marqueeBehavior)) +
         std::to_string(static_cast<int>(o.scope)) + std::to_string(static_cast<int>(o.encoding));
    FUZZ_CHECK(o.fileBytes.empty()); // nothing read
    for (const ColorRGB& c : o.gradColors)
        s += " " + Hex(c);
    return s;
}

std::string Describe(const ContrastArgs& a) {
    return Hex(a.foreground) + " " + Hex(a.background);
}

// ---- The model: every command's options as its usage text and the README give them, parsed
// here once more, into the program's option types; nothing for a usage mistake.

struct Mistake {}; // a usage mistake, whatever its message

class Reader {
public:
    explicit Reader(const Args& args) : args_(args) {}
    bool More() const { return at_ < args_.size(); }
    const std::string& Next() { return args_[at_++]; }
    // The value after an option; a mistake when there is none.
    const std::string& Value() {
        if (!More())
            throw Mistake{};
        return Next();
    }

private:
    const Args& args_;
    std::size_t at_ = 0;
};

template <typename T>
T Pick(const std::string& value, std::initializer_list<std::pair<const char*, T>> names) {
    for (const auto& [name, result] : names)
        if (value == name)
            return result;
    throw Mistake{};
}

ColorRGB ModelColor(const std::string& text) {
    const auto color = ParseColor(text);
    if (!color)
        throw Mistake{};
    return *color;
}

// Four colours separated by commas; a comma inside brackets belongs to its colour.
GradientColors ModelColors(const std::string& list) {
    std::vector<std::string> items(1);
    int depth = 0;
    for (const char c : list) {
        if (c == ',' && depth == 0) {
            items.emplace_back();
            continue;
        }
        depth += c == '(' ? 1 : c == ')' && depth > 0 ? -1 : 0;
        items.back() += c;
    }
    if (items.size() != 4)
        throw Mistake{};
    GradientColors colors{};
    for (std::size_t k = 0; k < 4; ++k)
        colors[k] = ModelColor(items[k]);
    return colors;
}

// The options of the output's form: true when option is one of them (its value read).
bool ModelOutput(const std::string& option, Reader& in, OutputOptions& o, bool joinable) {
    if (option == "--style")
        o.style = Pick<OutputStyle>(
            in.Value(), {{"classic", OutputStyle::Classic}, {"html5", OutputStyle::Html5}});
    else if (option == "--css")
        o.css =
            Pick<CssForm>(in.Value(), {{"inline", CssForm::Inline}, {"classes", CssForm::Classes}});
    else if (option == "--joined" && joinable)
        o.lineMode = false;
    else if (option == "--crlf")
        o.lineEnd = "\r\n";
    else if (option == "--page")
        o.page = true;
    else
        return false;
    return true;
}

// Made of CSS (class rules, a CSS gradient), the output is in the HTML5 + CSS style, which it
// asks for itself; another style given beside it is a mistake.
void ModelCssStyle(OutputOptions& o, bool styleGiven, bool cssGradient) {
    if (!cssGradient && o.css != CssForm::Classes)
        return;
    if (styleGiven && o.style != OutputStyle::Html5)
        throw Mistake{};
    o.style = OutputStyle::Html5;
}

bool IsOption(const std::string& a) {
    return a.size() > 1 && a[0] == '-';
}

ColorArgs ModelColorArgs(const Args& args) {
    ColorArgs parsed;
    std::optional<std::string> color;
    for (Reader in(args); in.More();) {
        const std::string& a = in.Next();
        if (a == "--type")
            parsed.type = Pick<ColType>(in.Value(), {{"hex", ctHex},
                                                     {"rgb", ctRGB},
                                                     {"vb", ctVB},
                                                     {"cb", ctCB},
                                                     {"css-rgb", ctCssRgb},
                                                     {"css-hsl", ctCssHsl}});
        else if (a == "--no-sharp")
            parsed.sharp = false;
        else if (IsOption(a) || color)
            throw Mistake{};
        else
            color = a;
    }
    if (!color)
        throw Mistake{};
    parsed.color = ModelColor(*color);
    return parsed;
}

BodyArgs ModelBodyArgs(const Args& args) {
    BodyArgs parsed;
    parsed.options.lineEnd = "\n";
    bool styleGiven = false;
    const char* roles[] = {"--bgcolor", "--text", "--link", "--vlink", "--alink"};
    for (Reader in(args); in.More();) {
        const std::string& a = in.Next();
        styleGiven = styleGiven || a == "--style";
        if (ModelOutput(a, in, parsed.options, false))
            continue;
        if (a == "--check") {
            parsed.check = true;
            continue;
        }
        const auto role = std::find(std::begin(roles), std::end(roles), a);
        if (role == std::end(roles))
            throw Mistake{};
        parsed.options.colors[static_cast<std::size_t>(role - std::begin(roles))] =
            ModelColor(in.Value());
    }
    ModelCssStyle(parsed.options, styleGiven, false);
    return parsed;
}

GradientTableOptions ModelTableArgs(const Args& args) {
    GradientTableOptions o;
    o.lineEnd = "\n";
    bool styleGiven = false;
    const std::pair<const char*, std::string GradientTableOptions::*> texts[] = {
        {"--cols", &GradientTableOptions::cols},
        {"--rows", &GradientTableOptions::rows},
        {"--padding", &GradientTableOptions::padding},
        {"--spacing", &GradientTableOptions::spacing},
        {"--width", &GradientTableOptions::width},
        {"--height", &GradientTableOptions::height}};
    for (Reader in(args); in.More();) {
        const std::string& a = in.Next();
        styleGiven = styleGiven || a == "--style";
        if (ModelOutput(a, in, o, true))
            continue;
        const auto text = std::find_if(std::begin(texts), std::end(texts),
                                       [&](const auto& t) { return a == t.first; });
        if (text != std::end(texts))
            o.*(text->second) = in.Value();
        else if (a == "--colors")
            o.colors = ModelColors(in.Value());
        else if (a == "--css-gradient")
            o.cssGradient = true;
        else
            throw Mistake{};
    }
    ModelCssStyle(o, styleGiven, o.cssGradient);
    return o;
}

// A number of bytes: decimal digits only, within 64 bits.
std::uint64_t ModelByteCount(const std::string& value) {
    if (value.empty() || value.find_first_not_of("0123456789") != std::string::npos)
        throw Mistake{};
    std::uint64_t count = 0;
    const auto r = std::from_chars(value.data(), value.data() + value.size(), count);
    if (r.ec != std::errc())
        throw Mistake{};
    return count;
}

TextArgs ModelTextArgs(const Args& args) {
    TextArgs parsed;
    GradientTextOptions& o = parsed.options;
    o.lineEnd = "\n";
    std::optional<std::string> text;
    bool file = false, behavior = false, maxInput = false, ended = false, styleGiven = false,
         background = false, sizeGiven = false;
    const std::pair<const char*, bool GradientTextOptions::*> flags[] = {
        {"--bold", &GradientTextOptions::bold},
        {"--italic", &GradientTextOptions::italic},
        {"--underline", &GradientTextOptions::underline},
        {"--strike", &GradientTextOptions::strikeOut},
        {"--tt", &GradientTextOptions::tt},
        {"--blink", &GradientTextOptions::blink}};
    for (Reader in(args); in.More();) {
        const std::string& a = in.Next();
        // After "--", and for anything that does not look like an option: the TEXT, once.
        if (ended || !IsOption(a)) {
            if (text)
                throw Mistake{};
            text = a;
            continue;
        }
        const auto flag = std::find_if(std::begin(flags), std::end(flags),
                                       [&](const auto& f) { return a == f.first; });
        styleGiven = styleGiven || a == "--style";
        if (a == "--") {
            ended = true;
        } else if (ModelOutput(a, in, o, true)) {
        } else if (a == "--css-gradient") {
            o.cssGradient = true;
        } else if (a == "--check") {
            parsed.check = true;
        } else if (a == "--background") {
            parsed.background = ModelColor(in.Value());
            background = true;
        } else if (flag != std::end(flags)) {
            o.*(flag->second) = true;
        } else if (a == "--sup" || a == "--sub") {
            const bool sup = a == "--sup";
            if (o.tateIchi && o.sup != sup)
                throw Mistake{}; // the two exclude each other
            o.tateIchi = true;
            o.sup = sup;
            o.sub = !sup;
        } else if (a == "--colors") {
            o.gradColors = ModelColors(in.Value());
        } else if (a == "--count") {
            o.colorCountText = in.Value();
        } else if (a == "--size") {
            o.sizeText = in.Value();
            sizeGiven = true;
        } else if (a == "--scope") {
            o.scope = Pick<TagScope>(in.Value(),
                                     {{"char", TagScope::Char}, {"string", TagScope::String}});
        } else if (a == "--marquee") {
            o.marquee = true;
            o.marqueeDirection = Pick<MarqueeDirection>(
                in.Value(), {{"left", MarqueeDirection::Left}, {"right", MarqueeDirection::Right}});
        } else if (a == "--behavior") {
            behavior = true;
            o.marqueeBehavior =
                Pick<MarqueeBehavior>(in.Value(), {{"scroll", MarqueeBehavior::Scroll},
                                                   {"slide", MarqueeBehavior::Slide},
                                                   {"alternate", MarqueeBehavior::Alternate}});
        } else if (a == "--encoding") {
            o.encoding = Pick<TextEncoding>(
                in.Value(), {{"utf-8", TextEncoding::Utf8}, {"cp932", TextEncoding::Cp932}});
        } else if (a == "--file") {
            if (file)
                throw Mistake{};
            file = true;
            parsed.fileName = in.Value();
            o.source = GradientTextSource::File;
        } else if (a == "--max-input") {
            maxInput = true;
            parsed.maxInput = ModelByteCount(in.Value());
        } else {
            throw Mistake{};
        }
    }
    // TEXT or a file, not both; --behavior only with --marquee; --max-input only with a file;
    // a page is UTF-8.
    // --background only with --check; the CSS gradient of a TEXT only.
    if (text.has_value() == file || (behavior && !o.marquee) || (maxInput && !file) ||
        (o.page && o.encoding == TextEncoding::Cp932) || (background && !parsed.check) ||
        (o.cssGradient && file))
        throw Mistake{};
    ModelCssStyle(o, styleGiven, o.cssGradient);
    // Without a size the HTML5 text takes the size of where it is put.
    if (!sizeGiven && o.style == OutputStyle::Html5)
        o.sizeText.clear();
    if (text)
        o.text = *text;
    return parsed;
}

ContrastArgs ModelContrastArgs(const Args& args) {
    if (args.size() != 2 || IsOption(args[0]) || IsOption(args[1]))
        throw Mistake{};
    return {ModelColor(args[0]), ModelColor(args[1])};
}

// What the model makes of the arguments, as Outcome shows the program's: the description, or
// a mark of a usage mistake.
template <typename Model> std::string ModelOutcome(Model model, const Args& args) {
    try {
        return Describe(model(args));
    } catch (const Mistake&) {
        return "usage";
    }
}

// ---- The options written back as arguments.

void AddOutput(Args& args, const OutputOptions& o, bool joinable) {
    args.insert(args.end(), {"--style", o.style == OutputStyle::Html5 ? "html5" : "classic"});
    if (joinable && !o.lineMode)
        args.emplace_back("--joined");
    if (o.lineEnd == "\r\n")
        args.emplace_back("--crlf");
    if (o.page)
        args.emplace_back("--page");
    args.insert(args.end(), {"--css", o.css == CssForm::Classes ? "classes" : "inline"});
}

std::string ColorList(const GradientColors& colors) {
    std::string list;
    for (const ColorRGB& c : colors)
        list += (list.empty() ? "" : ",") + Hex(c);
    return list;
}

Args ArgsOf(const ColorArgs& a) {
    static constexpr const char* kTypes[] = {"hex", "rgb", "vb", "cb", "css-rgb", "css-hsl"};
    Args args{"--type", kTypes[a.type]};
    if (!a.sharp)
        args.emplace_back("--no-sharp");
    args.push_back(Hex(a.color));
    return args;
}

Args ArgsOf(const BodyArgs& a) {
    Args args;
    const char* roles[] = {"--bgcolor", "--text", "--link", "--vlink", "--alink"};
    for (std::size_t k = 0; k < a.options.colors.size(); ++k)
        args.insert(args.end(), {roles[k], Hex(a.options.colors[k])});
    if (a.check)
        args.emplace_back("--check");
    AddOutput(args, a.options, false);
    return args;
}

Args ArgsOf(const GradientTableOptions& o) {
    Args args{
        "--cols",  o.cols,    "--rows", o.rows,     "--padding", o.padding,  "--spacing",
        o.spacing, "--width", o.width,  "--height", o.height,    "--colors", ColorList(o.colors)};
    if (o.cssGradient)
        args.emplace_back("--css-gradient");
    AddOutput(args, o, true);
    return args;
}

Args ArgsOf(const TextArgs& a) {
    const GradientTextOptions& o = a.options;
    Args args{"--colors",   ColorList(o.gradColors),
              "--count",    o.colorCountText,
              "--size",     o.sizeText,
              "--scope",    o.scope == TagScope::Char ? "char" : "string",
              "--encoding", o.encoding == TextEncoding::Utf8 ? "utf-8" : "cp932"};
    const std::pair<bool, const char*> flags[] = {{o.bold, "--bold"},
                                                  {o.italic, "--italic"},
                                                  {o.underline, "--underline"},
                                                  {o.strikeOut, "--strike"},
                                                  {o.tt, "--tt"},
                                                  {o.blink, "--blink"},
                                                  {o.cssGradient, "--css-gradient"}};
    for (const auto& [on, flag] : flags)
        if (on)
            args.emplace_back(flag);
    if (o.tateIchi)
        args.emplace_back(o.sup ? "--sup" : "--sub");
    if (o.marquee) {
        args.insert(args.end(),
                    {"--marquee", o.marqueeDirection == MarqueeDirection::Left ? "left" : "right"});
        static constexpr const char* kBehaviors[] = {"scroll", "slide", "alternate"};
        args.insert(args.end(), {"--behavior", kBehaviors[static_cast<int>(o.marqueeBehavior)]});
    }
    AddOutput(args, o, true);
    if (a.check)
        args.insert(args.end(), {"--check", "--background", Hex(a.background)});
    if (o.source == GradientTextSource::File) {
        args.insert(args.end(), {"--file", a.fileName, "--max-input", std::to_string(a.maxInput)});
    } else {
        args.insert(args.end(), {"--", o.text});
    }
    return args;
}

Args ArgsOf(const ContrastArgs& a) {
    return {Hex(a.foreground), Hex(a.background)};
}

// Parses twice; the options' description, or the usage error's message after "usage: ".
template <typename Parse> std::string Outcome(Parse parse, const Args& args) {
    std::string first, second;
    for (std::string* outcome : {&first, &second}) {
        try {
            *outcome = Describe(parse(args));
        } catch (const UsageError& e) {
            FUZZ_CHECK(e.what()[0] != '\0');
            *outcome = std::string("usage: ") + e.what();
        }
    }
    FUZZ_CHECK(first == second);
    return first;
}

template <typename Parse, typename Model> void Check(Parse parse, Model model, const Args& args) {
    const std::string outcome = Outcome(parse, args);
    const std::string modelled = ModelOutcome(model, args);
    if ((outcome.starts_with("usage: ") ? "usage" : outcome) != modelled) {
        std::fprintf(stderr, "cli: parsed as  %s\ncli: the model says  %s\n", outcome.c_str(),
                     modelled.c_str());
        std::abort();
    }
    if (outcome.starts_with("usage: "))
        return;
    const Args again = ArgsOf(parse(args));
    const std::string back = Outcome(parse, again);
    if (back != outcome) {
        std::fprintf(stderr, "cli: parsed as  %s\ncli: written back, parsed as  %s\n",
                     outcome.c_str(), back.c_str());
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Anything the parser writes fails, and the failure ends the run.
    if (!std::freopen("/dev/full", "w", stdout))
        std::abort();
    const char* tmp = std::getenv("TMPDIR");
    fifo = std::string(tmp && *tmp ? tmp : "/tmp") + "/tinsora-fuzz-cli-" +
           std::to_string(getpid()) + ".fifo";
    unlink(fifo.c_str());
    if (mkfifo(fifo.c_str(), 0600) != 0)
        std::abort();
    std::atexit([] { unlink(fifo.c_str()); });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const bool commandsKnown = [] {
        // Every command is fuzzed here: a new one needs its parser added.
        std::string names;
        for (const Command& c : AllCommands())
            names += std::string(c.name) + " ";
        FUZZ_CHECK(names == "color body table text contrast ");
        return true;
    }();
    static_cast<void>(commandsKnown);

    // The first argument names the command, as on the command line.
    Args args = Split(fuzz::AsText(data, size));
    const std::string command = args.front();
    args.erase(args.begin());
    if (command == "color")
        Check(ParseColorArgs, ModelColorArgs, args);
    else if (command == "body")
        Check(ParseBodyArgs, ModelBodyArgs, args);
    else if (command == "table")
        Check(ParseTableArgs, ModelTableArgs, args);
    else if (command == "text")
        Check(ParseTextArgs, ModelTextArgs, args);
    else if (command == "contrast")
        Check(ParseContrastArgs, ModelContrastArgs, args);
    return 0;
}
