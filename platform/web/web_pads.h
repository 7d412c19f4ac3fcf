// The browser's pads (the Gamepad API), read once a frame while one is connected.
//
// The Gamepad API has no events for buttons or sticks: a page reads its pads when it wants to.
// The program reads them where it pumps its events, at most once a frame, and only while a pad
// is plugged in (the page's gamepadconnected and gamepaddisconnected events say when): without a
// pad the frames cost nothing more, and nothing of ours wakes a hidden tab. Only pads in the
// standard layout are read (web_pad_layout.h).
#pragma once

// Listens for pads plugged in and out, and takes the pads the browser already shows.
void WebPadsListen();

// Pad `pad` (Gamepad.index) was plugged in or out: from the page's event queue (web_events.h).
void WebPadsConnected(int pad);
void WebPadsDisconnected(int pad);

// A frame has presented its picture: the next pump reads the pads again.
void WebPadsFrameEnded();

// Reads every connected pad into the keys, if a frame has ended since the last reading.
void WebPadsRead();
