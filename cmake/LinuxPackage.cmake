# The Linux program as a desktop application: what `cmake --install` puts where, and the
# packages `cpack` makes of it (a .deb and a .tar.gz of the installed tree).
#
#   zephyx_install_linux_program(target)
#       Installs the program into bin/, with its desktop entry, icons, AppStream file, manual
#       page and documents under share/, all named by ZEPHYX_APP_ID.
#
#   zephyx_configure_linux_packages()
#       Sets up CPack; call it once, after every install rule. A macro: CPack writes its
#       configuration from the variables of the scope that includes it.

include(GNUInstallDirs)

set(ZEPHYX_WEBSITE "https://zephyx.org" CACHE STRING
    "The project's web site: the AppStream homepage and where its screenshots are published")
set(ZEPHYX_MAINTAINER "ZEPHYX Development Team <maintainers@zephyx.org>")

# "Mon, 07 Dec 2026 00:00:00 +0000" for a YYYY-MM-DD date, as Debian changelogs write it.
function(zephyx_rfc2822_day date out)
    string(REGEX MATCH "^([0-9]+)-([0-9]+)-([0-9]+)$" _ "${date}")
    set(year ${CMAKE_MATCH_1})
    math(EXPR month "${CMAKE_MATCH_2} + 0")
    set(day ${CMAKE_MATCH_3})
    # Sakamoto's weekday rule: 0 is Sunday.
    set(offsets 0 3 2 5 0 3 5 1 4 6 2 4)
    math(EXPR index "${month} - 1")
    list(GET offsets ${index} offset)
    if(month LESS 3)
        math(EXPR year "${year} - 1")
    endif()
    math(EXPR weekday "(${year} + ${year} / 4 - ${year} / 100 + ${year} / 400 + ${offset} + ${day}) % 7")
    set(weekdays Sun Mon Tue Wed Thu Fri Sat)
    set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
    list(GET weekdays ${weekday} weekdayName)
    list(GET months ${index} monthName)
    set(${out} "${weekdayName}, ${day} ${monthName} ${CMAKE_MATCH_1} 00:00:00 +0000" PARENT_SCOPE)
endfunction()

# The licence as the indented paragraph a Debian copyright file holds.
function(zephyx_debian_license_text out)
    file(READ ${PROJECT_SOURCE_DIR}/LICENSE text)
    string(STRIP "${text}" text)
    string(REPLACE "\n" "\n " text " ${text}")
    string(REPLACE "\n \n" "\n .\n" text "${text}")
    set(${out} "${text}" PARENT_SCOPE)
endfunction()

# Manual pages and changelogs are installed compressed, without a time stamp in the header.
function(zephyx_gzip file)
    find_program(ZEPHYX_GZIP gzip REQUIRED)
    execute_process(COMMAND ${ZEPHYX_GZIP} -9nkf ${file} RESULT_VARIABLE failed)
    if(failed)
        message(FATAL_ERROR "gzip could not compress ${file}")
    endif()
endfunction()

function(zephyx_install_linux_program target)
    set(source ${PROJECT_SOURCE_DIR}/packaging)
    set(made ${PROJECT_BINARY_DIR}/packaging)
    zephyx_rfc2822_day(${ZEPHYX_RELEASE_DATE} ZEPHYX_RELEASE_DAY)
    zephyx_debian_license_text(ZEPHYX_LICENSE_TEXT)
    configure_file(${source}/linux/zephyx.desktop.in ${made}/${ZEPHYX_APP_ID}.desktop @ONLY)
    configure_file(${source}/linux/zephyx.metainfo.xml.in ${made}/${ZEPHYX_APP_ID}.metainfo.xml
                   @ONLY)
    configure_file(${source}/linux/zephyx.6.in ${made}/zephyx.6 @ONLY)
    configure_file(${source}/linux/changelog.in ${made}/changelog @ONLY)
    configure_file(${source}/linux/copyright.in ${made}/copyright @ONLY)
    zephyx_gzip(${made}/zephyx.6)
    zephyx_gzip(${made}/changelog)

    install(TARGETS ${target} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES ${made}/${ZEPHYX_APP_ID}.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    foreach(size 16 32 48 64 128 256)
        install(FILES ${source}/icons/icon-${size}.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
                RENAME ${ZEPHYX_APP_ID}.png)
    endforeach()
    install(FILES ${made}/${ZEPHYX_APP_ID}.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    install(FILES ${made}/zephyx.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
    install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE
                  ${made}/copyright ${made}/changelog.gz
            DESTINATION ${CMAKE_INSTALL_DOCDIR})
endfunction()

macro(zephyx_configure_linux_packages)
    set(CPACK_GENERATOR "DEB;TGZ")
    set(CPACK_PACKAGE_NAME zephyx)
    set(CPACK_PACKAGE_VENDOR "ZEPHYX Development Team")
    set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "vertical shoot-'em-up against winged enemies")
    set(CPACK_PACKAGE_DESCRIPTION
        "ZEPHYX is a small full-screen vertical shoot-'em-up. You steer a ship\n"
        "along the bottom of a starry play field, fire upward, and fight winged\n"
        "enemies that swoop in from the top and fire aimed and falling bullets.\n"
        "One hit ends the game.\n"
        "\n"
        "It plays with the keyboard or a gamepad, in full screen or in a window.")
    string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
    set(CPACK_PACKAGE_CONTACT "${ZEPHYX_MAINTAINER}")
    set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)
    set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
    # Debuggers' symbols stay in the build; the installed program carries no build paths.
    set(CPACK_STRIP_FILES ON)
    # Folders as Debian wants them whatever the packager's umask (a 002 one made them 0775).
    set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
        OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
    set(CPACK_ZEPHYX_PROGRAM_DIR ${CMAKE_INSTALL_BINDIR})
    set(CPACK_ZEPHYX_PROGRAM ${CMAKE_INSTALL_BINDIR}/zephyx)
    set(CPACK_ZEPHYX_LICENSE ${CMAKE_INSTALL_DOCDIR}/LICENSE)
    set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/DebianLayout.cmake)
    set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
    set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${ZEPHYX_MAINTAINER}")
    set(CPACK_DEBIAN_PACKAGE_SECTION games)
    set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
    set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${ZEPHYX_WEBSITE}")
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
    # The game's text is drawn in this face when fontconfig finds nothing closer.
    set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-ipafont-mincho)
    include(CPack)
endmacro()
