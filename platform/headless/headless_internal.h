// Shared between the headless backend's files: each part resets its own state.
#pragma once

void HeadlessResetWindow();
void HeadlessResetDisplay();
