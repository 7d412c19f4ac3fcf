# The Windows program: the game library, a resource script and nothing else.
#
#   zephyx_add_windows_program(target resource_script)
#       A GUI executable (WinMain, no console) from zephyx_game and the bitmaps the script
#       names, which it finds in assets/. The C and C++ runtimes are linked in statically, so
#       the one .exe runs on a Windows without MinGW's DLLs.

enable_language(RC)

function(zephyx_add_windows_program target script)
    add_executable(${target} WIN32 ${script})
    # WinMain is only referenced by the runtime's startup code, which the linker reads after
    # the game library; keep every object so the entry is there.
    target_link_libraries(${target} PRIVATE "$<LINK_LIBRARY:WHOLE_ARCHIVE,zephyx_game>")
    target_include_directories(${target} PRIVATE
        "$<$<COMPILE_LANGUAGE:RC>:${PROJECT_SOURCE_DIR}/assets>")
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
    # A bitmap changed on disk must rebuild the resources.
    set_property(SOURCE ${script} APPEND PROPERTY OBJECT_DEPENDS
        ${PROJECT_SOURCE_DIR}/assets/BACKIMG.bmp ${PROJECT_SOURCE_DIR}/assets/CHAR.bmp
        ${PROJECT_SOURCE_DIR}/assets/STRINGS.bmp ${PROJECT_SOURCE_DIR}/assets/TITLE.bmp)
endfunction()
