// The command line's argument parsing of every command over any argument lists: the input is
// the command's name and its arguments, separated by zero bytes (cli_args.dict holds the
// options and values of all commands). Parsing gives the options
// or a usage error and nothing else (any other error, or an attempt to write, ends the run:
// standard output is /dev/full here); it reads no file and generates nothing, whatever the
// counts and the file named (a FIFO that nobody writes to: opening it would wait for ever, and
// the run would end as a timeout); parsing twice gives the same; and the options parsed,
// written back as arguments, parse to the same options again.
#include "FuzzCheck.h"
#include "cli/CliSupport.h"
#include "cli/Commands.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
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

template <typename Parse> void Check(Parse parse, const Args& args) {
    const std::string outcome = Outcome(parse, args);
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
        Check(ParseColorArgs, args);
    else if (command == "body")
        Check(ParseBodyArgs, args);
    else if (command == "table")
        Check(ParseTableArgs, args);
    else if (command == "text")
        Check(ParseTextArgs, args);
    else if (command == "contrast")
        Check(ParseContrastArgs, args);
    return 0;
}
