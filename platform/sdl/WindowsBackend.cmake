# The SDL backend of the modern Windows program (zephyx.exe), included by platform/CMakeLists.txt
# with zephyx_sdl2_windows (cmake/WindowsModernProgram.cmake) already imported.
#
# The core and the backend are compiled against our platform headers, as on Linux; the files
# that call the real Windows API (*_windows.cpp) are an object library of their own, compiled
# against the real Windows headers, which never sees platform/include.

file(GLOB PLATFORM_WINDOWS_CALLS CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/src/*_windows.cpp
     ${CMAKE_CURRENT_SOURCE_DIR}/sdl/*_windows.cpp)
add_library(zephyx_platform_windows_calls OBJECT ${PLATFORM_WINDOWS_CALLS})
target_link_libraries(zephyx_platform_windows_calls PRIVATE zephyx_sdl2_windows zephyx_warnings)
# Windows 10's calls (known folders, high-resolution timers) and the wide-character API.
target_compile_definitions(zephyx_platform_windows_calls PRIVATE _WIN32_WINNT=0x0A00
                                                                 UNICODE _UNICODE)

file(GLOB PLATFORM_SDL_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/sdl/*.cpp)
list(FILTER PLATFORM_SDL_SOURCES EXCLUDE REGEX ${PLATFORM_OTHER_SYSTEMS})
list(REMOVE_ITEM PLATFORM_SDL_SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/sdl/main.cpp)
zephyx_add_backend(zephyx_platform_sdl ${PLATFORM_SDL_SOURCES} ${PLATFORM_GDI_FONT_SOURCES}
                   $<TARGET_OBJECTS:zephyx_platform_windows_calls>)
target_link_libraries(zephyx_platform_sdl PUBLIC zephyx_sdl2_windows
                                          PRIVATE shell32 ole32 gdiplus gdi32 user32 winmm)
target_compile_definitions(zephyx_platform_sdl PRIVATE ZEPHYX_APP_ID="${ZEPHYX_APP_ID}"
                                                      ZEPHYX_VERSION="${PROJECT_VERSION}")
# localtime_r, as the POSIX systems have it.
target_compile_definitions(zephyx_platform_sdl PRIVATE _POSIX_THREAD_SAFE_FUNCTIONS)
add_library(zephyx_palette_convert STATIC ${CMAKE_CURRENT_SOURCE_DIR}/sdl/palette_convert.cpp)
target_link_libraries(zephyx_palette_convert PRIVATE zephyx_warnings)
target_link_libraries(zephyx_platform_sdl PRIVATE zephyx_palette_convert)
