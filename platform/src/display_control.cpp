#include "display_control.h"

#include "ddraw_objects.h"

namespace {
bool gDisplayRestorable = true;
}

void PlatformLoseAllSurfaces() {
    for (SoftwareSurface* surface = SoftwareSurface::FirstLive(); surface != nullptr;
         surface = surface->nextLive()) {
        surface->MarkLost();
    }
}

void PlatformSetDisplayRestorable(bool restorable) {
    gDisplayRestorable = restorable;
}

bool PlatformDisplayRestorable() {
    return gDisplayRestorable;
}
