#include "render_options.h"

#include "decimal_number.h"
#include "message_line.h"
#include "render_context.h"

#include "canvas/trace_surface.h"
#include "probe/probe.h"
#include "scenes/medium.h"
#include "scenes/scene_catalogue.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>
#include <set>

namespace kelvora::render {

namespace {

// The options as given, before they are checked against each other.
struct GivenOptions {
    std::optional<int> scene;
    std::optional<int> frames;
    std::optional<int> frame;
    std::optional<int> param;
    bool paramAll = false;  // --param all
    std::optional<int> delay;
    std::optional<PixelSize> size;
    std::optional<PixelSize> screen;
    std::optional<std::string> png;
    std::optional<std::string> gif;
    std::optional<std::string> sheet;
    std::optional<double> scale;
    std::vector<ProbePlace> probes;
    bool trace = false;
    bool all = false;
};

const std::set<std::string>& optionsWithValue()
{
    static const std::set<std::string> names = {
        "--scene", "--frames", "--frame", "--param", "--size", "--screen", "--png", "--gif", "--delay", "--sheet", "--scale",
        "--probe"};
    return names;
}

const std::set<std::string>& flagOptions()
{
    static const std::set<std::string> names = {"--all", "--trace"};
    return names;
}

std::string quoted(const std::string& text) { return "'" + text + "'"; }

// A whole decimal number: an optional minus sign and digits, nothing else.
std::optional<int> wholeNumber(const std::string& option, const std::string& text, std::string& error)
{
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, status] = std::from_chars(text.data(), end, value);
    if (status == std::errc::result_out_of_range) {
        error = option + ": " + quoted(text) + " is out of range";
        return std::nullopt;
    }
    if (text.empty() || status != std::errc() || stop != end) {
        error = option + ": " + quoted(text) + " is not a whole number";
        return std::nullopt;
    }
    return value;
}

std::optional<int> numberIn(
    const std::string& option, const std::string& text, int low, int high, std::string& error)
{
    const std::optional<int> value = wholeNumber(option, text, error);
    if (value && (*value < low || *value > high)) {
        error = option + ": " + text + " is outside " + std::to_string(low) + ".." + std::to_string(high);
        return std::nullopt;
    }
    return value;
}

bool allDigits(const std::string& text)
{
    return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos;
}

// WIDTHxHEIGHT, each side 1..16384 pixels.
std::optional<PixelSize> pixelSize(const std::string& option, const std::string& text, std::string& error)
{
    const std::size_t cross = text.find('x');
    const std::string width = cross == std::string::npos ? std::string() : text.substr(0, cross);
    const std::string height = cross == std::string::npos ? std::string() : text.substr(cross + 1);
    if (!allDigits(width) || !allDigits(height)) {
        error = option + ": " + quoted(text) + " is not WIDTHxHEIGHT (for example 960x600)";
        return std::nullopt;
    }
    // Compared as text first, so very long numbers cannot overflow.
    const auto side = [](const std::string& digits) {
        const std::size_t first = std::min(digits.find_first_not_of('0'), digits.size() - 1);
        const std::string trimmed = digits.substr(first);
        return trimmed.size() > 5 ? kMaxSide + 1 : std::stoi(trimmed);
    };
    const PixelSize size{side(width), side(height)};
    if (size.width > kMaxSide || size.height > kMaxSide) {
        error = option + ": " + text + " is over " + std::to_string(kMaxSide) + " pixels on a side";
        return std::nullopt;
    }
    if (size.width < 1 || size.height < 1) {
        error = option + ": " + text + " has a side of 0 pixels";
        return std::nullopt;
    }
    return size;
}

// A ratio from 1 to 4, such as 2 or 1.5.
std::optional<double> scaleRatio(const std::string& option, const std::string& text, std::string& error)
{
    const std::optional<double> value = ParseDecimalNumber(text);
    if (!value || !(*value >= 1.0 && *value <= kMaxScale)) {
        error = option + ": " + quoted(text) + " is not a number from 1 to 4";
        return std::nullopt;
    }
    return value;
}

// X or X,Y: finite numbers in the scene's user coordinates.
std::optional<ProbePlace> probePlace(const std::string& text, std::string& error)
{
    const std::size_t comma = text.find(',');
    const std::optional<double> x = ParseDecimalNumber(std::string_view(text).substr(0, comma));
    std::optional<double> y;
    if (comma != std::string::npos)
        y = ParseDecimalNumber(std::string_view(text).substr(comma + 1));
    if (!x || (comma != std::string::npos && !y)) {
        error = "--probe: " + quoted(text) + " is not X or X,Y";
        return std::nullopt;
    }
    return ProbePlace{*x, y};
}

// Stores the value of one option; false with error set when it is bad.
bool takeValue(GivenOptions& given, const std::string& option, const std::string& value, std::string& error)
{
    if (option == "--scene")
        return bool(given.scene = numberIn(option, value, 0, kSceneCount - 1, error));
    if (option == "--frames") {
        given.frames = wholeNumber(option, value, error);
        if (given.frames && *given.frames != 12 && *given.frames != 24) {
            error = "--frames: " + value + " is not 12 or 24";
            return false;
        }
        return bool(given.frames);
    }
    if (option == "--frame")
        return bool(given.frame = wholeNumber(option, value, error));
    if (option == "--param") {
        given.paramAll = value == "all";
        return given.paramAll || bool(given.param = wholeNumber(option, value, error));
    }
    if (option == "--delay")
        return bool(given.delay = numberIn(option, value, 0, kMaxDelayMs, error));
    if (option == "--size")
        return bool(given.size = pixelSize(option, value, error));
    if (option == "--screen")
        return bool(given.screen = pixelSize(option, value, error));
    if (option == "--scale")
        return bool(given.scale = scaleRatio(option, value, error));
    if (option == "--probe") {
        const std::optional<ProbePlace> place = probePlace(value, error);
        if (place)
            given.probes.push_back(*place);
        return bool(place);
    }
    if (value.empty()) {
        error = option + ": empty file name";
        return false;
    }
    (option == "--png" ? given.png : option == "--gif" ? given.gif : given.sheet) = value;
    return true;
}

// Reads the arguments in order; the first problem wins.
std::optional<GivenOptions> scan(const std::vector<std::string>& arguments, std::string& error)
{
    GivenOptions given;
    std::set<std::string> seen;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool takesValue = optionsWithValue().count(argument) > 0;
        if (!takesValue && flagOptions().count(argument) == 0) {
            if (argument.rfind("-", 0) == 0)
                error = "unknown option " + quoted(argument);
            else
                error = "unexpected argument " + quoted(argument);
            return std::nullopt;
        }
        // Two probes can be compared; every other option is given once.
        if (argument == "--probe" && static_cast<int>(given.probes.size()) == kMaxProbes) {
            error = "--probe is given more than twice";
            return std::nullopt;
        }
        if (argument != "--probe" && !seen.insert(argument).second) {
            error = argument + " is given more than once";
            return std::nullopt;
        }
        if (!takesValue) {
            (argument == "--all" ? given.all : given.trace) = true;
            continue;
        }
        // The next argument is the value unless it is another option; a
        // single dash still starts a (negative) number.
        if (i + 1 == arguments.size() || arguments[i + 1].rfind("--", 0) == 0) {
            error = argument + " needs a value";
            return std::nullopt;
        }
        if (!takeValue(given, argument, arguments[++i], error))
            return std::nullopt;
    }
    return given;
}

