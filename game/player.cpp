#include "game/player.h"

#include "game/scene.h"
#include "game/actor.h"

namespace {

constexpr DWORD kGameOverWait = 5000;  // ms from "Game Over" to the title

// AdvanceAnimation's step, except that the explosion's last frame ends the game instead of
// wrapping. frame stays at frameCount then; nothing animates the ship afterwards.
void AnimateShip() {
    if (gNow - gPlayer.lastFrameTime < static_cast<DWORD>(gPlayer.frameInterval)) {
        return;
    }
    gPlayer.lastFrameTime = gNow;  // from here on it also times the wait for the title
    ++gPlayer.frame;
    if (gPlayer.frame >= gPlayer.frameCount) {
        if (gPlayer.life == 0) {
            gPlayer.life = -1;
        } else {
            gPlayer.frame = 0;
        }
    }
}

void SteerShip() {
    bool left = gKeys[VK_LEFT] != 0;
    bool right = gKeys[VK_RIGHT] != 0;
    if (left && !right) {
        gPlayer.x -= gPlayer.vx;
        gPlayer.facing = kFacingLeft;
    } else if (right && !left) {
        gPlayer.x += gPlayer.vx;
        gPlayer.facing = kFacingRight;
    } else {
        gPlayer.facing = kFacingNone;
    }

    bool up = gKeys[VK_UP] != 0;
    bool down = gKeys[VK_DOWN] != 0;
    if (up && !down) {
        gPlayer.y -= gPlayer.vy;
    } else if (down && !up) {
        gPlayer.y += gPlayer.vy;
    }
}

// Uses the current size: the 16-pixel explosion may reach further right and down than the
// 32-pixel ship.
void KeepShipInPlayArea() {
    if (gPlayer.x < gPlayArea.left) {
        gPlayer.x = gPlayArea.left;
    } else if (gPlayer.x + gPlayer.width > gPlayArea.right) {
        gPlayer.x = gPlayArea.right - gPlayer.width;
    }
    if (gPlayer.y < gPlayArea.top) {
        gPlayer.y = gPlayArea.top;
    } else if (gPlayer.y + gPlayer.height > gPlayArea.bottom) {
        gPlayer.y = gPlayArea.bottom - gPlayer.height;
    }
}

}  // namespace

void UpdatePlayer() {
    if (gPlayer.life == -1) {
        if (gNow - gPlayer.lastFrameTime >= kGameOverWait) {
            gScene = kSceneTitleSetup;  // the driver reads it at the next frame
        }
        return;
    }
    AnimateShip();
    // Still steered in the frame that ends the explosion; only from the next one on is it still.
    SteerShip();
    KeepShipInPlayArea();
}
