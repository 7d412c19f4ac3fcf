#include "game/bullet.h"

#include <cmath>

#include "game/scene.h"

namespace {

constexpr double kBulletSpeed = 4.0;  // px per frame, either kind

Actor* FindFreeBulletSlot() {
    for (int slot = kFirstBulletSlot; slot <= kLastBulletSlot; ++slot) {
        if (gActors[slot].life == 0) {
            return &gActors[slot];
        }
    }
    return nullptr;
}

}  // namespace

void SpawnBullet(const Actor* shooter, int bulletKind) {
    Actor* bullet = FindFreeBulletSlot();
    if (bullet == nullptr) {
        return;  // every slot busy: the shot is simply lost
    }
    SetActorCell(*bullet, 0, 376, 8, 384);
    SetRect(&bullet->hitRect, 1, 1, 7, 7);
    bullet->frameCount = 6;
    bullet->frame = 0;
    bullet->frameInterval = 50;
    bullet->lastFrameTime = gNow;
    bullet->kind = bulletKind;
    // Starts at the shooter's left edge, halfway down it.
    bullet->x = shooter->x;
    bullet->y = shooter->y + shooter->width / 2;
    if (bulletKind == kBulletAimed) {
        // Aimed once, at the ship's top-left corner as it stands now; it does not follow.
        double angle = std::atan2(gPlayer.y - bullet->y, gPlayer.x - bullet->x);
        bullet->vx = std::cos(angle) * kBulletSpeed;
        bullet->vy = std::sin(angle) * kBulletSpeed;
    } else {
        bullet->vx = 0.0;
        bullet->vy = kBulletSpeed;
    }
    bullet->life = 1;  // live only once every field it uses is set
}

void MoveAimedBullet(Actor* bullet) {
    bullet->x += bullet->vx;
    bullet->y += bullet->vy;
    // Touching an edge still counts as inside.
    if (bullet->y < gPlayArea.top || bullet->y + bullet->height > gPlayArea.bottom ||
        bullet->x < gPlayArea.left || bullet->x + bullet->width > gPlayArea.right) {
        bullet->life = 0;
        return;
    }
    AdvanceAnimation(*bullet);
}

// Starts inside the field and only falls, so only the bottom can be crossed.
void MoveFallingBullet(Actor* bullet) {
    bullet->y += bullet->vy;
    if (bullet->y + bullet->height > gPlayArea.bottom) {
        bullet->life = 0;
        return;
    }
    AdvanceAnimation(*bullet);
}
