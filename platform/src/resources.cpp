#include "resources.h"

#include <strings.h>

#include <windows.h>

#include "fault_injection.h"

namespace {

PlatformResource* gFirstResource = nullptr;

// The program's own module handle: any non-null value that is not a real pointer.
HINSTANCE const kProgramModule = reinterpret_cast<HINSTANCE>(uintptr_t{0x400000});

bool IsProgramModule(HMODULE module) {
    return module == nullptr || module == kProgramModule;
}

}  // namespace

bool PlatformRegisterResource(PlatformResource* resource) {
    resource->next = gFirstResource;
    gFirstResource = resource;
    return true;
}

PlatformResource* PlatformFindResource(const char* name) {
    if (name == nullptr || IS_INTRESOURCE(name)) {
        return nullptr;
    }
    for (PlatformResource* resource = gFirstResource; resource != nullptr;
         resource = resource->next) {
        if (!resource->hidden && strcasecmp(resource->name, name) == 0) {
            return resource;
        }
    }
    return nullptr;
}

PlatformResource* PlatformFirstResource() {
    return gFirstResource;
}

HMODULE GetModuleHandleA(LPCSTR moduleName) {
    return moduleName == nullptr ? kProgramModule : nullptr;
}

HRSRC FindResourceA(HMODULE module, LPCSTR name, LPCSTR type) {
    if (!IsProgramModule(module) || type != RT_BITMAP) {
        return nullptr;
    }
    if (PlatformInjectedFault(PlatformOp::FindResourceA) != 0) {
        return nullptr;
    }
    return reinterpret_cast<HRSRC>(PlatformFindResource(name));
}

HGLOBAL LoadResource(HMODULE module, HRSRC resource) {
    if (!IsProgramModule(module) || resource == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<PlatformResource*>(resource);
}

LPVOID LockResource(HGLOBAL loaded) {
    if (loaded == nullptr || PlatformInjectedFault(PlatformOp::LockResource) != 0) {
        return nullptr;
    }
    return const_cast<uint8_t*>(static_cast<PlatformResource*>(loaded)->bytes);
}

DWORD SizeofResource(HMODULE module, HRSRC resource) {
    if (!IsProgramModule(module) || resource == nullptr) {
        return 0;
    }
    return static_cast<DWORD>(reinterpret_cast<PlatformResource*>(resource)->size);
}
