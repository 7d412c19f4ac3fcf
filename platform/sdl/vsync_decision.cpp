#include "vsync_decision.h"

#include <cmath>
#include <initializer_list>

bool ShouldUseVsync(VsyncMode mode, double refreshHz) {
    switch (mode) {
        case VsyncMode::kOn:
            return true;
        case VsyncMode::kOff:
            return false;
        case VsyncMode::kAuto:
            break;
    }
    for (double multiple : {60.0, 120.0, 180.0, 240.0}) {
        if (std::fabs(refreshHz - multiple) <= multiple * 0.01) {
            return true;
        }
    }
    return false;
}
