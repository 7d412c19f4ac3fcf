# The modern Windows program, zephyx.exe: the game compiled against our platform layer
# (platform/include, not the real Windows headers) with the SDL backend, beside an SDL2.dll
# that scripts/build_sdl2_windows.sh builds from Debian's SDL source once per machine (minutes
# the first time, into a cache folder outside the build).
#
# Sets ZEPHYX_MODERN_WINDOWS_PROGRAM to the target (zephyx) and ZEPHYX_SDL2_DLL to the DLL
# shipped beside it; both empty when SDL2 for Windows cannot be had, which is said.

set(ZEPHYX_MODERN_WINDOWS_PROGRAM "")
set(ZEPHYX_SDL2_DLL "")
option(ZEPHYX_WINDOWS_SDL "Build zephyx.exe on SDL2 beside the classic program" ON)
if(NOT ZEPHYX_WINDOWS_SDL)
    return()
endif()

execute_process(COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/build_sdl2_windows.sh
                OUTPUT_VARIABLE sdl2_prefix OUTPUT_STRIP_TRAILING_WHITESPACE
                RESULT_VARIABLE sdl2_result)
if(NOT sdl2_result EQUAL 0 OR NOT EXISTS ${sdl2_prefix}/bin/SDL2.dll)
    message(WARNING "SDL2 for Windows could not be built: zephyx.exe is left out "
                    "(only zephyx-classic.exe is built)")
    return()
endif()
message(STATUS "SDL2 for Windows: ${sdl2_prefix}")
add_library(zephyx_sdl2_windows SHARED IMPORTED)
set_target_properties(zephyx_sdl2_windows PROPERTIES
    IMPORTED_LOCATION ${sdl2_prefix}/bin/SDL2.dll
    IMPORTED_IMPLIB ${sdl2_prefix}/lib/libSDL2.dll.a
    INTERFACE_INCLUDE_DIRECTORIES ${sdl2_prefix}/include/SDL2
    # Our main is the program's entry, not SDL's.
    INTERFACE_COMPILE_DEFINITIONS SDL_MAIN_HANDLED)

add_subdirectory(platform)
# The game once more, against our platform headers this time.
add_library(zephyx_modern_game STATIC ${ZEPHYX_GAME_SOURCES})
target_include_directories(zephyx_modern_game PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(zephyx_modern_game PUBLIC zephyx_platform_api PRIVATE zephyx_warnings)
zephyx_add_game_assets_library()

add_executable(zephyx WIN32 ${PROJECT_SOURCE_DIR}/platform/sdl/main.cpp)
target_link_libraries(zephyx PRIVATE zephyx_modern_game zephyx_platform_sdl zephyx_game_assets
                                     zephyx_warnings)
target_compile_definitions(zephyx PRIVATE ZEPHYX_VERSION="${PROJECT_VERSION}")
zephyx_embed_resources(zephyx ZEPHYX_WINDOW_ICON
                       ${PROJECT_SOURCE_DIR}/packaging/icons/window_icon.bmp)
# The runtimes inside the .exe: only SDL2.dll goes beside it.
target_link_options(zephyx PRIVATE -static-libgcc -static-libstdc++)
zephyx_add_windows_identity(zephyx UTF8)
# Beside the program in the build folder too, so it runs from there.
add_custom_command(TARGET zephyx POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${sdl2_prefix}/bin/SDL2.dll
            $<TARGET_FILE_DIR:zephyx>
    VERBATIM)

set(ZEPHYX_MODERN_WINDOWS_PROGRAM zephyx)
set(ZEPHYX_SDL2_DLL ${sdl2_prefix}/bin/SDL2.dll)
