# Embeds bitmap files into a program as its RT_BITMAP resources, as the resource compiler does
# on Windows: each resource is the file without its 14-byte file header.
#
#   zephyx_embed_resources(target NAME file [NAME file ...])
#       For each NAME, generates at build time a source that holds the bytes of `file` and
#       registers them under NAME before main runs, and adds it to `target`: an executable, or
#       an OBJECT library whose objects every linking program takes whole (a static library
#       could drop the registration, since nothing refers to it). A file that does not exist
#       is skipped with a note; adding it to its folder later reconfigures the build.
#
#   zephyx_game_assets (OBJECT library)
#       The game's four bitmaps from assets/: BACKIMG, CHAR, STRINGS, TITLE, generated and
#       compiled once; the program, tests, benchmarks and the fuzzer link it.

set(ZEPHYX_EMBED_SCRIPT ${CMAKE_CURRENT_LIST_DIR}/EmbedResource.cmake)
set(ZEPHYX_RESOURCES_HEADER ${CMAKE_CURRENT_LIST_DIR}/../platform/src/resources.h)

function(zephyx_embed_resources target)
    get_target_property(type ${target} TYPE)
    if(NOT type STREQUAL "EXECUTABLE" AND NOT type STREQUAL "OBJECT_LIBRARY")
        message(FATAL_ERROR "zephyx_embed_resources: ${target} is neither a program nor an OBJECT library")
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

# Called once, after the platform's targets exist (the generated sources include its header).
function(zephyx_add_game_assets_library)
    set(assets ${PROJECT_SOURCE_DIR}/assets)
    add_library(zephyx_game_assets OBJECT)
    zephyx_embed_resources(zephyx_game_assets
        BACKIMG ${assets}/BACKIMG.bmp
        CHAR ${assets}/CHAR.bmp
        STRINGS ${assets}/STRINGS.bmp
        TITLE ${assets}/TITLE.bmp)
endfunction()
