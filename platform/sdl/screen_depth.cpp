#include "screen_depth.h"

#include <cstdio>

#include "closable_box.h"

int UnsupportedScreenDepth(SDL_Window* window) {
    const Uint32 format = SDL_GetWindowPixelFormat(window);
    const int bits = format == SDL_PIXELFORMAT_UNKNOWN       ? NativeScreenDepth(window)
                     : format == SDL_PIXELFORMAT_ARGB2101010 ? 30
                                                             : SDL_BITSPERPIXEL(format);
    return bits != 0 && (bits < 15 || bits > 24) && bits != 32 ? bits : 0;
}

void ReportUnsupportedScreenDepth(int depth) {
    char problem[96];
    snprintf(problem, sizeof problem, "The screen has %d-bit colour, which the game cannot show.",
             depth);
    const char kFix[] = "Set the display to 24-bit colour.";
    fprintf(stderr, "zephyx: %s %s\n", problem, kFix);
    char text[160];
    snprintf(text, sizeof text, "%s\n%s", problem, kFix);
    ShowClosableErrorBox("ZEPHYX", text, nullptr);
}
