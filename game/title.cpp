#include "game/title.h"

#include <cstdlib>

#include <ddraw.h>

#include "app/frame.h"
#include "display/blit.h"
#include "display/display.h"

RECT gTitleLogoRect;
RECT gTitlePromptRect;

namespace {

constexpr DWORD kTitleClearIndex = 128;  // dark navy in the display palette

BYTE gTitleKeys[256];

void ClearBackBuffer() {
    DDBLTFX effects;
    ZeroMemory(&effects, sizeof effects);
    effects.dwSize = sizeof effects;
    effects.dwFillColor = kTitleClearIndex;
    gBackSurface->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &effects);
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

void ReadTitleKeys(HWND, BYTE keys[256]) {
    keys[VK_SPACE] = (GetAsyncKeyState(VK_SPACE) & 0x8000) ? 1 : 0;
}
