// The command line and environment of the `zephyx` program, parsed without running it.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "platform/sdl/program_options.h"

namespace {

std::map<std::string, std::string> gEnvironment;

const char* LookUp(const char* name) {
    auto found = gEnvironment.find(name);
    return found == gEnvironment.end() ? nullptr : found->second.c_str();
}

ParsedOptions Parse(std::vector<const char*> arguments,
                    std::map<std::string, std::string> environment = {}) {
    gEnvironment = std::move(environment);
    arguments.insert(arguments.begin(), "zephyx");
    return ParseProgramOptions(static_cast<int>(arguments.size()), arguments.data(), LookUp);
}

TEST(ProgramOptionsTest, NothingGivenMeansFullScreenIntegerScalingAutoVsyncFirstDisplay) {
    ParsedOptions parsed = Parse({});
    ASSERT_EQ(parsed.outcome, OptionsOutcome::kRun);
    EXPECT_TRUE(parsed.options.fullscreen);
    EXPECT_EQ(parsed.options.scale, ScaleMode::kInteger);
    EXPECT_EQ(parsed.options.vsync, VsyncMode::kAuto);
    EXPECT_EQ(parsed.options.display, 0);
    EXPECT_EQ(parsed.options.renderer, RendererChoice::kAuto);
}

TEST(ProgramOptionsTest, EveryOptionInBothSpellings) {
    ParsedOptions parsed = Parse(
        {"--window", "--scale=fit", "--vsync", "off", "--display=2", "--renderer", "software"});
    ASSERT_EQ(parsed.outcome, OptionsOutcome::kRun) << parsed.error;
    EXPECT_FALSE(parsed.options.fullscreen);
    EXPECT_EQ(parsed.options.scale, ScaleMode::kFit);
    EXPECT_EQ(parsed.options.vsync, VsyncMode::kOff);
    EXPECT_EQ(parsed.options.display, 2);
    EXPECT_EQ(parsed.options.renderer, RendererChoice::kSoftware);

    parsed = Parse({"--scale", "stretch", "--vsync=on", "--display", "1", "--window",
                    "--fullscreen", "--renderer=gpu"});
    ASSERT_EQ(parsed.outcome, OptionsOutcome::kRun) << parsed.error;
    EXPECT_TRUE(parsed.options.fullscreen) << "the last of --window and --fullscreen wins";
    EXPECT_EQ(parsed.options.scale, ScaleMode::kStretch);
    EXPECT_EQ(parsed.options.vsync, VsyncMode::kOn);
    EXPECT_EQ(parsed.options.display, 1);
    EXPECT_EQ(parsed.options.renderer, RendererChoice::kGpu);
    EXPECT_EQ(Parse({"--renderer=surface"}).options.renderer, RendererChoice::kSurface);
}

TEST(ProgramOptionsTest, BadCommandLinesSayWhatIsWrong) {
    struct Case {
        std::vector<const char*> arguments;
        std::string error;
    } cases[] = {
        {{"--fulscreen"}, "unknown option '--fulscreen'"},
        {{"-w"}, "unknown option '-w'"},
        {{"level2"}, "unexpected argument 'level2'"},
        {{"--scale=huge"}, "bad value 'huge' for --scale (integer, fit or stretch)"},
        {{"--scale="}, "bad value '' for --scale (integer, fit or stretch)"},
        {{"--vsync=sometimes"}, "bad value 'sometimes' for --vsync (auto, on or off)"},
        {{"--renderer=opengl"},
         "bad value 'opengl' for --renderer (auto, gpu, software or surface)"},
        {{"--display=-1"}, "bad value '-1' for --display (a display number from 0)"},
        {{"--display=1x"}, "bad value '1x' for --display (a display number from 0)"},
        {{"--display"}, "--display needs a value"},
        {{"--window=yes"}, "unknown option '--window=yes'"},
    };
    for (const Case& c : cases) {
        ParsedOptions parsed = Parse(c.arguments);
        EXPECT_EQ(parsed.outcome, OptionsOutcome::kBadCommandLine) << c.arguments[0];
        EXPECT_EQ(parsed.error, c.error);
    }
}

TEST(ProgramOptionsTest, HelpAndVersionWinOverWhatFollowsButNotOverEarlierErrors) {
    EXPECT_EQ(Parse({"--help"}).outcome, OptionsOutcome::kShowHelp);
    EXPECT_EQ(Parse({"-h"}).outcome, OptionsOutcome::kShowHelp);
    EXPECT_EQ(Parse({"--window", "--version", "--bogus"}).outcome, OptionsOutcome::kShowVersion);
    EXPECT_EQ(Parse({"--help"}, {{"ZEPHYX_SCALE", "bogus"}}).outcome, OptionsOutcome::kShowHelp);
    EXPECT_EQ(Parse({"--bogus", "--help"}).outcome, OptionsOutcome::kBadCommandLine);
}

TEST(ProgramOptionsTest, EnvironmentSetsWhatTheCommandLineLeavesOpen) {
    const std::map<std::string, std::string> environment = {{"ZEPHYX_SCALE", "stretch"},
                                                            {"ZEPHYX_VSYNC", "on"},
                                                            {"ZEPHYX_RENDERER", "surface"},
                                                            {"ZEPHYX_WINDOW", "1"}};
    ParsedOptions parsed = Parse({}, environment);
    ASSERT_EQ(parsed.outcome, OptionsOutcome::kRun) << parsed.error;
    EXPECT_EQ(parsed.options.scale, ScaleMode::kStretch);
    EXPECT_EQ(parsed.options.vsync, VsyncMode::kOn);
    EXPECT_EQ(parsed.options.renderer, RendererChoice::kSurface);
    EXPECT_FALSE(parsed.options.fullscreen);

    parsed = Parse({"--scale=fit", "--vsync=off", "--fullscreen", "--renderer=auto"}, environment);
    ASSERT_EQ(parsed.outcome, OptionsOutcome::kRun) << parsed.error;
    EXPECT_EQ(parsed.options.scale, ScaleMode::kFit);
    EXPECT_EQ(parsed.options.vsync, VsyncMode::kOff);
    EXPECT_EQ(parsed.options.renderer, RendererChoice::kAuto);
    EXPECT_TRUE(parsed.options.fullscreen);

    EXPECT_TRUE(Parse({}, {{"ZEPHYX_WINDOW", "0"}}).options.fullscreen);
    EXPECT_TRUE(Parse({}, {{"ZEPHYX_WINDOW", ""}}).options.fullscreen) << "empty is unset";
}

TEST(ProgramOptionsTest, BadEnvironmentValuesAreErrorsUnlessAnOptionOverridesThem) {
    ParsedOptions parsed = Parse({}, {{"ZEPHYX_WINDOW", "maybe"}});
    EXPECT_EQ(parsed.outcome, OptionsOutcome::kBadCommandLine);
    EXPECT_EQ(parsed.error, "bad value 'maybe' in ZEPHYX_WINDOW (1 or 0)");
    EXPECT_EQ(Parse({}, {{"ZEPHYX_SCALE", "Fit"}}).outcome, OptionsOutcome::kBadCommandLine);
    EXPECT_EQ(Parse({"--scale=fit"}, {{"ZEPHYX_SCALE", "Fit"}}).outcome, OptionsOutcome::kRun);
}

TEST(ProgramOptionsTest, RememberedChoicesComeLastAndTheCommandLinesAreKept) {
    gEnvironment = {{"ZEPHYX_VSYNC", "off"}};
    const char* arguments[] = {"zephyx", "--scale", "stretch", "--fullscreen"};
    const OptionWords remembered = {
        {"window", "1"}, {"scale", "fit"}, {"vsync", "on"}, {"renderer", "gpu"}, {"display", "2"}};
    ParsedOptions parsed = ParseProgramOptions(4, arguments, LookUp, remembered);
    ASSERT_EQ(parsed.outcome, OptionsOutcome::kRun) << parsed.error;
    EXPECT_TRUE(parsed.options.fullscreen);
    EXPECT_EQ(parsed.options.scale, ScaleMode::kStretch);
    EXPECT_EQ(parsed.options.vsync, VsyncMode::kOff) << "the environment wins over a memory";
    EXPECT_EQ(parsed.options.display, 2);
    EXPECT_EQ(parsed.options.renderer, RendererChoice::kGpu);
    EXPECT_EQ(parsed.chosen, (OptionWords{{"window", "0"}, {"scale", "stretch"}}))
        << "only the command line's choices are remembered";
    EXPECT_TRUE(parsed.ignored.empty());

    gEnvironment = {};
    parsed = ParseProgramOptions(1, arguments, LookUp, {{"window", "1"}, {"scale", "huge"}});
    ASSERT_EQ(parsed.outcome, OptionsOutcome::kRun) << "a bad memory is never an error";
    EXPECT_FALSE(parsed.options.fullscreen);
    EXPECT_EQ(parsed.options.scale, ScaleMode::kInteger);
    EXPECT_EQ(parsed.ignored, std::vector<std::string>{"scale=huge"});
}

TEST(ProgramOptionsTest, UsageNamesEveryOption) {
    std::string usage = ProgramUsage();
    for (const char* option :
         {"--window",     "--fullscreen",    "--scale=",      "integer",   "fit",
          "stretch",      "--vsync=",        "--renderer=",   "gpu",       "software",
          "surface",      "--display=",      "--help",        "--version", "ZEPHYX_SCALE",
          "ZEPHYX_VSYNC", "ZEPHYX_RENDERER", "ZEPHYX_WINDOW", "F9",        "zephyx/settings"}) {
        EXPECT_NE(usage.find(option), std::string::npos) << option;
    }
    EXPECT_EQ(usage.back(), '\n');
}

}  // namespace