// The one output mode given (checkOutputMode finds more than one).
OutputMode modeOf(const GivenOptions& given)
{
    return given.png ? OutputMode::Png
        : given.gif  ? OutputMode::Gif
        : given.sheet ? OutputMode::Sheet
                     : OutputMode::Trace;
}

bool hasPdfSuffix(const std::string& name)
{
    if (name.size() < 4)
        return false;
    std::string suffix = name.substr(name.size() - 4);
    std::transform(suffix.begin(), suffix.end(), suffix.begin(), [](unsigned char c) { return std::tolower(c); });
    return suffix == ".pdf";
}

std::string checkOutputMode(const GivenOptions& given)
{
    std::vector<std::string> modes;
    if (given.png)
        modes.push_back("--png");
    if (given.gif)
        modes.push_back("--gif");
    if (given.trace)
        modes.push_back("--trace");
    if (given.sheet)
        modes.push_back("--sheet");
    if (modes.empty())
        return "one of --png FILE, --gif FILE, --sheet FILE or --trace is required";
    if (modes.size() > 1)
        return modes[0] + " and " + modes[1] + " cannot be used together";
    if (given.frame && given.all)
        return "--frame and --all cannot be used together";
    // A GIF holds every frame anyway, so --all and --frame K are accepted
    // with it (K is still checked against the loop) and change nothing.
    if (given.all && !AllFramesApply(modeOf(given)))
        return "--all works only with --trace or --gif";
    if (given.delay && !given.gif)
        return "--delay works only with --gif";
    if (given.scale && given.trace)
        return "--scale does not apply to --trace";
    if (given.frame && given.sheet)
        return "--frame does not apply to --sheet, which shows every frame";
    if (given.paramAll && !given.sheet)
        return "--param all works only with --sheet, which gives each value a page";
    // A worksheet is a PDF whatever its name says; a name that says
    // otherwise is a slip, and a file that lies about its kind would not open.
    if (given.sheet && !hasPdfSuffix(*given.sheet))
        return "--sheet: " + quoted(*given.sheet) + " does not end in .pdf";
    return {};
}

