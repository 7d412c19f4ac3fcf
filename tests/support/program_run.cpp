#include "support/program_run.h"

#include "app/frame.h"
#include "app/main_window.h"
#include "display/display.h"
#include "headless.h"

void ResetProgram() {
    ReleaseDisplay();
    HeadlessReset();
    gActive = 0;
    gScene = kSceneTitleSetup;
    gFrameCount = 0;
    gFpsTime = 0;
    gFpsText[0] = '\0';
}

int RunWinMain() {
    char commandLine[] = "";
    return WinMain(nullptr, nullptr, commandLine, SW_SHOWDEFAULT);
}
