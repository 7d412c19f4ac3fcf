// The play state: one record for every moving thing, the pools that hold them, and the two
// rules they all share (the animation step and the hit box).
//
// Everything here is fixed global storage, zero at program start; a game never allocates.
// GameInit writes what a game needs, the movers and the ship update change it each frame,
// CheckCollisions reads the hit boxes and the drawing reads positions and cells.
#pragma once

#include <windows.h>

struct Actor {
    double x;   // left edge of the sprite on screen
    double y;   // top edge of the sprite on screen
    double vx;  // pixels per frame
    double vy;
    RECT srcRect;  // first animation cell in the sprite sheet; frame n lies n widths right
    RECT hitRect;  // hit box relative to the sprite's top-left corner
    int width;     // of srcRect, recomputed whenever srcRect is set
    int height;
    int frameCount;
    int frame;
    int frameInterval;    // ms per animation frame
    DWORD lastFrameTime;  // gNow when the frame last advanced or the animation started
    int fireInterval;     // ms between two shots of an enemy
    DWORD lastFireTime;
    int facing;  // ship only: 0 none, 1 steered right, 2 steered left
    int life;    // 0 means not in play; the ship goes 1, 0 (exploding), -1 (game over)
    int value;   // the ship's score, or the points an enemy is worth
    int kind;    // one of the actor kinds below
};

// Facing codes of the ship.
enum : int { kFacingNone = 0, kFacingRight = 1, kFacingLeft = 2 };

// Actor kinds.
enum : int {
    kEnemyStraight = 1,
    kEnemyRight = 2,
    kEnemyLeft = 3,
    kEnemyWave = 4,
    kBulletAimed = 10,
    kBulletFalling = 11,
};

// The pool: enemies only ever in the enemy slots, bullets only in the bullet slots.
constexpr int kActorSlots = 50;
constexpr int kFirstEnemySlot = 0;
constexpr int kLastEnemySlot = 4;
constexpr int kFirstBulletSlot = 5;
constexpr int kLastBulletSlot = 49;

extern Actor gPlayer;
extern Actor gShot;
extern Actor gActors[kActorSlots];
extern BYTE gKeys[256];  // 1 while the key was down at the last game key sampling
extern DWORD gLastSpawnTime;

// The square play field over the full height of the screen; the panel left of it holds the
// counter and the score.
extern const RECT gPlayArea;

// Sets srcRect and the width and height that follow from it.
void SetActorCell(Actor& actor, int left, int top, int right, int bottom);

// Advances the animation by at most one frame once frameInterval has passed since
// lastFrameTime; a late step restarts the interval from gNow and is never caught up.
void AdvanceAnimation(Actor& actor);

// The actor's hit box in screen pixels from its position truncated toward zero: hitRect moved
// by the position, or for the shot its whole sprite.
RECT ActorHitBox(const Actor& actor);

// A position truncated toward zero, as drawing and hit tests use it.
inline int TruncatePosition(double position) {
    return static_cast<int>(position);
}
