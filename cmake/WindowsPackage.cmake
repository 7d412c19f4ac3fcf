# The Windows program as players get it: its icon, version and manifest, and the .zip `cpack`
# makes of it with the README and the licence.
#
#   zephyx_package_windows_program(target)
#       Adds the packaging resources (packaging/windows) to `target`, installs it with the
#       documents into the top of the zip, and sets up CPack. Call it once.

macro(zephyx_package_windows_program target)
    set(ZEPHYX_ICO_FILE ${PROJECT_SOURCE_DIR}/packaging/icons/zephyx.ico)
    set(ZEPHYX_MANIFEST_FILE ${PROJECT_BINARY_DIR}/packaging/zephyx.manifest)
    configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/zephyx.manifest.in
                   ${ZEPHYX_MANIFEST_FILE} @ONLY)
    configure_file(${PROJECT_SOURCE_DIR}/packaging/windows/zephyx_package.rc.in
                   ${PROJECT_BINARY_DIR}/packaging/zephyx_package.rc @ONLY)
    target_sources(${target} PRIVATE ${PROJECT_BINARY_DIR}/packaging/zephyx_package.rc)
    set_property(SOURCE ${PROJECT_BINARY_DIR}/packaging/zephyx_package.rc APPEND PROPERTY
                 OBJECT_DEPENDS ${ZEPHYX_ICO_FILE} ${ZEPHYX_MANIFEST_FILE})

    install(TARGETS ${target} RUNTIME DESTINATION .)
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
