// The player's ship: animation, the end of its explosion, movement by the arrow keys inside
// the play field, and the return to the title five seconds after the game is over.
// Called once per game frame by GameFrame, after the keys are sampled.
#pragma once

void UpdatePlayer();
