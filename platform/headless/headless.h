// Control of the headless backend, for tests, benchmarks and replays.
//
// The headless backend stands in for the outside world: a virtual millisecond clock that only
// moves when a test (or Sleep) moves it, a keyboard that tests press and release, and a record
// of everything written to the debugger output, failures injected into the display, graphics
// and file operations, and a capture of every presented picture. HeadlessReset puts all of it
// back to the state of a freshly started program (objects the test still holds stay alive).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "../src/fault_injection.h"

struct IDirectDrawPalette;
struct IDirectDrawSurface7;

void HeadlessReset();

// The virtual clock: any 32-bit value, so tests can start just below the 2^32 wrap.
void HeadlessSetTime(uint32_t milliseconds);
void HeadlessAdvanceTime(uint32_t milliseconds);
uint32_t HeadlessTime();
// The same clock in microseconds, as Flip's schedule reads it.
uint64_t HeadlessMicroseconds();

// Key presses by Windows virtual-key code, seen by GetAsyncKeyState at once and posted to the
// window (if one exists) as WM_KEYDOWN / WM_KEYUP.
void HeadlessKeyDown(int virtualKey);
void HeadlessKeyUp(int virtualKey);

// Everything OutputDebugStringA was given since the last reset or clear, concatenated.
const std::string& HeadlessDebugOutput();
void HeadlessClearDebugOutput();

// The window system. The pump hook runs every time the platform pumps events (each
// PeekMessageA and GetMessageA), which is where a replay drives a running WinMain: press keys,
// move the clock, minimise, close, inject faults, look at what was presented.
typedef void (*HeadlessPumpHook)(void* context);
void HeadlessSetPumpHook(HeadlessPumpHook hook, void* context);

void HeadlessRequestClose();  // the window's close button
void HeadlessSetMinimised(bool minimised);
void HeadlessSetFocused(bool focused);  // another window took the focus, or gave it back
void HeadlessMoveMouse();
void HeadlessSetWindowAvailable(bool available);  // false: no window can be opened

bool HeadlessWindowOpen();
bool HeadlessCursorShown();
// True when the latest pump was asked to wait for the next event however long it takes (it
// moves the virtual clock by 10 ms), rather than for a set time or not at all.
bool HeadlessLastPumpWaitedForEvent();
// Every message box shown since the reset, as "caption: text", in order.
const std::vector<std::string>& HeadlessMessageBoxes();
// Injected failures (PlatformOp names the operation; CreateSurface is split into the primary
// and offscreen surfaces). After `callsToSkip` successful calls, the next `times` calls fail
// with `code`; operations that return a handle return null instead.
void HeadlessFailOperation(PlatformOp op, HRESULT code, uint32_t callsToSkip = 0,
                           uint32_t times = kPlatformFaultForever);
// The next `calls` calls of the operation answer DDERR_WASSTILLDRAWING.
void HeadlessStillDrawing(PlatformOp op, uint32_t calls);
// What is left of the failures and busy answers set for the operation.
uint32_t HeadlessFailuresLeft(PlatformOp op);
uint32_t HeadlessStillDrawingLeft(PlatformOp op);

// Lost surfaces: one surface, or all of them as when the window is minimised. While the
// display is not restorable, Restore answers DDERR_WRONGMODE.
void HeadlessLoseSurface(IDirectDrawSurface7* surface);
void HeadlessLoseAllSurfaces();
void HeadlessSetDisplayRestorable(bool restorable);
bool HeadlessSurfaceLost(IDirectDrawSurface7* surface);

// A surface's palette indices, row by row without padding, and a single one.
std::vector<uint8_t> HeadlessSurfaceIndices(IDirectDrawSurface7* surface);
uint8_t HeadlessSurfaceIndex(IDirectDrawSurface7* surface, int x, int y);
void HeadlessSetSurfaceIndex(IDirectDrawSurface7* surface, int x, int y, uint8_t index);

// A palette's 256 entries as 1024 bytes: red, green, blue, flags.
const uint8_t* HeadlessPaletteBytes(IDirectDrawPalette* palette);

// Makes an embedded resource missing, as if the program had been built without it.
void HeadlessHideResource(const char* name);

// The pictures Flip presented: how many, and the latest as indices and as RGB, captured into
// buffers made once. A present copies the indices and the palette; the RGB picture is worked
// out when first asked for, so presenting stays cheap for long replays.
struct HeadlessRgb {
    uint8_t red;
    uint8_t green;
    uint8_t blue;
    bool operator==(const HeadlessRgb&) const = default;
};
// Flips present only a picture that differs from the one on screen (or after an expose);
// the others leave the screen alone. Presented, left alone, and the two together:
uint32_t HeadlessPresentCount();
uint32_t HeadlessUnchangedFlipCount();
uint32_t HeadlessFlipCount();
// When the latest picture was presented, on the microsecond clock.
uint64_t HeadlessLastPresentMicroseconds();
// Sleeps that ended at a display's frame (BackendSleepUntilFrame), and the due time the latest
// one was given.
uint32_t HeadlessFrameSleepCount();
uint64_t HeadlessLastFrameSleepDue();
// Sleeps after an unchanged picture (BackendSleepUntilOrKeyFrame), and the due time the latest
// one was given.
uint32_t HeadlessKeyFrameSleepCount();
uint64_t HeadlessLastKeyFrameSleepDue();
// The window's contents were exposed: the next flip presents even an unchanged picture.
void HeadlessExpose();
int HeadlessPresentedWidth();
int HeadlessPresentedHeight();
// width * height * 3 bytes: red, green, blue per pixel, top row first.
const std::vector<uint8_t>& HeadlessPresentedRgb();
HeadlessRgb HeadlessPresentedPixel(int x, int y);
uint8_t HeadlessPresentedIndex(int x, int y);
// width * height palette indices, top row first.
const std::vector<uint8_t>& HeadlessPresentedIndices();

// The DirectDraw objects freed since the reset or clear, in order: "DirectDraw", "palette", or
// a surface's role and size such as "primary 640x480" or "offscreen 288x384".
std::vector<std::string> HeadlessDestroyedObjects();
void HeadlessClearDestroyedObjects();

// Writes the latest presented picture to `path` as an RGB PNG; false if nothing was presented
// yet or the file cannot be written.
bool HeadlessWritePresentedPng(const char* path);
