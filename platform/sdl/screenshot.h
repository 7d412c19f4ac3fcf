// F9 screenshots: the presented 640x480 picture, unscaled, as a PNG (screenshot_files.h says
// where). The picture is the one the platform keeps of what is on screen (shown_picture.h);
// the event pump calls SaveScreenshot when F9 goes down.
#pragma once

// Writes the picture last presented and prints its path on standard error, or why it could not
// be written; the game goes on either way.
void SaveScreenshot();
