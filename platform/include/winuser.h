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

#define IS_INTRESOURCE(r) ((((uintptr_t)(r)) >> 16) == 0)
#define MAKEINTRESOURCEA(i) ((LPSTR)((uintptr_t)((WORD)(i))))
#define MAKEINTRESOURCE MAKEINTRESOURCEA
#define RT_BITMAP MAKEINTRESOURCE(2)

#define IMAGE_BITMAP 0
#define LR_DEFAULTCOLOR 0x0000
#define LR_LOADFROMFILE 0x0010
#define LR_CREATEDIBSECTION 0x2000

// A bitmap from the program's resources, or with LR_LOADFROMFILE from a BMP file at `name`.
// Only 4- and 8-bit uncompressed bitmaps load; anything else, or a damaged file, gives null.
// A non-zero width or height scales the picture to that size.
HANDLE LoadImageA(HINSTANCE instance, LPCSTR name, UINT type, int width, int height, UINT flags);
