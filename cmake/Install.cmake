# Installing the program like any Linux desktop program, and its Debian package:
#   cmake --install <build> --prefix <prefix>     the files below under <prefix>
#   cpack -G DEB (in <build>)                      zentor-demo_<version>-1_<arch>.deb
include(GNUInstallDirs)

# The reverse-DNS id names the desktop entry, the metainfo and the icon alike.
set(ZENTOR_APP_ID org.corvane.ZentorDemo)

# Where the project's pages are published: the metainfo's home page, and the
# screenshot as the file of that name in this repository's tree.
set(ZENTOR_HOMEPAGE "https://corvane.org/zentor-demo"
    CACHE STRING "Home page named by the package and the AppStream metainfo")
set(ZENTOR_SCREENSHOT docs/window.png)
set(ZENTOR_SCREENSHOT_CAPTION "The engine monitor with the throttle half in")
set(ZENTOR_SCREENSHOT_URL "${ZENTOR_HOMEPAGE}/${ZENTOR_SCREENSHOT}")
if(NOT EXISTS ${PROJECT_SOURCE_DIR}/${ZENTOR_SCREENSHOT})
  message(WARNING "The metainfo's screenshot ${ZENTOR_SCREENSHOT} is missing")
endif()

# The day this version was first packaged; the metainfo's release entry.
set(ZENTOR_RELEASE_DATE 2026-12-07)

set(ZENTOR_PACKAGE_MAINTAINER "Corvane Zentor Demo developers"
    CACHE STRING "Maintainer field of the Debian package")

# Sizes the icon generator writes, each installed in the hicolor theme.
set(ZENTOR_ICON_SIZES 48 128 256)

install(TARGETS zentor-demo zentor-snapshot RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

# A manual page for each program, compressed as Debian keeps them.
find_program(ZENTOR_GZIP gzip REQUIRED)
set(ZENTOR_MAN_PAGES zentor-demo zentor-snapshot)
set(man_page_archives)
foreach(page IN LISTS ZENTOR_MAN_PAGES)
  set(archive ${PROJECT_BINARY_DIR}/packaging/${page}.1.gz)
  add_custom_command(
    OUTPUT ${archive}
    COMMAND ${ZENTOR_GZIP} -9 -n -c ${PROJECT_SOURCE_DIR}/packaging/${page}.1 > ${archive}
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/${page}.1
    COMMENT "Compressing the manual page ${page}.1")
  list(APPEND man_page_archives ${archive})
  install(FILES ${archive} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
add_custom_target(man-pages ALL DEPENDS ${man_page_archives})
install(FILES packaging/${ZENTOR_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size IN LISTS ZENTOR_ICON_SIZES)
  install(FILES resources/icons/${size}x${size}/${ZENTOR_APP_ID}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
configure_file(packaging/${ZENTOR_APP_ID}.metainfo.xml.in
               ${PROJECT_BINARY_DIR}/packaging/${ZENTOR_APP_ID}.metainfo.xml @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/packaging/${ZENTOR_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
# The FlightGear protocol file, for users to copy into FlightGear's Protocol folder.
install(FILES live/flightgear/zentor.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/zentor-demo/flightgear)

# The Debian package: shared libraries found by dpkg-shlibdeps; the lettering
# font is loaded by name at run time, so no linker can see that it is needed.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zentor-demo)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Corvane)
set(CPACK_PACKAGE_CONTACT "${ZENTOR_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "engine monitor of a six-cylinder piston aircraft to try on the desktop")
set(CPACK_PACKAGE_DESCRIPTION
    "One resizable window shows the graphical engine monitor of a single-engine\n\
piston aircraft with the throttle, propeller and mixture knobs below it. A small\n\
engine model answers the knobs: engine speed and manifold pressure, percent\n\
power, exhaust gas and cylinder head temperatures of six cylinders, oil, fuel\n\
and electrical gauges, fuel quantity and an engine sound. Demo Mode sweeps\n\
every gauge through its range.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${ZENTOR_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-liberation2)
include(CPack)
