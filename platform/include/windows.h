// The subset of the Win32 API that the game calls, for systems without Windows.
//
// The game includes this exactly as it includes the real <windows.h>; the types keep their
// Windows sizes (DWORD and LONG are 32 bits) so arithmetic on them behaves the same on both.
// Declarations grow only as the game starts to call something new; besides what the game
// calls, only the constants and result codes this platform answers with are here.
#pragma once

#include <windef.h>
#include <winbase.h>
#include <wingdi.h>
#include <winuser.h>
