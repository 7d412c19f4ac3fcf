#include "renderer_decision.h"

bool TradeForCpuDrawing(bool openGlOnCpu, bool rendererNamed, VsyncMode vsync) {
    return openGlOnCpu && !rendererNamed && vsync != VsyncMode::kOn;
}
