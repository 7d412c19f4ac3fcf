// USER services: keyboard, formatting, rectangles, windows, messages and message boxes.
#pragma once

#include <windef.h>

// Virtual-key codes
#define VK_RETURN 0x0D
#define VK_MENU 0x12
#define VK_ESCAPE 0x1B
#define VK_SPACE 0x20
#define VK_LEFT 0x25
#define VK_UP 0x26
#define VK_RIGHT 0x27
#define VK_DOWN 0x28
#define VK_F12 0x7B

// Bit 0x8000 is set while the key is down, as of the latest event pump.
SHORT GetAsyncKeyState(int virtualKey);

BOOL SetRect(LPRECT rect, int left, int top, int right, int bottom);

// printf rules into a buffer that Windows limits to 1024 characters plus the terminator.
int WINAPIV wsprintfA(LPSTR buffer, LPCSTR format, ...);
