# The modern Windows program, zephyx.exe: the game compiled against our platform layer
# (platform/include, not the real Windows headers) with the SDL backend, beside an SDL2.dll
# that scripts/build_sdl2_windows.sh builds from Debian's SDL source once per machine.
#
# Sets ZEPHYX_MODERN_WINDOWS_PROGRAM to the target (zephyx) and ZEPHYX_SDL2_DLL to the DLL
# shipped beside it; both empty when SDL2 for Windows cannot be had.

set(ZEPHYX_MODERN_WINDOWS_PROGRAM "")
set(ZEPHYX_SDL2_DLL "")
option(ZEPHYX_WINDOWS_MODERN "Build zephyx.exe on SDL2 beside the classic program" OFF)
if(NOT ZEPHYX_WINDOWS_MODERN)
    return()
endif()
