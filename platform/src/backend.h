// What a backend supplies to the platform core.
//
// Exactly one backend is linked into each program: sdl/ for the `zephyx` program, web/ for the
// browser build, headless/ for tests, benchmarks and replays. The core calls these and nothing
// else of the outside world, so everything a test needs to control passes through here. The
// backend also brings the system-font rasteriser (font_rasterizer.h).
#pragma once

#include <cstdint>

// Milliseconds from any fixed start, wrapping modulo 2^32. Backs timeGetTime and GetTickCount.
uint32_t BackendMilliseconds();

// Gives up the processor for about `milliseconds` (the headless clock just moves on).
void BackendSleep(uint32_t milliseconds);

// Microseconds on a monotonic clock from any fixed start, for Flip's 60 Hz schedule. The
// headless clock counts the same virtual time as BackendMilliseconds.
uint64_t BackendMicroseconds();

// Sleeps until BackendMicroseconds reaches `deadline`, as precisely as the system allows (the
// headless clock just moves there).
void BackendSleepUntil(uint64_t deadline);

// The game's sleep after a frame that showed a new picture (frame_wake.h): until `wake`, which
// leaves the next frame time to have its picture ready when it is due at `due`. A backend
// whose display takes pictures at frames of its own (the browser, at each rendering of the
// page) ends it instead at the first of those frames at or after `due`: the frame then reads
// the keys and draws right before the display shows its picture. Returns when the frame
// starts, for what frames cost: `wake`, or the time the display's frame came.
uint64_t BackendSleepUntilFrame(uint64_t wake, uint64_t due);

// The game's sleep after a frame that showed the picture already on screen: until `wake`, as
// BackendSleepUntil, for the next picture is most likely unchanged too. Where the display
// takes pictures at frames of its own, a key that comes meanwhile (or is already waiting)
// most likely changes the picture, and the sleep then ends as BackendSleepUntilFrame's does.
// Returns when the frame starts.
uint64_t BackendSleepUntilOrKeyFrame(uint64_t wake, uint64_t due);

// Called with every text given to OutputDebugStringA (which writes it to standard error as
// well when ZEPHYX_DEBUG is set).
void BackendDebugOutput(const char* text);

// Exclusive full-screen ownership of the display was asked for (SetCooperativeLevel).
void BackendSetExclusiveFullscreen();

// The display mode was set: from now on the picture is width x height pixels.
void BackendSetDisplayMode(int width, int height);

// One display palette entry, laid out as PALETTEENTRY: red, green, blue, flags.
struct BackendColor {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
    uint8_t flags;
};

// A flip of a picture that differs from the one presented last, or after a repaint was asked
// for (see shown_picture.h), is two calls with the same width x height picture of palette
// indices (rows `pitch` bytes apart) and `palette`: BackendPreparePresent before Flip waits
// for the picture's turn, BackendPresent once it has come. A backend does the work of
// presenting (conversion, upload) in the first, so that only the present itself follows the
// turn and its timing does not depend on that work; BackendPresent shows the picture.
void BackendPreparePresent(const uint8_t* pixels, int width, int height, int pitch,
                           const BackendColor palette[256]);
void BackendPresent(const uint8_t* pixels, int width, int height, int pitch,
                    const BackendColor palette[256]);

// Called instead of BackendPresent when the picture is exactly the one on screen, at the
// time it would have been presented (in the game's sleep after the frame, or in the next
// flip; see unchanged_picture_wait.h): the frame went by on schedule with nothing to draw.
void BackendPresentUnchanged();

// Opens the program's one window with `caption`, `width` x `height` pixels. Returns false
// where no window can be opened at all; the backend has then said why on standard error.
bool BackendOpenWindow(const char* caption, int width, int height);
void BackendCloseWindow();

// Moves waiting input and window events into the platform (see window_events.h), as long as
// PlatformCanTakeEvent allows. With a non-zero wait it may block up to that long for the first
// event; kBackendWaitForEvent blocks until one comes, however long that takes.
constexpr uint32_t kBackendWaitForEvent = UINT32_MAX;
void BackendPumpEvents(uint32_t waitMilliseconds);

// Shows or hides the mouse cursor over the window.
void BackendShowCursor(bool shown);

// Shows `text` with one OK button and returns once it is dismissed.
void BackendMessageBox(const char* text, const char* caption);

// A DirectDraw object is being freed: `kind` is "DirectDraw", "palette", "primary",
// "back buffer" or "offscreen", with a surface's size (0 x 0 for the others). The pointer is
// the interface the program held; it must not be used.
void BackendObjectDestroyed(const void* object, const char* kind, int width, int height);
