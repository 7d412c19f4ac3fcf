// The touch controls the page shows on touch screens (web_touch.js): a stick that holds the
// arrows and a fire button that holds Space, one more source of the game's keys, merged with
// the keyboard's and the pads' (web_input.h) so that a finger lifting never lets go of a key
// still held on the keyboard or a pad.
#pragma once

// Starts and stops taking the controls' fingers, with the program's window.
void WebTouchListen();
void WebTouchStop();
