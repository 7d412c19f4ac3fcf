#include "display_presence.h"

#include <SDL.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char* EnvironmentValue(const char* name) {
    const char* value = getenv(name);
    return value != nullptr && value[0] != '\0' ? value : nullptr;
}

bool IsInvisibleDriver(const char* driver) {
    return driver != nullptr && (strcmp(driver, "offscreen") == 0 || strcmp(driver, "dummy") == 0);
}

bool AskedForByName(const char* driver) {
    const char* asked = EnvironmentValue("SDL_VIDEODRIVER");
    return asked != nullptr && strstr(asked, driver) != nullptr;
}

// A Wayland compositor may listen on its default socket without WAYLAND_DISPLAY being set.
bool WaylandDefaultSocketExists() {
    const char* runtime = EnvironmentValue("XDG_RUNTIME_DIR");
    char path[512];
    return runtime != nullptr &&
           snprintf(path, sizeof path, "%s/wayland-0", runtime) < static_cast<int>(sizeof path) &&
           access(path, F_OK) == 0;
}

void ReportNoDisplay(const char* detail) {
    const char* x11 = EnvironmentValue("DISPLAY");
    const char* wayland = EnvironmentValue("WAYLAND_DISPLAY");
    char missing[160];
    if (x11 == nullptr && wayland == nullptr) {
        snprintf(missing, sizeof missing, "neither DISPLAY nor WAYLAND_DISPLAY is set");
    } else {
        snprintf(missing, sizeof missing, "the display %s cannot be reached",
                 x11 != nullptr ? x11 : wayland);
    }
    const bool detailed = detail != nullptr && detail[0] != '\0';
    fprintf(stderr,
            "zephyx: no display to open a window on (%s%s%s): start the game from a desktop "
            "session\n",
            missing, detailed ? "; " : "", detailed ? detail : "");
}

// Without Wayland, only X is tried: the Wayland library would print its own complaints, and
// the drivers after it draw nowhere.
bool ChooseDriver() {
    if (EnvironmentValue("SDL_VIDEODRIVER") != nullptr || EnvironmentValue("WAYLAND_DISPLAY") ||
        WaylandDefaultSocketExists()) {
        return true;
    }
    if (EnvironmentValue("DISPLAY") == nullptr) {
        ReportNoDisplay(nullptr);
        return false;
    }
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    return true;
}

}  // namespace

bool StartVideoOnPlayersDisplay() {
    if (!ChooseDriver()) {
        return false;
    }
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        ReportNoDisplay(SDL_GetError());
        return false;
    }
    const char* driver = SDL_GetCurrentVideoDriver();
    if (IsInvisibleDriver(driver) && !AskedForByName(driver)) {
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        ReportNoDisplay(nullptr);
        return false;
    }
    return true;
}
