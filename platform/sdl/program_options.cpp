#include "program_options.h"

#include <cstring>
#include <optional>
#include <utility>
#include <vector>

namespace {

const char kUsage[] =
    "Usage: zephyx [OPTION]...\n"
    "Play ZEPHYX, a vertical shoot-'em-up.\n"
    "\n"
    "  --fullscreen         take the whole screen (the default)\n"
    "  --window             play in a window\n"
    "  --scale=MODE         how the 640x480 picture fills the screen:\n"
    "                         integer  the largest whole factor, sharp (the default)\n"
    "                         fit      as large as fits at 4:3, sharp edges\n"
    "                         stretch  the whole screen\n"
    "                       Where the CPU scales (the surface, the software renderer), the\n"
    "                       picture grows only as far as this machine scales it at 60 frames\n"
    "                       a second, measured at the start (at least twice its size); beyond\n"
    "                       that it keeps its shape in the middle, with black around it.\n"
    "  --vsync=WHEN         wait for the display's vertical blank:\n"
    "                         auto     only at 60, 120, 180 or 240 Hz (the default)\n"
    "                         on, off  always, never; only a GPU renderer can wait, so on\n"
    "                                  keeps it where auto would draw on the CPU\n"
    "  --renderer=HOW       how the picture reaches the screen:\n"
    "                         auto     the GPU's renderer; where OpenGL runs on the CPU, the\n"
    "                                  window's surface (the default)\n"
    "                         gpu      SDL's GPU renderer (OpenGL, OpenGL ES), wherever it runs\n"
    "                         software SDL's software renderer, no vsync\n"
    "                         surface  straight into the window's surface, no vsync\n"
    "  --display=N          open on display N, counted from 0 (default 0)\n"
    "  --help               show this help and exit\n"
    "  --version            show the version and exit\n"
    "\n"
    "The environment variables ZEPHYX_SCALE=MODE, ZEPHYX_VSYNC=WHEN, ZEPHYX_RENDERER=HOW and\n"
    "ZEPHYX_WINDOW=1 (or 0) set the same; options on the command line win.\n"
    "\n"
    "The options given on the command line, and the switches between full screen and a\n"
    "window, are remembered for the next run in $XDG_CONFIG_HOME/zephyx/settings (or\n"
    "~/.config/zephyx/settings); the command line and the environment win over them.\n"
    "\n"
    "Keys: arrows steer, Space fires (hold it on the title to start), Escape or F12 quits,\n"
    "Alt+Enter switches between full screen and a window, F9 saves a screenshot in\n"
    "$XDG_PICTURES_DIR/zephyx or ~/Pictures/zephyx.\n"
    "Gamepads: D-pad or left stick steer; A (Cross), the right shoulder, the right trigger and\n"
    "Start fire; Back and Start together quit.\n";

// What the command line set; anything left empty may come from the environment.
struct Given {
    std::optional<bool> fullscreen;
    std::optional<ScaleMode> scale;
    std::optional<VsyncMode> vsync;
    std::optional<RendererChoice> renderer;
    std::optional<int> display;
};

// The value a word names in `table`, or nothing for a word that is not there.
template <typename Value, size_t N>
std::optional<Value> LookUpWord(const std::string& text,
                                const std::pair<const char*, Value> (&table)[N]) {
    for (const auto& [word, value] : table) {
        if (text == word)
            return value;
    }
    return std::nullopt;
}

std::optional<ScaleMode> ScaleFromText(const std::string& text) {
    static const std::pair<const char*, ScaleMode> kWords[] = {{"integer", ScaleMode::kInteger},
                                                               {"fit", ScaleMode::kFit},
                                                               {"stretch", ScaleMode::kStretch}};
    return LookUpWord(text, kWords);
}

std::optional<VsyncMode> VsyncFromText(const std::string& text) {
    static const std::pair<const char*, VsyncMode> kWords[] = {
        {"auto", VsyncMode::kAuto}, {"on", VsyncMode::kOn}, {"off", VsyncMode::kOff}};
    return LookUpWord(text, kWords);
}

std::optional<RendererChoice> RendererFromText(const std::string& text) {
    static const std::pair<const char*, RendererChoice> kWords[] = {
        {"auto", RendererChoice::kAuto},
        {"gpu", RendererChoice::kGpu},
        {"software", RendererChoice::kSoftware},
        {"surface", RendererChoice::kSurface}};
    return LookUpWord(text, kWords);
}

std::optional<bool> SwitchFromText(const std::string& text) {
    if (text == "1" || text == "yes" || text == "true" || text == "on")
        return true;
    if (text == "0" || text == "no" || text == "false" || text == "off")
        return false;
    return std::nullopt;
}

std::optional<int> DisplayFromText(const std::string& text) {
    if (text.empty() || text.size() > 3 || text.find_first_not_of("0123456789") != text.npos) {
        return std::nullopt;
    }
    return std::stoi(text);
}

ParsedOptions Bad(std::string error) {
    ParsedOptions parsed;
    parsed.outcome = OptionsOutcome::kBadCommandLine;
    parsed.error = std::move(error);
    return parsed;
}

// Splits "--name=value" into name and value; "--name value" takes the next argument.
struct OptionWithValue {
    std::string name;
    std::optional<std::string> value;
};

OptionWithValue SplitOption(const std::string& argument) {
    size_t equals = argument.find('=');
    if (equals == std::string::npos) {
        return {argument, std::nullopt};
    }
    return {argument.substr(0, equals), argument.substr(equals + 1)};
}

// Reads one option's value into `target` through `convert`; returns the error, or empty.
template <typename T, typename Convert>
std::string ReadValue(const std::string& name, const std::string& value, Convert convert,
                      const char* allowed, std::optional<T>& target) {
    auto converted = convert(value);
    if (!converted) {
        return "bad value '" + value + "' for " + name + " (" + allowed + ")";
    }
    target = *converted;
    return {};
}

const char kScaleValues[] = "integer, fit or stretch";
const char kVsyncValues[] = "auto, on or off";
const char kRendererValues[] = "auto, gpu, software or surface";
const char kDisplayValues[] = "a display number from 0";
const char kSwitchValues[] = "1 or 0";

// Applies one variable to a setting the command line left open; returns the error, or empty.
template <typename T, typename Convert>
std::string ReadVariable(EnvironmentLookup lookup, const char* name, Convert convert,
                         const char* allowed, std::optional<T>& target) {
    const char* value = lookup != nullptr ? lookup(name) : nullptr;
    if (target || value == nullptr || *value == '\0') {
        return {};
    }
    auto converted = convert(value);
    if (!converted) {
        return std::string("bad value '") + value + "' in " + name + " (" + allowed + ")";
    }
    target = *converted;
    return {};
}

// Applies one remembered word to a setting nothing else gave; a word not understood is noted
// in `ignored` and left out.
template <typename T, typename Convert>
void ReadRemembered(const OptionWords& remembered, const char* name, Convert convert,
                    std::optional<T>& target, std::vector<std::string>& ignored) {
    const auto found = remembered.find(name);
    if (target || found == remembered.end()) {
        return;
    }
    if (auto converted = convert(found->second)) {
        target = *converted;
    } else {
        ignored.push_back(found->first + "=" + found->second);
    }
}

const char* const kOptionNames[] = {"window", "scale", "vsync", "renderer", "display"};

}  // namespace

