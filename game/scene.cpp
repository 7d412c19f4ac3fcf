#include "game/scene.h"

DWORD gNow;
BYTE gScene = kSceneTitleSetup;