// How a probe place is written back in a message.
std::string placeText(const ProbePlace& place)
{
    return TraceNumber(place.x) + (place.y ? "," + TraceNumber(*place.y) : std::string());
}

// Each probe must mark a place of the scene's medium, and the two
// different places.
std::string checkProbes(const RenderOptions& options)
{
    if (options.probes.empty())
        return {};
    const std::string scene = "scene " + std::to_string(options.scene);
    ParameterControl control;
    const std::optional<Medium> medium = MediumOf(options.scene, RenderSceneContext(options, control));
    if (!medium)
        return "--probe: " + scene + " has no medium to probe";
    const bool surface = std::holds_alternative<WaterSurface>(*medium);
    std::vector<UserPoint> marked;
    for (const ProbePlace& place : options.probes) {
        const std::string given = "--probe " + placeText(place);
        if (surface && !place.y)
            return given + ": " + scene + " needs X,Y, a point of the water";
        if (!surface && place.y)
            return given + ": " + scene + " takes X alone, a rest position along its row";
        const std::optional<MediumSite> site = SiteNear(*medium, place.x, place.y.value_or(0));
        if (!site)
            return given + ": outside the medium of " + scene;
        for (const UserPoint& other : marked)
            if (other.x == site->rest.x && other.y == site->rest.y)
                return given + ": the other probe marks the same place";
        marked.push_back(site->rest);
    }
    return {};
}

// Fills the options from what was given, or says what is wrong.
std::string resolveScene(const GivenOptions& given, RenderOptions& options)
{
    if (!given.scene)
        return "--scene is required";
    if (std::string problem = checkOutputMode(given); !problem.empty())
        return problem;
    options.scene = *given.scene;
    options.frames = given.frames.value_or(12);
    options.allFrames = given.all;
    options.size = given.size.value_or(options.size);
    options.screen = given.screen.value_or(options.screen);
    options.delayMs = given.delay.value_or(options.delayMs);
    options.scale = given.scale.value_or(options.scale);
    options.mode = modeOf(given);
    options.output = given.png ? *given.png : given.gif ? *given.gif : given.sheet.value_or(std::string());

    options.frame = given.frame.value_or(0);
    if (options.frame < 0 || options.frame >= options.frames)
        return "--frame: " + std::to_string(options.frame) + " is outside 0.."
            + std::to_string(options.frames - 1) + " (" + std::to_string(options.frames) + " frames)";

    const std::optional<ParameterSetup> setup = ParameterSetupFor(options.scene);
    if (!setup) {
        if (given.param || given.paramAll)
            return "--param: scene " + std::to_string(options.scene) + " has no parameter";
        return {};
    }
    options.allParameterValues = given.paramAll;
    options.param = given.param.value_or(setup->initial);
    if (options.param < setup->min || options.param > setup->max)
        return "--param: " + std::to_string(options.param) + " is outside " + std::to_string(setup->min) + ".."
            + std::to_string(setup->max) + " for scene " + std::to_string(options.scene);
    return {};
}

