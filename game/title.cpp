#include "game/title.h"

#include <cstdlib>

#include <ddraw.h>

#include "game/scene.h"
#include "display/blit.h"
#include "display/display.h"

namespace {

constexpr DWORD kTitleClearIndex = 128;  // dark navy in the display palette

// The two bands of the title sheet, set by TitleInit.
RECT gTitleLogoRect;
RECT gTitlePromptRect;
BYTE gTitleKeys[256];

void ClearBackBuffer() {
    DDBLTFX effects;
    ZeroMemory(&effects, sizeof effects);
    effects.dwSize = sizeof effects;
    effects.dwFillColor = kTitleClearIndex;
    gBackSurface->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &effects);
}

// keys[VK_SPACE] = 1 while the space bar is down at this moment, else 0. The window is not used.
void ReadTitleKeys(HWND, BYTE keys[256]) {
    keys[VK_SPACE] = (GetAsyncKeyState(VK_SPACE) & 0x8000) ? 1 : 0;
}

}  // namespace

void TitleInit(HWND) {
    SetRect(&gTitleLogoRect, 0, 0, 640, 100);
    SetRect(&gTitlePromptRect, 0, 100, 640, 135);
    gScene = kSceneTitle;
    srand(gNow);
}

HRESULT TitleFrame(HWND window) {
    ClearBackBuffer();  // a failed fill is not worth stopping the title for
    HRESULT result =
        BltFastRetry(gBackSurface, 0, 100, gTitleSurface, &gTitleLogoRect, DDBLTFAST_SRCCOLORKEY);
    if (result != DD_OK) {
        return result;
    }
    result =
        BltFastRetry(gBackSurface, 0, 350, gTitleSurface, &gTitlePromptRect, DDBLTFAST_SRCCOLORKEY);
    if (result != DD_OK) {
        return result;
    }
    ReadTitleKeys(window, gTitleKeys);
    if (gTitleKeys[VK_SPACE]) {
        gScene = kSceneGameSetup;
    }
    return DD_OK;
}
