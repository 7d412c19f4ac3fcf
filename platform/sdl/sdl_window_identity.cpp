#include "sdl_window_identity.h"

#include <SDL.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "../src/resources.h"

namespace {

// The icon resource is a BITMAPINFOHEADER and 32-bit pixels in the byte order blue, green,
// red, alpha, rows top first (a negative height), as tools/assetgen writes it.
constexpr size_t kInfoHeaderBytes = 40;

int32_t ReadI32(const uint8_t* p) {
    return int32_t(uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 |
                   uint32_t(p[3]) << 24);
}

}  // namespace

void SetWindowClassForDesktop() {
    SDL_setenv("SDL_VIDEO_X11_WMCLASS", ZEPHYX_APP_ID, 0);
    SDL_setenv("SDL_VIDEO_WAYLAND_WMCLASS", ZEPHYX_APP_ID, 0);
}

void SetWindowIconForDesktop(SDL_Window* window) {
    const PlatformResource* icon = PlatformFindResource("ZEPHYX_WINDOW_ICON");
    if (icon == nullptr || icon->size < kInfoHeaderBytes) {
        return;
    }
    const int width = ReadI32(icon->bytes + 4);
    const int height = -ReadI32(icon->bytes + 8);
    const int bits = icon->bytes[14] | icon->bytes[15] << 8;
    if (width <= 0 || width > 1024 || height <= 0 || height > 1024 || bits != 32 ||
        icon->size < kInfoHeaderBytes + size_t(width) * height * 4) {
        return;
    }
    // SDL copies the pixels when it sets the icon, so the surface may borrow them.
    void* pixels = const_cast<uint8_t*>(icon->bytes + kInfoHeaderBytes);
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(pixels, width, height, 32, width * 4,
                                                              SDL_PIXELFORMAT_BGRA32);
    if (surface != nullptr) {
        SDL_SetWindowIcon(window, surface);
        SDL_FreeSurface(surface);
    }
}
