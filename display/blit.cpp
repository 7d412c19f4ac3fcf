#include "display/blit.h"

#include <ddraw.h>

HRESULT FlipPrimary() {
    return DD_OK;
}
