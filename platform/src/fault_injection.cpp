#include "fault_injection.h"

#include <ddraw.h>

PlatformFault gPlatformFaults[static_cast<int>(PlatformOp::Count)];

HRESULT PlatformInjectedFault(PlatformOp op) {
    PlatformFault& fault = gPlatformFaults[static_cast<int>(op)];
    if (fault.stillDrawing > 0) {
        --fault.stillDrawing;
        return DDERR_WASSTILLDRAWING;
    }
    if (fault.failures == 0) {
        return DD_OK;
    }
    if (fault.callsToSkip > 0) {
        --fault.callsToSkip;
        return DD_OK;
    }
    if (fault.failures != kPlatformFaultForever) {
        --fault.failures;
    }
    return fault.code;
}

HRESULT PlatformInjectedFaultWaited(PlatformOp op, bool wait) {
    HRESULT fault = PlatformInjectedFault(op);
    while (fault == DDERR_WASSTILLDRAWING && wait) {
        fault = PlatformInjectedFault(op);
    }
    return fault;
}

void PlatformClearFaults() {
    for (PlatformFault& fault : gPlatformFaults) {
        fault = PlatformFault{};
    }
}
