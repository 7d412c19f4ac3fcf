#include "app/frame.h"

#include <ddraw.h>
#include <mmsystem.h>

#include "display/blit.h"
#include "display/text.h"
#include "game/game.h"
#include "game/title.h"

int gFrameCount;
DWORD gFpsTime;
char gFpsText[128];

namespace {

// The scene is read once: a set-up's own write of the next value does not stop its frame from
// running in this call, and a frame's write of another scene takes effect at the next call.
void RunScene(HWND window) {
    switch (gScene) {
        case kSceneTitleSetup:
            TitleInit(window);
            [[fallthrough]];
        case kSceneTitle:
            TitleFrame(window);
            break;
        case kSceneGameSetup:
            GameInit(window);
            [[fallthrough]];
        case kSceneGame:
            GameFrame(window);
            break;
        default:
            break;
    }
}

// The counter is the number of frames since the last update, not a rate scaled to a second.
void CountFrame() {
    ++gFrameCount;
    if (gNow - gFpsTime >= 1000) {
        gFpsTime = gNow;
        wsprintfA(gFpsText, "%04d FPS", gFrameCount);
        gFrameCount = 0;
    }
}

}  // namespace

HRESULT RunFrame(HWND window) {
    gNow = timeGetTime();
    RunScene(window);
    CountFrame();
    HRESULT result = DrawSheetText(gFpsText, 0, 0, 0);
    if (result != DD_OK) {
        return result;
    }
    return FlipPrimary();
}
