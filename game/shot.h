// The ship's single shot: fired while space is held and the shot is free, climbs, and is
// freed above the play field. Called once per game frame by GameFrame, after UpdatePlayer.
#pragma once

void UpdateShot();