std::string resolve(const GivenOptions& given, RenderOptions& options)
{
    if (std::string problem = resolveScene(given, options); !problem.empty())
        return problem;
    options.probes = given.probes;
    return checkProbes(options);
}

}  // namespace

ParsedCommandLine ParseRenderArguments(const std::vector<std::string>& arguments)
{
    ParsedCommandLine parsed;
    for (const std::string& argument : arguments)
        if (argument == "--help" || argument == "-h") {
            parsed.action = ParsedCommandLine::Action::Help;
            return parsed;
        }
    // --version also wins over every other argument, but not over --help.
    for (const std::string& argument : arguments)
        if (argument == "--version") {
            parsed.action = ParsedCommandLine::Action::Version;
            return parsed;
        }
    const std::optional<GivenOptions> given = scan(arguments, parsed.error);
    if (given)
        parsed.error = resolve(*given, parsed.options);
    if (parsed.error.empty())
        parsed.action = ParsedCommandLine::Action::Render;
    // The message quotes what was typed.
    parsed.error = MessageLine(parsed.error);
    return parsed;
}

std::string RenderUsage()
{
    return R"(Usage: kelvora-render --scene N [--frames 12|24] [--frame K | --all] [--param V]
                     [--size WxH] [--screen WxH] (--png FILE | --gif FILE [--delay MS] | --trace)
       kelvora-render --scene N [--frames 12|24] [--param V|all] [--size WxH] [--screen WxH]
                     --sheet FILE.pdf
       (with --png, --gif or --sheet: [--scale R]; with any of them: [--probe X[,Y]]...)

Draws frames of a Kelvora scene without a window, the way the viewer captures them:
frames 0 to K in order on one surface, so each frame starts from the state the last one left.

  --scene N       scene 0..15
  --frames 12|24  frames in one period (default 12)
  --frame K       the frame to write or trace, 0..frames-1 (default 0)
  --all           with --trace: trace every frame (a GIF always has every frame)
  --param V       scene parameter; default and range as in the viewer:
                  scenes 10, 11: 1 (1..5); 14: 20 (1..40); 15: 8 (0..16);
                  with --sheet, 'all' gives every value a page of its own
  --size WxH      drawing area in pixels (default 960x600, at most 16384 a side)
  --screen WxH    screen size the scenes take their aspect factor from (default 1280x800)
  --scale R       draw R times as many pixels each way (1 to 4, default 1), with pens and
                  text scaled to match, as on a high-density screen; not with --trace
  --png FILE      write frame K as a PNG picture
  --gif FILE      write every frame as a looping animated GIF
  --delay MS      with --gif: milliseconds per frame (default 200; GIF keeps hundredths,
                  at least 2)
  --sheet FILE    write a worksheet to FILE, which must end in .pdf: every frame on one
                  A4 landscape page, each labelled with its number and time ("t = T/4"),
                  under the title and fields for name, class, number and date, with the
                  colour key at the foot
  --trace         print the drawing operations of frame K (or every frame) on stdout, one
                  per line after a "frame <k>" line: scale, cls, line, box, circle, pset, print
  --probe X[,Y]   follow one particle of the medium (scenes 1 to 11; at most twice): the one
                  resting nearest X, or in scenes 8 and 9 the point of the water nearest X,Y,
                  in the scene's coordinates as the trace prints them. Pictures ring it and
                  add its displacement-time graph under the frame; a worksheet adds a blank
                  graph to fill in and a second page with the answer; a trace ends each frame
                  with "probe <n> <rest x> <displacement>" ("probe <n> <x>,<y> <displacement>")
  --help          show this text
  --version       show the version

Exit status: 0 done; 1 a run-time error while drawing, out of memory, or a failure while
writing; 2 bad input (including an output file that cannot be created or may not be
replaced: a directory, device, FIFO, read-only file, or a name the file system refuses).
A file is written in full and then renamed over the target, so a failure leaves the
target as it was; a symbolic link is followed.
)";
}

}  // namespace kelvora::render
