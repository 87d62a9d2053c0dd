#include "render_options.h"

#include "scenes/scene_catalogue.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace kelvora::render {
namespace {

using Args = std::vector<std::string>;

RenderOptions parsedOk(const Args& args)
{
    const ParsedCommandLine parsed = ParseRenderArguments(args);
    EXPECT_EQ(parsed.action, ParsedCommandLine::Action::Render) << parsed.error;
    return parsed.options;
}

// The error for args, which must be one line.
std::string errorOf(const Args& args)
{
    const ParsedCommandLine parsed = ParseRenderArguments(args);
    EXPECT_EQ(parsed.action, ParsedCommandLine::Action::Error);
    EXPECT_EQ(parsed.error.find('\n'), std::string::npos) << parsed.error;
    return parsed.error;
}

#define EXPECT_ERROR(args, text) \
    do { \
        const std::string error_ = errorOf(args); \
        EXPECT_NE(error_.find(text), std::string::npos) << "error: " << error_; \
    } while (false)

TEST(RenderOptions, Defaults)
{
    const RenderOptions png = parsedOk({"--scene", "0", "--png", "out.png"});
    EXPECT_EQ(png.scene, 0);
    EXPECT_EQ(png.frames, 12);
    EXPECT_EQ(png.frame, 0);
    EXPECT_FALSE(png.allFrames);
    EXPECT_EQ(png.param, 1);
    EXPECT_EQ(png.size.width, 960);
    EXPECT_EQ(png.size.height, 600);
    EXPECT_EQ(png.screen.width, 1280);
    EXPECT_EQ(png.screen.height, 800);
    EXPECT_EQ(png.mode, OutputMode::Png);
    EXPECT_EQ(png.output, "out.png");
    EXPECT_EQ(png.delayMs, 200);

    const RenderOptions gif = parsedOk({"--gif", "a.gif", "--scene", "0"});
    EXPECT_EQ(gif.mode, OutputMode::Gif);
    EXPECT_EQ(gif.output, "a.gif");
    EXPECT_EQ(parsedOk({"--scene", "0", "--trace"}).mode, OutputMode::Trace);
}

TEST(RenderOptions, EveryOptionIsRead)
{
    const RenderOptions o = parsedOk({"--scene", "15", "--frames", "24", "--frame", "23", "--param", "16", "--size",
        "320x200", "--screen", "1920x1080", "--trace"});
    EXPECT_EQ(o.scene, 15);
    EXPECT_EQ(o.frames, 24);
    EXPECT_EQ(o.frame, 23);
    EXPECT_EQ(o.param, 16);
    EXPECT_EQ(o.size.width, 320);
    EXPECT_EQ(o.size.height, 200);
    EXPECT_EQ(o.screen.width, 1920);
    EXPECT_EQ(o.screen.height, 1080);
    EXPECT_TRUE(parsedOk({"--scene", "0", "--all", "--trace"}).allFrames);
    EXPECT_EQ(parsedOk({"--scene", "0", "--gif", "a", "--delay", "0"}).delayMs, 0);
    EXPECT_EQ(parsedOk({"--scene", "0", "--size", "16384x1", "--png", "a"}).size.width, 16384);
}

TEST(RenderOptions, ParameterDefaultsAndRangesFollowTheViewer)
{
    const auto param = [](const std::string& scene) { return parsedOk({"--scene", scene, "--trace"}).param; };
    EXPECT_EQ(param("10"), 1);
    EXPECT_EQ(param("11"), 1);
    EXPECT_EQ(param("14"), 20);
    EXPECT_EQ(param("15"), 8);

    const std::vector<std::tuple<std::string, int, int>> ranges = {
        {"10", 1, 5}, {"11", 1, 5}, {"14", 1, 40}, {"15", 0, 16}};
    for (const auto& [scene, low, high] : ranges) {
        for (int ok : {low, high})
            EXPECT_EQ(parsedOk({"--scene", scene, "--param", std::to_string(ok), "--trace"}).param, ok);
        for (int bad : {low - 1, high + 1})
            EXPECT_ERROR((Args{"--scene", scene, "--param", std::to_string(bad), "--trace"}),
                "--param: " + std::to_string(bad) + " is outside " + std::to_string(low) + ".."
                    + std::to_string(high));
    }
    EXPECT_ERROR((Args{"--scene", "0", "--param", "1", "--trace"}), "scene 0 has no parameter");
    EXPECT_ERROR((Args{"--scene", "13", "--param", "1", "--trace"}), "scene 13 has no parameter");
}

TEST(RenderOptions, SceneMustExist)
{
    EXPECT_ERROR((Args{"--png", "a"}), "--scene is required");
    EXPECT_ERROR((Args{}), "--scene is required");
    EXPECT_ERROR((Args{"--scene", "16", "--png", "a"}), "--scene: 16 is outside 0..15");
    EXPECT_ERROR((Args{"--scene", "-1", "--png", "a"}), "--scene: -1 is outside 0..15");
    EXPECT_ERROR((Args{"--scene", "x", "--png", "a"}), "not a whole number");
    EXPECT_ERROR((Args{"--scene", "1.0", "--png", "a"}), "not a whole number");
    EXPECT_ERROR((Args{"--scene", " 1", "--png", "a"}), "not a whole number");
    EXPECT_ERROR((Args{"--scene", "+1", "--png", "a"}), "not a whole number");
    EXPECT_ERROR((Args{"--scene", "99999999999", "--png", "a"}), "out of range");

    for (int scene = 0; scene < kSceneCount; ++scene)
        EXPECT_EQ(parsedOk({"--scene", std::to_string(scene), "--trace"}).scene, scene);
}

TEST(RenderOptions, FramesAndFrameNumber)
{
    EXPECT_ERROR((Args{"--scene", "0", "--frames", "13", "--png", "a"}), "--frames: 13 is not 12 or 24");
    EXPECT_ERROR((Args{"--scene", "0", "--frames", "0", "--png", "a"}), "not 12 or 24");
    EXPECT_ERROR((Args{"--scene", "0", "--frame", "12", "--png", "a"}), "--frame: 12 is outside 0..11");
    EXPECT_ERROR((Args{"--scene", "0", "--frame", "-1", "--png", "a"}), "--frame: -1 is outside 0..11");
    EXPECT_ERROR((Args{"--scene", "0", "--frames", "24", "--frame", "24", "--trace"}), "outside 0..23");
    // --frames may come after --frame.
    EXPECT_EQ(parsedOk({"--scene", "0", "--frame", "20", "--frames", "24", "--png", "a"}).frame, 20);
}

TEST(RenderOptions, Sizes)
{
    for (const std::string option : {"--size", "--screen"}) {
        for (const std::string bad : {"960", "960x", "x600", "960x600x2", "960X600", "-960x600", "960x-600",
                 "960 x600", "960x600 ", "0x10x", "axb", ""})
            EXPECT_ERROR((Args{"--scene", "0", option, bad, "--trace"}), "is not WIDTHxHEIGHT");
        EXPECT_ERROR((Args{"--scene", "0", option, "16385x600", "--trace"}), "is over 16384 pixels on a side");
        EXPECT_ERROR((Args{"--scene", "0", option, "600x99999999999999999999", "--trace"}), "over 16384");
        EXPECT_ERROR((Args{"--scene", "0", option, "0x600", "--trace"}), "a side of 0 pixels");
        EXPECT_ERROR((Args{"--scene", "0", option, "600x000", "--trace"}), "a side of 0 pixels");
    }
    EXPECT_EQ(parsedOk({"--scene", "0", "--screen", "0016384x01", "--trace"}).screen.width, 16384);
}

TEST(RenderOptions, ExactlyOneOutputAndOptionsThatBelongToIt)
{
    EXPECT_ERROR((Args{"--scene", "0"}), "one of --png FILE, --gif FILE, --sheet FILE or --trace is required");
    EXPECT_ERROR((Args{"--scene", "0", "--png", "a", "--trace"}), "--png and --trace cannot be used together");
    EXPECT_ERROR((Args{"--scene", "0", "--png", "a", "--gif", "b"}), "--png and --gif cannot be used together");
    EXPECT_ERROR((Args{"--scene", "0", "--gif", "b", "--trace"}), "--gif and --trace cannot be used together");
    EXPECT_ERROR((Args{"--scene", "0", "--all", "--png", "a"}), "--all works only with --trace or --gif");
    EXPECT_ERROR((Args{"--scene", "0", "--all", "--sheet", "a"}), "--all works only with --trace or --gif");
    EXPECT_ERROR((Args{"--scene", "0", "--frame", "1", "--all", "--trace"}), "--frame and --all");
    EXPECT_ERROR((Args{"--scene", "0", "--delay", "100", "--png", "a"}), "--delay works only with --gif");
    EXPECT_ERROR((Args{"--scene", "0", "--delay", "100", "--trace"}), "--delay works only with --gif");
    EXPECT_ERROR((Args{"--scene", "0", "--frame", "12", "--gif", "a"}), "--frame");
    // A GIF has every frame; --frame K and --all are accepted and change nothing.
    EXPECT_EQ(parsedOk({"--scene", "0", "--frame", "11", "--gif", "a"}).mode, OutputMode::Gif);
    EXPECT_EQ(parsedOk({"--scene", "0", "--all", "--gif", "a"}).mode, OutputMode::Gif);
    EXPECT_ERROR((Args{"--scene", "0", "--gif", "a", "--delay", "-1"}), "--delay: -1 is outside 0..655350");
    EXPECT_ERROR((Args{"--scene", "0", "--gif", "a", "--delay", "655351"}), "outside 0..655350");
    EXPECT_ERROR((Args{"--scene", "0", "--png", ""}), "--png: empty file name");
    EXPECT_ERROR((Args{"--scene", "0", "--gif", ""}), "--gif: empty file name");
}

TEST(RenderOptions, UnknownMissingAndRepeatedArguments)
{
    EXPECT_ERROR((Args{"--scene", "0", "--trace", "--colour"}), "unknown option '--colour'");
    EXPECT_ERROR((Args{"-s", "0", "--trace"}), "unknown option '-s'");
    EXPECT_ERROR((Args{"--scene=0", "--trace"}), "unknown option '--scene=0'");
    EXPECT_ERROR((Args{"--scene", "0", "--trace", "out.png"}), "unexpected argument 'out.png'");
    EXPECT_ERROR((Args{"--scene"}), "--scene needs a value");
    EXPECT_ERROR((Args{"--scene", "0", "--png"}), "--png needs a value");
    EXPECT_ERROR((Args{"--scene", "--png", "a"}), "--scene needs a value");
    EXPECT_ERROR((Args{"--scene", "0", "--png", "--trace"}), "--png needs a value");
    EXPECT_ERROR((Args{"--scene", "0", "--scene", "0", "--trace"}), "--scene is given more than once");
    EXPECT_ERROR((Args{"--scene", "0", "--trace", "--trace"}), "--trace is given more than once");
    EXPECT_ERROR((Args{"--scene", "0", "--all", "--all", "--trace"}), "--all is given more than once");
    EXPECT_ERROR((Args{"--scene", "0", "--png", "a", "--png", "b"}), "--png is given more than once");
    // What is quoted stays one line of UTF-8.
    EXPECT_ERROR((Args{"--scene", "0", "--trace", "--a\nb\x7f"}), "unknown option '--a\\x0ab\\x7f'");
    EXPECT_ERROR((Args{"--scene", "a\xc3(\xe2\x82", "--trace"}), "--scene: 'a\xEF\xBF\xBD(\xEF\xBF\xBD' is not");
    // The first problem in argument order is the one reported.
    EXPECT_ERROR((Args{"--scene", "99", "--bogus"}), "--scene: 99");
    EXPECT_ERROR((Args{"--bogus", "--scene", "99"}), "unknown option '--bogus'");
}

TEST(RenderOptions, HelpWinsWherever)
{
    for (const Args& args : {Args{"--help"}, Args{"-h"}, Args{"--scene", "99", "--help"}, Args{"--bogus", "-h"}})
        EXPECT_EQ(ParseRenderArguments(args).action, ParsedCommandLine::Action::Help);
    EXPECT_NE(RenderUsage().find("--scene N"), std::string::npos);
}

TEST(RenderOptions, VersionWinsOverAllButHelp)
{
    for (const Args& args : {Args{"--version"}, Args{"--scene", "99", "--version"}, Args{"--version", "--bogus"}})
        EXPECT_EQ(ParseRenderArguments(args).action, ParsedCommandLine::Action::Version);
    EXPECT_EQ(ParseRenderArguments(Args{"--version", "-h"}).action, ParsedCommandLine::Action::Help);
}

}  // namespace
}  // namespace kelvora::render
