#include "game/draw.h"

#include <cstdio>

#include <ddraw.h>

#include "display/blit.h"
#include "display/display.h"
#include "display/text.h"
#include "game/actor.h"

namespace {

// The part of the background bitmap copied to the whole screen each game frame.
constexpr RECT gBackSrcRect = {0, 0, 640, 480};
constexpr int kScoreRow = 1;  // yellow row of the bitmap font
constexpr COLORREF kGameOverColour = 0x00FFFF00;
// "ＭＳ 明朝" in code page 932.
const char kGameOverFace[] = "\x82\x6C\x82\x72\x20\x96\xBE\x92\xA9";

void FormatScore(char (&text)[80]) {
    snprintf(text, sizeof text, "SCORE %08d", gPlayer.value);
}

// Frame `frame` of a strip of equal cells laid side by side from the actor's first cell.
RECT AnimationCell(const Actor& actor, int firstLeft) {
    RECT cell;
    cell.left = firstLeft + actor.frame * actor.width;
    cell.top = actor.srcRect.top;
    cell.right = cell.left + actor.width;
    cell.bottom = actor.srcRect.bottom;
    return cell;
}

HRESULT DrawSprite(const Actor& actor, RECT cell) {
    return BltFastRetry(gBackSurface, TruncatePosition(actor.x), TruncatePosition(actor.y),
                        gCharSurface, &cell, DDBLTFAST_SRCCOLORKEY);
}

// The ship's sheet holds two frames per facing (still, right, left). While it explodes the
// three explosion cells stand alone, so facing must not shift them.
RECT ShipCell() {
    int facingOffset = gPlayer.life == 0 ? 0 : gPlayer.facing * gPlayer.width * 2;
    return AnimationCell(gPlayer, gPlayer.srcRect.left + facingOffset);
}

}  // namespace

void DrawGameOver() {
    DrawFontText(30, 180, "Game Over", kGameOverColour, 128, kGameOverFace, 0);
    char score[80];
    FormatScore(score);
    DrawFontText(100, 300, score, kGameOverColour, 64, kGameOverFace, 0);
}

HRESULT DrawBackground() {
    RECT source = gBackSrcRect;
    HRESULT result =
        BltFastRetry(gBackSurface, 0, 0, gBackImageSurface, &source, DDBLTFAST_NOCOLORKEY);
    if (result != DD_OK) {
        return result;
    }
    char score[80];
    FormatScore(score);
    return DrawSheetText(score, 20, 50, kScoreRow);
}

HRESULT DrawGame() {
    for (const Actor& actor : gActors) {
        if (actor.life <= 0) {
            continue;
        }
        HRESULT result = DrawSprite(actor, AnimationCell(actor, actor.srcRect.left));
        if (result != DD_OK) {
            return result;
        }
    }
    if (gPlayer.life == -1) {
        DrawGameOver();
        return DD_OK;
    }
    if (gPlayer.life > 0 && gShot.life > 0) {
        HRESULT result = DrawSprite(gShot, gShot.srcRect);
        if (result != DD_OK) {
            return result;
        }
    }
    return DrawSprite(gPlayer, ShipCell());
}
