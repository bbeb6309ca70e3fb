# Installation and the Debian package.
#
#   cmake --install <build> [--prefix <dir>]   the programs, man pages, help
#                                             pages, desktop entry, icons,
#                                             AppStream data, MIME type, udev
#                                             rules, copyright and changelog
#   cpack -G DEB (in <build>)                  kt-m220_<version>-<release>_<arch>.deb
#
# The desktop parts are installed only when the desktop program is built.

include(GNUInstallDirs)

# udev reads /usr/lib, /usr/local/lib and /etc; a prefix elsewhere needs the
# rules copied to /etc/udev/rules.d by hand.
set(KTM220_UDEV_RULES_DIR "lib/udev/rules.d"
    CACHE STRING "Where the udev rules go, relative to the prefix or absolute")
set(KTM220_DEB_MAINTAINER "KT-M220 for Linux maintainers <kt-m220@velk.example>"
    CACHE STRING "The Maintainer field of the Debian package")
# The Debian revision; packaging/debian/changelog's newest entry names the
# same <version>-<release>.
set(KTM220_DEB_RELEASE 1 CACHE STRING "The Debian revision of the package")

set(KT_PACKAGING_DIR ${PROJECT_SOURCE_DIR}/packaging)
# The desktop entry is named after the AppStream id.
set(KT_APPSTREAM_ID org.velk.ktm220)
set(KT_DESKTOP_ID ${KT_APPSTREAM_ID})
set(KT_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/kt-m220)

# Programs.
install(TARGETS kt-m220-cli kt-m220-sim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
set(KT_MAN_PAGES kt-m220-cli.1 kt-m220-sim.1)
# The airport frequency table the programs fall back on.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/ourairports DESTINATION ${CMAKE_INSTALL_DATADIR}/kt-m220)
if(TARGET kt-m220)
    install(TARGETS kt-m220 RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    list(APPEND KT_MAN_PAGES kt-m220.1)
endif()

find_program(KT_GZIP gzip REQUIRED)
# kt_gzip(<source> <output>): <output> is <source> compressed as Debian wants
# it (best compression, no name or time stamp, so the same every build).
set(KT_GZIPPED)
function(kt_gzip source output)
    add_custom_command(OUTPUT ${output}
                       COMMAND ${KT_GZIP} -9n -c ${source} > ${output}
                       DEPENDS ${source} VERBATIM)
    set(KT_GZIPPED ${KT_GZIPPED} ${output} PARENT_SCOPE)
endfunction()

# Man pages: written by hand, with the version filled in, compressed.
foreach(page IN LISTS KT_MAN_PAGES)
    configure_file(${PROJECT_SOURCE_DIR}/docs/man/${page} ${PROJECT_BINARY_DIR}/man/${page} @ONLY)
    kt_gzip(${PROJECT_BINARY_DIR}/man/${page} ${PROJECT_BINARY_DIR}/man/${page}.gz)
    install(FILES ${PROJECT_BINARY_DIR}/man/${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

# The licence and the package's history, where Debian looks for them.
kt_gzip(${KT_PACKAGING_DIR}/debian/changelog ${PROJECT_BINARY_DIR}/changelog.Debian.gz)
install(FILES ${KT_PACKAGING_DIR}/debian/copyright ${PROJECT_BINARY_DIR}/changelog.Debian.gz
        DESTINATION ${KT_DOC_DIR})
add_custom_target(kt_gzipped ALL DEPENDS ${KT_GZIPPED})
# What lintian is told to leave alone in the package, each with its reason.
install(FILES ${KT_PACKAGING_DIR}/debian/lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME kt-m220)

# The serial ports of the usual cloning cables.
install(FILES ${KT_PACKAGING_DIR}/60-kt-m220.rules DESTINATION ${KTM220_UDEV_RULES_DIR})

if(TARGET kt-m220)
    install(FILES ${KT_PACKAGING_DIR}/${KT_DESKTOP_ID}.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${KT_PACKAGING_DIR}/${KT_APPSTREAM_ID}.metainfo.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
    install(FILES ${KT_PACKAGING_DIR}/kt-m220-mime.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME kt-m220.xml)
    install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/kt-m220.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    foreach(size 16 32 48 64 128 256)
        install(FILES ${KT_PACKAGING_DIR}/icons/kt-m220-${size}.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
                RENAME kt-m220.png)
    endforeach()
    # The help pages the program shows, also for reading in a browser.
    install(DIRECTORY ${PROJECT_SOURCE_DIR}/resources/help/
            DESTINATION ${KT_DOC_DIR}/help)
endif()

# The Debian package.
set(CPACK_PACKAGE_NAME kt-m220)
set(CPACK_PACKAGE_VENDOR "Velk")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_DEBIAN_PACKAGE_RELEASE ${KTM220_DEB_RELEASE})
set(CPACK_PACKAGE_CONTACT "${KTM220_DEB_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "cloning program for the VR-M220 airband transceiver")
set(CPACK_PACKAGE_INSTALL_DIRECTORY kt-m220)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KTM220_DEB_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The summary line comes from CPACK_PACKAGE_DESCRIPTION_SUMMARY.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "KT-M220 reads the memory of the VR-M220 hand-held airband transceiver
through its cloning cable, edits the 20 memory channels (frequency, name,
transmit inhibit, scan lockout) and the common settings, and writes the
memory back. Memory images are kept in .vkf data files, with a backup of
every read and write.
.
The package holds the desktop program kt-m220, the command-line program
kt-m220-cli for scripts and headless machines, and the virtual transceiver
kt-m220-sim, which stands in for a radio on a pseudo-terminal.
.
Its udev rules give the usual USB cloning cables (FTDI, Prolific, Silicon
Labs, WCH) to the dialout group and to the user logged in at the seat, and
keep ModemManager away from them.")
# What dpkg-shlibdeps cannot see: the certificates the airport data's
# download (libcurl, over https) checks the server with, and the libraries
# loaded as plug-ins: the window system integration and the SVG icons.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "ca-certificates")
if(TARGET kt-m220)
    string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", qt6-qpa-plugins, libqt6svg6")
endif()
include(CPack)
