// The program's embedded bitmap resources.
//
// zephyx_embed_resources (cmake/EmbedResources.cmake) compiles each bitmap into the program as
// a static PlatformResource and registers it before main runs; tests may register their own
// the same way. The bytes are the bitmap file without its 14-byte file header, as Windows
// keeps an RT_BITMAP resource. Registration allocates nothing and needs no order among static
// constructors.
#pragma once

#include <cstddef>
#include <cstdint>

struct PlatformResource {
    const char* name;  // matched without regard to case, as Windows does
    const uint8_t* bytes;
    size_t size;
    bool hidden;  // set by tests to make the resource missing
    PlatformResource* next;
};

// Adds `resource` (which must live as long as the program) to the resources of type RT_BITMAP.
// Returns true, so that a static initialiser can call it.
bool PlatformRegisterResource(PlatformResource* resource);

// The visible resource of that name, or null. `name` may be a MAKEINTRESOURCE value.
PlatformResource* PlatformFindResource(const char* name);

// All registered resources, for tests to hide and show them.
PlatformResource* PlatformFirstResource();
