// Time stamps of the pictures drawn on the canvas, for measuring how soon a key shows.
//
// Off unless the page's address asks for `presentlog`. Then every picture drawn on the canvas
// records when its drawing ended (the page's clock, in milliseconds) and a hash of its bottom
// band (picture_band.h); the measurement reads the latest ones through the exported
// zephyx_present_log_* functions. The browser shows a drawing at its next rendering of the
// page, which the measurement works out from marks of its own. The records are a fixed ring,
// so recording allocates nothing.
#pragma once

#include <cstdint>

void WebPresentLogStart();
void WebPresentLogPresented(const uint8_t* pixels, int width, int height, int pitch);
