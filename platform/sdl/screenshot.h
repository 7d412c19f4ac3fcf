// F9 screenshots: the presented picture, unscaled, as a PNG (screenshot_files.h says where).
//
// F9 arrives in the event pump, in the middle of a frame. There the picture the platform keeps
// of what is on screen (shown_picture.h) is only copied, into memory made with the display
// mode; a writer thread looks up the folder, compresses and writes the file, and prints its
// path or why it could not be written. The game goes on either way.
#pragma once

// Makes the memory for pictures of width x height and starts the writer; the backend calls it
// when the display mode is set.
void StartScreenshots(int width, int height);

// Hands the picture last presented to the writer, allocating nothing. While an earlier one is
// still waiting for the writer the picture is not taken, and standard error says so.
void TakeScreenshot();

// Writes every picture taken, then stops the writer: the window is closing.
void StopScreenshots();