bool IsOptionName(const std::string& name) {
    for (const char* known : kOptionNames) {
        if (name == known) {
            return true;
        }
    }
    return false;
}

ParsedOptions ParseProgramOptions(int argc, const char* const* argv, EnvironmentLookup lookup,
                                  const OptionWords& remembered) {
    OptionWords chosen;
    Given given;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument == "--help" || argument == "-h") {
            return {OptionsOutcome::kShowHelp, {}, {}, {}, {}};
        }
        if (argument == "--version") {
            return {OptionsOutcome::kShowVersion, {}, {}, {}, {}};
        }
        if (argument == "--window" || argument == "--fullscreen") {
            given.fullscreen = argument == "--fullscreen";
            chosen["window"] = *given.fullscreen ? "0" : "1";
            continue;
        }
        OptionWithValue option = SplitOption(argument);
        if (option.name != "--scale" && option.name != "--vsync" && option.name != "--renderer" &&
            option.name != "--display") {
            return Bad(argument.rfind("-", 0) == 0 ? "unknown option '" + argument + "'"
                                                   : "unexpected argument '" + argument + "'");
        }
        if (!option.value) {
            if (i + 1 >= argc) {
                return Bad(option.name + " needs a value");
            }
            option.value = argv[++i];
        }
        std::string error;
        if (option.name == "--scale") {
            error = ReadValue(option.name, *option.value, ScaleFromText, kScaleValues, given.scale);
        } else if (option.name == "--vsync") {
            error = ReadValue(option.name, *option.value, VsyncFromText, kVsyncValues, given.vsync);
        } else if (option.name == "--renderer") {
            error = ReadValue(option.name, *option.value, RendererFromText, kRendererValues,
                              given.renderer);
        } else {
            error = ReadValue(option.name, *option.value, DisplayFromText, kDisplayValues,
                              given.display);
        }
        if (!error.empty()) {
            return Bad(error);
        }
        chosen[option.name.substr(2)] = *option.value;
    }

    std::optional<bool> window;
    if (given.fullscreen) {
        window = !*given.fullscreen;
    }
    for (std::string error :
         {ReadVariable(lookup, "ZEPHYX_SCALE", ScaleFromText, kScaleValues, given.scale),
          ReadVariable(lookup, "ZEPHYX_VSYNC", VsyncFromText, kVsyncValues, given.vsync),
          ReadVariable(lookup, "ZEPHYX_RENDERER", RendererFromText, kRendererValues,
                       given.renderer),
          ReadVariable(lookup, "ZEPHYX_WINDOW", SwitchFromText, kSwitchValues, window)}) {
        if (!error.empty()) {
            return Bad(error);
        }
    }

    ParsedOptions parsed;
    ReadRemembered(remembered, "scale", ScaleFromText, given.scale, parsed.ignored);
    ReadRemembered(remembered, "vsync", VsyncFromText, given.vsync, parsed.ignored);
    ReadRemembered(remembered, "renderer", RendererFromText, given.renderer, parsed.ignored);
    ReadRemembered(remembered, "window", SwitchFromText, window, parsed.ignored);
    ReadRemembered(remembered, "display", DisplayFromText, given.display, parsed.ignored);
    parsed.chosen = std::move(chosen);
    parsed.options.fullscreen = !window.value_or(false);
    parsed.options.scale = given.scale.value_or(ScaleMode::kInteger);
    parsed.options.vsync = given.vsync.value_or(VsyncMode::kAuto);
    parsed.options.renderer = given.renderer.value_or(RendererChoice::kAuto);
    parsed.options.display = given.display.value_or(0);
    return parsed;
}

const char* ProgramUsage() {
    return kUsage;
}
