// Which of the browser's keys the game gets, as Windows virtual-key codes.
//
// The browser names a key by its place on the keyboard (KeyboardEvent.code: "ArrowLeft",
// "Space"), whatever the layout, as a game wants. The page takes only the keys the game reads;
// every other key, and any press with Ctrl, Alt or Meta held, stays the browser's (reload, full
// screen, find, zoom, back).
#pragma once

struct BrowserKey {
    const char* code;  // KeyboardEvent.code
    bool down;
    bool ctrl;
    bool alt;
    bool meta;
};

// The virtual-key code the game gets for `key`, or 0 when the key is left to the browser.
// Releases of the game's keys always count, so a key pressed before Ctrl never stays down.
int GameKeyFromBrowserKey(const BrowserKey& key);
