#include "game/title.h"

#include <cstdlib>

#include "app/frame.h"

RECT gTitleLogoRect;
RECT gTitlePromptRect;

void TitleInit(HWND) {
    SetRect(&gTitleLogoRect, 0, 0, 640, 100);
    SetRect(&gTitlePromptRect, 0, 100, 640, 135);
    gScene = kSceneTitle;
    srand(gNow);
}

HRESULT TitleFrame(HWND) {
    return 0;
}

void ReadTitleKeys(HWND, BYTE keys[256]) {
    keys[VK_SPACE] = (GetAsyncKeyState(VK_SPACE) & 0x8000) ? 1 : 0;
}
