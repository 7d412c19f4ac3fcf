// Failures that a test can make platform operations report.
//
// The headless backend sets them (headless.h); the operations below ask PlatformInjectedFault
// first thing and report what it gives. On the SDL backend nothing sets them, so every check is
// one table read that answers 0. Checks allocate nothing and cost a few loads.
#pragma once

#include <cstdint>

#include <windef.h>

enum class PlatformOp : uint8_t {
    DirectDrawCreateEx,
    SetCooperativeLevel,
    SetDisplayMode,
    CreateSurfacePrimary,
    CreateSurfaceOffscreen,
    GetAttachedSurface,
    CreatePalette,
    SetPalette,
    SetColorKey,
    GetSurfaceDesc,
    BltFast,
    Blt,
    Flip,
    Lock,
    GetDC,
    Restore,
    CreateCompatibleDC,
    LoadImageA,
    FindResourceA,
    LockResource,
    OpenFile,
    Count
};

struct PlatformFault {
    uint32_t stillDrawing;  // calls left that answer DDERR_WASSTILLDRAWING
    uint32_t callsToSkip;   // calls that still succeed before `failures` start
    uint32_t failures;      // calls left that fail with `code`; kPlatformFaultForever never ends
    HRESULT code;
};

constexpr uint32_t kPlatformFaultForever = UINT32_MAX;

extern PlatformFault gPlatformFaults[static_cast<int>(PlatformOp::Count)];

// 0 when the operation should go ahead; otherwise the code it reports. Operations that give a
// handle rather than a code fail with a null handle when this is non-zero.
HRESULT PlatformInjectedFault(PlatformOp op);

// PlatformInjectedFault for a call that asked to wait (DDBLT_WAIT, DDFLIP_WAIT): a busy
// answer is waited out, as the real display waits until it can draw.
HRESULT PlatformInjectedFaultWaited(PlatformOp op, bool wait);

void PlatformClearFaults();
