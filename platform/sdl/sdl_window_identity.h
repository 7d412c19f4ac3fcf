// How desktops recognise the program's window: its class (the application ID, which the
// desktop entry names as StartupWMClass) and its icon.
//
// sdl_backend.cpp calls SetWindowClassForDesktop before SDL starts its video subsystem, which
// reads the class then, and SetWindowIconForDesktop once the window exists.
#pragma once

struct SDL_Window;

// Names the window's class (X11 WM_CLASS, Wayland app ID) after the application ID, unless
// the player set SDL's own variables for it.
void SetWindowClassForDesktop();

// Gives the window the program's icon, embedded as the ZEPHYX_WINDOW_ICON resource. Without
// the resource the window keeps the desktop's default icon.
void SetWindowIconForDesktop(SDL_Window* window);
