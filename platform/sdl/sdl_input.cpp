#include "sdl_input.h"

#include "../src/gamepad_mapping.h"
#include "../src/key_merge.h"
#include "../src/window_events.h"

namespace {

struct OpenPad {
    SDL_GameController* controller = nullptr;
    SDL_JoystickID id = -1;
    PadLatch latch;
    PadKeys keys;
};

KeyMerge gMerge;
OpenPad gPads[KeyMerge::kSources - 1];  // pad i is source i + 1

int SourceOf(const OpenPad& pad) {
    return static_cast<int>(&pad - gPads) + 1;
}

OpenPad* FindPad(SDL_JoystickID id) {
    for (OpenPad& pad : gPads) {
        if (pad.controller != nullptr && pad.id == id) {
            return &pad;
        }
    }
    return nullptr;
}

void SetMergedKey(int source, int virtualKey, bool down) {
    if (gMerge.Set(source, virtualKey, down)) {
        PlatformKeyEvent(virtualKey, down);
    }
}

PadControls ReadControls(SDL_GameController* controller) {
    auto button = [controller](SDL_GameControllerButton which) {
        return SDL_GameControllerGetButton(controller, which) != 0;
    };
    PadControls controls;
    controls.dpadLeft = button(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    controls.dpadRight = button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    controls.dpadUp = button(SDL_CONTROLLER_BUTTON_DPAD_UP);
    controls.dpadDown = button(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
    controls.south = button(SDL_CONTROLLER_BUTTON_A);
    controls.rightShoulder = button(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER);
    controls.start = button(SDL_CONTROLLER_BUTTON_START);
    controls.back = button(SDL_CONTROLLER_BUTTON_BACK);
    controls.leftX = SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTX);
    controls.leftY = SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTY);
    controls.rightTrigger = SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_TRIGGERRIGHT);
    return controls;
}

void UpdatePadKeys(OpenPad& pad) {
    PadKeys keys = MapPadControls(ReadControls(pad.controller), pad.latch);
    for (const PadKeyBinding& key : kPadKeyBindings) {
        if (keys.*key.held != pad.keys.*key.held) {
            SetMergedKey(SourceOf(pad), key.virtualKey, keys.*key.held);
        }
    }
    pad.keys = keys;
}

void UpdatePad(SDL_JoystickID id) {
    if (OpenPad* pad = FindPad(id)) {
        UpdatePadKeys(*pad);
    }
}

void OpenPadAt(int deviceIndex) {
    if (FindPad(SDL_JoystickGetDeviceInstanceID(deviceIndex)) != nullptr) {
        return;
    }
    for (OpenPad& pad : gPads) {
        if (pad.controller == nullptr) {
            pad.controller = SDL_GameControllerOpen(deviceIndex);
            if (pad.controller != nullptr) {
                pad.id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad.controller));
                UpdatePadKeys(pad);
            }
            return;
        }
    }
}

void ClosePad(OpenPad& pad) {
    gMerge.ReleaseSource(SourceOf(pad), [](int key) { PlatformKeyEvent(key, false); });
    SDL_GameControllerClose(pad.controller);
    pad = OpenPad{};
}

}  // namespace

void StartGamepads() {
    if (SDL_WasInit(SDL_INIT_GAMECONTROLLER) == 0) {
        SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);
    }
}

void StopGamepads() {
    for (OpenPad& pad : gPads) {
        if (pad.controller != nullptr) {
            ClosePad(pad);
        }
    }
}

void ReportKeyboardKey(int virtualKey, bool down) {
    bool changed = gMerge.Set(KeyMerge::kKeyboard, virtualKey, down);
    // Each press and auto-repeat of a real key is a WM_KEYDOWN, whoever else holds the key.
    if (down || changed) {
        PlatformKeyEvent(virtualKey, down);
    }
}

bool HandleGamepadEvent(const SDL_Event& event) {
    switch (event.type) {
        case SDL_CONTROLLERDEVICEADDED:
            OpenPadAt(event.cdevice.which);
            return true;
        case SDL_CONTROLLERDEVICEREMOVED:
            if (OpenPad* pad = FindPad(event.cdevice.which)) {
                ClosePad(*pad);
            }
            return true;
        case SDL_CONTROLLERDEVICEREMAPPED:
            UpdatePad(event.cdevice.which);
            return true;
        case SDL_CONTROLLERAXISMOTION:
            UpdatePad(event.caxis.which);
            return true;
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP:
            UpdatePad(event.cbutton.which);
            return true;
        default:
            return false;
    }
}

void ReleaseAllInputKeys() {
    gMerge.ReleaseAll();
    for (OpenPad& pad : gPads) {
        pad.keys = PadKeys{};
    }
}
