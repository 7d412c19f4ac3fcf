#include "game/collision.h"

#include "game/scene.h"
#include "game/actor.h"

namespace {

// The ship's explosion: its first cell in the sprite sheet, with the others to its right.
constexpr RECT gExplosionRect = {0, 256, 16, 272};
constexpr int gExplosionFrames = 3;
constexpr int kExplosionInterval = 500;  // ms per explosion frame

// The ship's position and hit box stay; only its cells, size and animation change.
void ExplodeShip() {
    --gPlayer.life;
    SetActorCell(gPlayer, gExplosionRect.left, gExplosionRect.top, gExplosionRect.right,
                 gExplosionRect.bottom);
    gPlayer.frameCount = gExplosionFrames;
    gPlayer.frame = 0;
    gPlayer.lastFrameTime = gNow;
    gPlayer.frameInterval = kExplosionInterval;
}

bool IsEnemy(const Actor& actor) {
    return actor.kind < kBulletAimed;
}

}  // namespace

bool RectsOverlap(const RECT& a, const RECT& b) {
    return !(a.left > b.right || a.top > b.bottom || a.right < b.left || a.bottom < b.top);
}

void CheckCollisions() {
    if (gPlayer.life < 1) {
        return;  // exploding or over: nothing touches the ship and the shot hits nothing
    }
    // Built once: a hit during the pass does not move either box.
    const RECT shipBox = ActorHitBox(gPlayer);
    const RECT shotBox = ActorHitBox(gShot);
    for (Actor& actor : gActors) {
        if (actor.life == 0) {
            continue;
        }
        const RECT box = ActorHitBox(actor);
        // Once the ship is hit its life is 0, so it takes at most one hit per pass. The actor
        // that hit it is left alone and is not tested against the shot.
        if (actor.life > 0 && gPlayer.life >= 1 && RectsOverlap(shipBox, box)) {
            ExplodeShip();
        } else if (gShot.life > 0 && IsEnemy(actor) && RectsOverlap(shotBox, box)) {
            // The shot is spent on the lowest slot it touches; points come with the last hit.
            --actor.life;
            if (actor.life == 0) {
                gPlayer.value += actor.value;
            }
            --gShot.life;
        }
    }
}
