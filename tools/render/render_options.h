#pragma once

// The command line of kelvora-render, parsed into options without touching
// files, the display or any global state, so it can be tested on its own.

#include <optional>
#include <string>
#include <vector>

namespace kelvora::render {

enum class OutputMode { Png, Gif, Trace, Sheet };

struct PixelSize {
    int width = 0;
    int height = 0;
};

// A place marked with --probe, in the scene's user coordinates: X alone
// for a row of particles, X,Y for the water of scenes 8 and 9.
struct ProbePlace {
    double x = 0;
    std::optional<double> y;
};

struct RenderOptions {
    int scene = 0;
    int frames = 12;             // 12 or 24: LastFrame + 1
    int frame = 0;               // K, for --png and --trace
    bool allFrames = false;      // --trace --all
    int param = 1;               // the scroll bar's value; 1 for scenes without one
    bool allParameterValues = false;  // --sheet --param all: a page for every value
    PixelSize size{960, 600};    // drawing area
    PixelSize screen{1280, 800}; // screen that AspectFactor is computed from
    OutputMode mode = OutputMode::Png;
    std::string output;          // the PNG, GIF or worksheet PDF file
    int delayMs = 200;           // --gif: per frame
    double scale = 1.0;          // --scale: device pixels per pixel of the drawing area
    std::vector<ProbePlace> probes;  // --probe, at most two, each inside the scene's medium
};

// What the command line asks for: render, show the usage or the version,
// or an error.
struct ParsedCommandLine {
    enum class Action { Render, Help, Version, Error };
    Action action = Action::Error;
    RenderOptions options;
    std::string error;  // one line of UTF-8 (see MessageLine), for Action::Error
};

// Whether --all goes with an output mode: a trace of every frame, or a GIF,
// which holds every frame anyway.
constexpr bool AllFramesApply(OutputMode mode) { return mode == OutputMode::Trace || mode == OutputMode::Gif; }

inline constexpr int kMaxSide = 16384;
inline constexpr double kMaxScale = 4.0;
// The longest frame delay a GIF holds: 65535 hundredths of a second.
inline constexpr int kMaxDelayMs = 655350;

// Parses the arguments after the program name and checks them against the
// scene catalogue (scene, frame and parameter in range).
ParsedCommandLine ParseRenderArguments(const std::vector<std::string>& arguments);

// The text of --help.
std::string RenderUsage();

}  // namespace kelvora::render
