// Starting SDL's video only where a player can see the window.
//
// Where there is no display at all, SDL falls back to video drivers that draw nowhere
// ("offscreen", "dummy"); the game would then run invisibly until killed. Those count only
// when the user asked for them by name in SDL_VIDEODRIVER.
#pragma once

// Starts SDL's video subsystem on a display a player can see. Otherwise says on standard
// error, in one line, what is missing and what to do, and returns false with video stopped.
bool StartVideoOnPlayersDisplay();
