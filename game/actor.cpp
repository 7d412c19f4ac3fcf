#include "game/actor.h"

#include "game/scene.h"

Actor gPlayer;
Actor gShot;
Actor gActors[kActorSlots];
BYTE gKeys[256];
DWORD gLastSpawnTime;

const RECT gPlayArea = {150, 0, 630, 480};

void SetActorCell(Actor& actor, int left, int top, int right, int bottom) {
    SetRect(&actor.srcRect, left, top, right, bottom);
    actor.width = actor.srcRect.right - actor.srcRect.left;
    actor.height = actor.srcRect.bottom - actor.srcRect.top;
}

void AdvanceAnimation(Actor& actor) {
    if (gNow - actor.lastFrameTime < static_cast<DWORD>(actor.frameInterval)) {
        return;
    }
    actor.lastFrameTime = gNow;
    ++actor.frame;
    if (actor.frame >= actor.frameCount) {
        actor.frame = 0;
    }
}

RECT ActorHitBox(const Actor& actor) {
    int ix = TruncatePosition(actor.x);
    int iy = TruncatePosition(actor.y);
    RECT box;
    if (&actor == &gShot) {
        SetRect(&box, ix, iy, ix + actor.width, iy + actor.height);
    } else {
        SetRect(&box, ix + actor.hitRect.left, iy + actor.hitRect.top, ix + actor.hitRect.right,
                iy + actor.hitRect.bottom);
    }
    return box;
}
