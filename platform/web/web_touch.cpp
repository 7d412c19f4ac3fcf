#include "web_touch.h"

#include <emscripten/emscripten.h>

#include <windows.h>

#include "web_events.h"
#include "web_input.h"
#include "web_page.h"
#include "web_stick.h"

extern "C" {
// Listens to the fingers on the page's stick and fire button (web_touch.js).
void zephyx_touch_listen();
void zephyx_touch_stop();
}

namespace {

StickArrows gArrows;
bool gFiring;

// While a message box waits for OK, presses are the box's, as the keyboard's are; releases
// always count.
void Hold(int virtualKey, bool& held, bool down) {
    if (down == held || (down && zephyx_page_message_box_open())) {
        return;
    }
    held = down;
    WebEventsQueueKey(kWebTouchSource, virtualKey, down);
}

}  // namespace

// The stick's finger moved to (x, y) per-mille of the stick's radius from its centre, or lifted
// (lifted != 0).
extern "C" EMSCRIPTEN_KEEPALIVE void zephyx_touch_stick(int x, int y, int lifted) {
    const StickArrows arrows = lifted ? StickArrows{} : StickArrowsAt(x / 1000.0, y / 1000.0);
    Hold(VK_LEFT, gArrows.left, arrows.left);
    Hold(VK_RIGHT, gArrows.right, arrows.right);
    Hold(VK_UP, gArrows.up, arrows.up);
    Hold(VK_DOWN, gArrows.down, arrows.down);
}

extern "C" EMSCRIPTEN_KEEPALIVE void zephyx_touch_fire(int down) {
    Hold(VK_SPACE, gFiring, down != 0);
}

// Focus lost or the page hidden: the game has let go of every key, so a finger still down
// presses again when it next moves or touches.
extern "C" EMSCRIPTEN_KEEPALIVE void zephyx_touch_forget() {
    gArrows = StickArrows{};
    gFiring = false;
}

void WebTouchListen() {
    zephyx_touch_forget();
    zephyx_touch_listen();
}

void WebTouchStop() {
    zephyx_touch_stop();
}
