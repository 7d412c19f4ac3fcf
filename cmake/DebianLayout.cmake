# CPack runs this after installing into its staging folder and before packing it, and changes
# the .deb to Debian's layout; every other package and `cmake --install` keep the plain one.
# - The programs of games live in /usr/games, not /usr/bin.
# - The licence is in the package's copyright file, so no second copy.
if(CPACK_GENERATOR STREQUAL "DEB")
    set(root "${CPACK_TEMPORARY_INSTALL_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}")
    file(MAKE_DIRECTORY "${root}/games")
    file(CHMOD "${root}/games" PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
         GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
    file(RENAME "${root}/${CPACK_ZEPHYX_PROGRAM}" "${root}/games/zephyx")
    file(GLOB left "${root}/${CPACK_ZEPHYX_PROGRAM_DIR}/*")
    if(NOT left)
        file(REMOVE_RECURSE "${root}/${CPACK_ZEPHYX_PROGRAM_DIR}")
    endif()
    file(REMOVE "${root}/${CPACK_ZEPHYX_LICENSE}")
endif()
