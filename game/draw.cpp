#include "game/draw.h"

HRESULT DrawBackground() {
    return 0;
}

HRESULT DrawGame() {
    return 0;
}
