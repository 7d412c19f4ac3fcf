// How large the picture may be scaled where the CPU does the scaling (the window surface, SDL's
// software renderer): as far as this machine keeps 60 frames a second.
//
// BackendOpenWindow measures it once, on the way the presentation scales a picture (sharp
// blocks, then a smooth step), before any frame runs; the presentations then cap the whole
// factor of their scaling plans (scaling_geometry.h) with CpuMaxFactor. A GPU scales for free
// and has no cap.
#pragma once

#include "scaling_geometry.h"

// Times the scaling of a pictureWidth x pictureHeight picture on the CPU.
void MeasureCpuScaling(int pictureWidth, int pictureHeight);

// The measured cap on the whole factor; kCpuMinFactor before any measurement.
int CpuMaxFactor();
