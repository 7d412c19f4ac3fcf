// The browser's keyboard, focus and visibility events, kept until the platform pumps them.
//
// Browser events arrive whenever the program sleeps; a fixed queue holds them until the next
// BackendPumpEvents hands them on (window_events.h), so the platform's state changes only where
// Windows would change it.
#pragma once

// Listens to the keys on the whole page, to focus leaving it, and to the page being hidden.
void WebInputListen();
void WebInputStop();

// Delivers every waiting event; false when there was none.
bool WebInputDeliver();
