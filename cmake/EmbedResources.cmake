# Embeds bitmap files into a program as its RT_BITMAP resources, as the resource compiler does
# on Windows: each resource is the file without its 14-byte file header.
#
#   zephyx_embed_resources(target NAME file [NAME file ...])
#       For each NAME, generates at build time a source that holds the bytes of `file` and
#       registers them under NAME before main runs, and compiles it into `target` itself (an
#       executable), so no static library can drop the registration. A file that does not
#       exist is skipped with a note; adding it to its folder later reconfigures the build.
#
#   zephyx_embed_game_assets(target)
#       The game's four bitmaps from assets/: BACKIMG, CHAR, STRINGS, TITLE.

set(ZEPHYX_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/EmbedResource.cmake)
set(ZEPHYX_RESOURCES_HEADER ${CMAKE_CURRENT_LIST_DIR}/../platform/src/resources.h)

function(zephyx_embed_resources target)
    get_target_property(type ${target} TYPE)
    if(NOT type STREQUAL "EXECUTABLE")
        message(FATAL_ERROR "zephyx_embed_resources: ${target} is not an executable")
    endif()
    set(args ${ARGN})
    list(LENGTH args count)
    math(EXPR odd "${count} % 2")
    if(odd)
        message(FATAL_ERROR "zephyx_embed_resources: expected NAME file pairs")
    endif()
    get_filename_component(header ${ZEPHYX_RESOURCES_HEADER} ABSOLUTE)
    while(args)
        list(POP_FRONT args name file)
        get_filename_component(file ${file} ABSOLUTE)
        # Watch the nearest existing folder, so a file (or its folder) added later is seen.
        get_filename_component(folder ${file} DIRECTORY)
        while(NOT IS_DIRECTORY ${folder})
            get_filename_component(folder ${folder} DIRECTORY)
        endwhile()
        set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${folder})
        if(NOT EXISTS ${file})
            message(STATUS "${target}: resource ${name} skipped, ${file} does not exist")
            continue()
        endif()
        string(MAKE_C_IDENTIFIER "${target}_${name}" stem)
        set(output ${CMAKE_CURRENT_BINARY_DIR}/embedded/${stem}.cpp)
        add_custom_command(
            OUTPUT ${output}
            COMMAND ${CMAKE_COMMAND} -DNAME=${name} -DINPUT=${file} -DOUTPUT=${output}
                    -DHEADER=${header} -P ${ZEPHYX_EMBED_SCRIPT}
            DEPENDS ${file} ${ZEPHYX_EMBED_SCRIPT}
            COMMENT "Embedding ${name} from ${file}"
            VERBATIM)
        target_sources(${target} PRIVATE ${output})
    endwhile()
endfunction()

function(zephyx_embed_game_assets target)
    set(assets ${PROJECT_SOURCE_DIR}/assets)
    zephyx_embed_resources(${target}
        BACKIMG ${assets}/BACKIMG.bmp
        CHAR ${assets}/CHAR.bmp
        STRINGS ${assets}/STRINGS.bmp
        TITLE ${assets}/TITLE.bmp)
endfunction()
