// What backends report to the window system while they pump their events.
//
// Each turns into what Windows would deliver: key changes update GetAsyncKeyState and post
// WM_KEYDOWN/WM_KEYUP, the close button posts WM_CLOSE, minimising and restoring send
// WM_ACTIVATE with the minimised flag in the high word, and mouse movement sends WM_SETCURSOR.
#pragma once

void PlatformKeyEvent(int virtualKey, bool down);
void PlatformCloseRequested();
void PlatformWindowMinimised(bool minimised);
// Focus changes send WM_ACTIVATE with WA_INACTIVE or WA_ACTIVE; losing it releases every key.
void PlatformFocusLost();
void PlatformFocusGained();
void PlatformMouseMoved();

// False while the message queue is full: a backend then leaves further input where it is (its
// own queue holds far more) rather than have the posts refused and the input lost.
bool PlatformCanTakeEvent();

// True while the program's window is minimised.
bool PlatformIsWindowMinimised();

// Forgets every class, window and message, as at program start (for tests).
void PlatformResetWindowing();
