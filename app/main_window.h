// The program's entry and its window: WinMain runs the message loop, MainWndProc handles the
// few messages the program cares about, and FailInit reports a failed start-up.
//
// On Windows the loader calls WinMain; elsewhere the platform's main does. InitDisplay calls
// FailInit at its first failing step; it is declared with its caller in
// display/startup_failure.h and defined here.
#pragma once

#include <windows.h>

#include "display/startup_failure.h"

// Non-zero while the window is not minimised; frames run only then. 0 until the first
// WM_ACTIVATE.
extern int gActive;

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previousInstance, LPSTR commandLine,
                   int showCommand);

// Registers the class and creates, shows and focuses the topmost 640x480 window; null on failure.
HWND CreateMainWindow(HINSTANCE instance, int showCommand);

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
