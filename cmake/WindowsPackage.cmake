# The Windows programs as players get them: each with its icon, version and manifest, and the
# .zip `cpack` makes of them with SDL2.dll, the README and the licence.
#
#   zephyx_add_windows_identity(target [UTF8])
#       Adds the packaging resources (packaging/windows) to `target`, named for it. UTF8 makes
#       UTF-8 the program's ANSI code page (Windows 10 1903 and later), for a program whose
#       own "A" calls take UTF-8 paths; the classic program's text is code page 932's.
#   zephyx_package_windows_programs(target... [FILES file...])
#       Installs the programs, and the files beside them, with the documents into the top of
#       the zip, and sets up CPack. Call it once.

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
    install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION .)
    install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION . RENAME LICENSE.txt)

    set(CPACK_GENERATOR ZIP)
    set(CPACK_PACKAGE_NAME zephyx)
    set(CPACK_PACKAGE_VENDOR "ZEPHYX Development Team")
    set(CPACK_PACKAGE_FILE_NAME zephyx-${PROJECT_VERSION}-windows-x64)
    set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)
    set(CPACK_STRIP_FILES ON)
    include(CPack)
endmacro()
