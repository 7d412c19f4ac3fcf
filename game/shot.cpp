#include "game/shot.h"

#include "game/actor.h"

// The ship's life is not looked at: a shot fired while exploding moves but neither hits nor
// shows, because the collisions and the drawing ignore it then.
void UpdateShot() {
    if (gKeys[VK_SPACE] && gShot.life == 0) {
        // Halved in integers before the addition, centring the shot on the ship.
        gShot.x = gPlayer.x + (gPlayer.width - gShot.width) / 2;
        gShot.y = gPlayer.y - gShot.height;
        if (gShot.y < gPlayArea.top) {
            return;  // no room above the ship
        }
        gShot.life = 1;
    }
    if (gShot.life > 0) {
        gShot.y -= gShot.vy;
    }
    if (gShot.y < gPlayArea.top) {
        gShot.life = 0;
    }
}
