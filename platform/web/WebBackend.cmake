# The web backend (emscripten): the browser's clock, keyboard, touch controls, pads, text and
# canvas, and the page.
#
# The game's loop blocks, so the program is built to suspend wherever it sleeps (ASYNCIFY).
# Flip is reached through the surface's method table, so indirect calls stay instrumented.
# Emscripten's ports (SDL2, FreeType) are not used: they download their sources while building.

set(WEB ${CMAKE_CURRENT_SOURCE_DIR}/web)
file(GLOB PLATFORM_WEB_SOURCES CONFIGURE_DEPENDS ${WEB}/*.cpp)
list(REMOVE_ITEM PLATFORM_WEB_SOURCES ${WEB}/main.cpp)
zephyx_add_backend(zephyx_platform_web ${PLATFORM_WEB_SOURCES})

set(PLATFORM_WEB_LIBRARIES ${WEB}/web_page.js ${WEB}/web_present.js ${WEB}/web_font.js
                           ${WEB}/web_wait.js ${WEB}/web_touch.js)
set(PLATFORM_WEB_LINK_OPTIONS
    -sASYNCIFY -sASYNCIFY_STACK_SIZE=65536
    # Waiting for the page's next event or frame suspends the program too (web_wait.js).
    "SHELL:-sASYNCIFY_IMPORTS=zephyx_wait_for_event,zephyx_wait_for_frame,\
zephyx_wait_for_time_or_key_frame"
    -sINITIAL_MEMORY=33554432 -sALLOW_MEMORY_GROWTH=1
    -sENVIRONMENT=web -sEXIT_RUNTIME=0
    # Debian's HTML minifier fails on the page.
    -sMINIFY_HTML=0
    "SHELL:--shell-file ${WEB}/shell.html")
foreach(library ${PLATFORM_WEB_LIBRARIES})
    list(APPEND PLATFORM_WEB_LINK_OPTIONS "SHELL:--js-library ${library}")
endforeach()
target_link_options(zephyx_platform_web INTERFACE ${PLATFORM_WEB_LINK_OPTIONS})
# A changed page or script must link the program again.
set_property(TARGET zephyx_platform_web APPEND PROPERTY INTERFACE_LINK_DEPENDS
             ${WEB}/shell.html ${PLATFORM_WEB_LIBRARIES})
