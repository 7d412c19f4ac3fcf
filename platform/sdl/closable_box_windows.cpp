#include "closable_box.h"

#include <atomic>

namespace {

std::atomic<bool> gCloseAsked;

}  // namespace

// Windows shows the box in this process, and a console's close request is answered by the
// event pump once the player dismisses the box.
int ShowClosableErrorBox(const char* caption, const char* text, SDL_Window* parent) {
    return gCloseAsked ? -1 : SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, caption, text, parent);
}

void CloseShownBox() {
    gCloseAsked = true;
}
