# The Windows programs as players get them: each with its icon, version and manifest, in the
# .zip and the installer `cpack` makes of them with SDL2.dll, the README and the licences.
#
#   zephyx_add_windows_identity(target [UTF8])
#       Adds the packaging resources (packaging/windows) to `target`, named for it. UTF8 makes
#       UTF-8 the program's ANSI code page (Windows 10 1903 and later), for a program whose
#       own "A" calls take UTF-8 paths; the classic program's text is code page 932's.
#   zephyx_package_windows_programs(target... [FILES file...])
#       Installs the programs, and the files beside them, with the documents into the top of
#       the zip and the installation folder, and sets up CPack. A DLL among the files brings
#       its licence, LICENSE-<name>.txt, from the share/licenses/<name> folder beside the bin/
#       folder it was installed into (where SDL's own install puts it). Call it once.
#
# The installer (NSIS.template.in, made with Debian's makensis) installs for the player alone,
# without administrator rights; the zip is for those who would rather unzip it anywhere.

set(ZEPHYX_ICO_FILE ${PROJECT_SOURCE_DIR}/packaging/icons/zephyx.ico)

function(zephyx_add_windows_identity target)
    set(ZEPHYX_EXE_NAME ${target}.exe)
    set(ZEPHYX_MANIFEST_FILE ${PROJECT_BINARY_DIR}/packaging/${target}.manifest)
    set(ZEPHYX_MANIFEST_CODE_PAGE "")
    if("UTF8" IN_LIST ARGN)
        set(ZEPHYX_MANIFEST_CODE_PAGE "\n      <activeCodePage xmlns=\"http://schemas.microsoft.com/SMI/2019/WindowsSettings\">UTF-8</activeCodePage>")
    endif()
    configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/zephyx.manifest.in
                   ${ZEPHYX_MANIFEST_FILE} @ONLY)
    set(script ${PROJECT_BINARY_DIR}/packaging/${target}_package.rc)
    configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/zephyx_package.rc.in ${script} @ONLY)
    target_sources(${target} PRIVATE ${script})
    set_property(SOURCE ${script} APPEND PROPERTY
                 OBJECT_DEPENDS ${ZEPHYX_ICO_FILE} ${ZEPHYX_MANIFEST_FILE})
endfunction()

macro(zephyx_package_windows_programs)
    cmake_parse_arguments(ZEPHYX_PACKAGE "" "" FILES ${ARGN})
    install(TARGETS ${ZEPHYX_PACKAGE_UNPARSED_ARGUMENTS} RUNTIME DESTINATION .)
    if(ZEPHYX_PACKAGE_FILES)
        install(FILES ${ZEPHYX_PACKAGE_FILES} DESTINATION .)
    endif()
    foreach(file IN LISTS ZEPHYX_PACKAGE_FILES)
        if(file MATCHES "([^/]+)\\.dll$")
            get_filename_component(prefix ${file}/../.. ABSOLUTE)
            set(licence ${prefix}/share/licenses/${CMAKE_MATCH_1}/LICENSE.txt)
            if(NOT EXISTS ${licence})
                message(FATAL_ERROR "${file} is shipped without its licence (${licence})")
            endif()
            install(FILES ${licence} DESTINATION . RENAME LICENSE-${CMAKE_MATCH_1}.txt)
        endif()
    endforeach()
    install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION .)
    install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)

    set(CPACK_GENERATOR ZIP NSIS)
    set(CPACK_PACKAGE_NAME zephyx)
    set(CPACK_PACKAGE_VENDOR "ZEPHYX Development Team")
    set(CPACK_PACKAGE_FILE_NAME zephyx-${PROJECT_VERSION}-windows-x64)
    set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)
    set(CPACK_STRIP_FILES ON)
    set(CPACK_MODULE_PATH ${PROJECT_SOURCE_DIR}/packaging/windows)  # NSIS.template.in
    set(CPACK_ZEPHYX_APP_ID ${ZEPHYX_APP_ID})
    set(CPACK_ZEPHYX_ICON ${ZEPHYX_ICO_FILE})
    include(CPack)
endmacro()
