#include "display/display.h"

#include "display/bitmap.h"
#include "display/startup_failure.h"

LPDIRECTDRAW7 gDirectDraw;
LPDIRECTDRAWSURFACE7 gPrimarySurface;
LPDIRECTDRAWSURFACE7 gBackSurface;
LPDIRECTDRAWPALETTE gPalette;
LPDIRECTDRAWSURFACE7 gBackImageSurface;
LPDIRECTDRAWSURFACE7 gStringsSurface;
LPDIRECTDRAWSURFACE7 gTitleSurface;
LPDIRECTDRAWSURFACE7 gCharSurface;

const char kBackImageName[] = "BACKIMG";
const char kStringsName[] = "STRINGS";
const char kTitleName[] = "TITLE";
const char kCharName[] = "CHAR";

namespace {

// The transparent green of the font and title sheets: red 21, green 141, blue 91.
constexpr COLORREF kSheetKeyColour = RGB(21, 141, 91);

struct StepTexts {
    const char* success;
    const char* failure;
};

enum Step {
    kCreateStep,
    kCooperativeStep,
    kDisplayModeStep,
    kPrimaryStep,
    kBackBufferStep,
    kPaletteStep,
    kSetPaletteStep,
    kBackImageStep,
    kStringsStep,
    kTitleStep,
    kCharStep,
};

const StepTexts kStepTexts[] = {
    {"DirectDrawCreateEx OK\n", "DirectDrawCreateEx FAILED"},
    {"SetCooperativeLevel OK\n", "SetCooperativeLevel FAILED"},
    {"SetDisplayMode OK\n", "SetDisplayMode FAILED"},
    {"CreateSurface OK\n", "CreateSurface FAILED"},
    {"GetAttachedSurface OK\n", "GetAttachedSurface FAILED"},
    {"DDLoadPalette OK\n", "DDLoadPalette FAILED"},
    {"SetPalette OK\n", "SetPalette FAILED"},
    {"DDLoadBitmap BackImage OK\n", "DDLoadBitmap BackImage FAILED"},
    {"DDLoadBitmap Strings OK\n", "DDLoadBitmap Strings FAILED"},
    {"DDLoadBitmap Title OK\n", "DDLoadBitmap Title FAILED"},
    {"DDLoadBitmap Char OK\n", "DDLoadBitmap Char FAILED"},
};

// Logs a step that succeeded, or reports the failed one through FailInit and keeps its code.
bool StepSucceeded(HWND window, Step step, HRESULT result, HRESULT* failure) {
    if (result != DD_OK) {
        *failure = FailInit(window, result, kStepTexts[step].failure);
        return false;
    }
    OutputDebugStringA(kStepTexts[step].success);
    return true;
}

// The loaders give only a null object on failure. E_FAIL stands in for their missing code, so
// a failed start-up can never come back as success.
HRESULT LoaderResult(const void* object) {
    return object != nullptr ? DD_OK : E_FAIL;
}

HRESULT CreatePrimarySurface() {
    DDSURFACEDESC2 description;
    ZeroMemory(&description, sizeof description);
    description.dwSize = sizeof description;
    description.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    description.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    description.dwBackBufferCount = 1;
    return gDirectDraw->CreateSurface(&description, &gPrimarySurface, nullptr);
}

HRESULT GetBackBuffer() {
    DDSCAPS2 capabilities;
    ZeroMemory(&capabilities, sizeof capabilities);
    capabilities.dwCaps = DDSCAPS_BACKBUFFER;
    return gPrimarySurface->GetAttachedSurface(&capabilities, &gBackSurface);
}

template <typename Object>
void ReleaseObject(Object*& object) {
    if (object != nullptr) {
        object->Release();
        object = nullptr;
    }
}

}  // namespace

HRESULT InitDisplay(HWND window) {
    HRESULT failure = DD_OK;
    if (!StepSucceeded(window, kCreateStep,
                       DirectDrawCreateEx(nullptr, reinterpret_cast<void**>(&gDirectDraw),
                                          IID_IDirectDraw7, nullptr),
                       &failure) ||
        !StepSucceeded(window, kCooperativeStep,
                       gDirectDraw->SetCooperativeLevel(
                           window, DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN | DDSCL_ALLOWREBOOT),
                       &failure) ||
        !StepSucceeded(window, kDisplayModeStep, gDirectDraw->SetDisplayMode(640, 480, 8, 0, 0),
                       &failure) ||
        !StepSucceeded(window, kPrimaryStep, CreatePrimarySurface(), &failure) ||
        !StepSucceeded(window, kBackBufferStep, GetBackBuffer(), &failure)) {
        return failure;
    }

    // The palette goes on the primary before any bitmap is loaded: loading converts colours
    // through it.
    gPalette = DDLoadPalette(gDirectDraw, kBackImageName);
    if (!StepSucceeded(window, kPaletteStep, LoaderResult(gPalette), &failure) ||
        !StepSucceeded(window, kSetPaletteStep, gPrimarySurface->SetPalette(gPalette), &failure)) {
        return failure;
    }

    gBackImageSurface = DDLoadBitmap(gDirectDraw, kBackImageName, 0, 0);
    if (!StepSucceeded(window, kBackImageStep, LoaderResult(gBackImageSurface), &failure)) {
        return failure;
    }
    gStringsSurface = DDLoadBitmap(gDirectDraw, kStringsName, 0, 0);
    if (!StepSucceeded(window, kStringsStep, LoaderResult(gStringsSurface), &failure)) {
        return failure;
    }
    DDSetSourceKey(gStringsSurface, kSheetKeyColour);
    gTitleSurface = DDLoadBitmap(gDirectDraw, kTitleName, 0, 0);
    if (!StepSucceeded(window, kTitleStep, LoaderResult(gTitleSurface), &failure)) {
        return failure;
    }
    DDSetSourceKey(gTitleSurface, kSheetKeyColour);
    gCharSurface = DDLoadBitmap(gDirectDraw, kCharName, 0, 0);
    if (!StepSucceeded(window, kCharStep, LoaderResult(gCharSurface), &failure)) {
        return failure;
    }
    DDSetSourceKey(gCharSurface, CLR_INVALID);  // keyed on the sheet's own top-left pixel
    return DD_OK;
}

void ReleaseDisplay() {
    if (gDirectDraw == nullptr) {
        return;
    }
    ReleaseObject(gPrimarySurface);  // takes the back buffer with it
    ReleaseObject(gBackImageSurface);
    ReleaseObject(gStringsSurface);
    ReleaseObject(gTitleSurface);
    ReleaseObject(gCharSurface);
    ReleaseObject(gPalette);
    ReleaseObject(gDirectDraw);
}
