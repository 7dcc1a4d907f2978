# What `cmake --install` puts beside the programs (desktop entry, icons,
# AppStream data, man pages, each package's documents) and the two Debian
# packages CPack makes of it, one per install component:
#   page    orvant-snpp-page, the command-line pager: no Qt, no desktop
#   client  orvant-snpp-client, the window program and its desktop files
# Included last, so that every part's own install() rules are in place.

if(NOT SNPP_NEEDS_QT OR NOT TARGET orvant-snpp-client OR NOT TARGET orvant-snpp-page)
  return()
endif()

include(GNUInstallDirs)
set(SNPP_PACKAGE_NAME orvant-snpp-client)
set(SNPP_PAGE_PACKAGE_NAME orvant-snpp-page)
set(SNPP_APPSTREAM_ID example.orvant.snpp_client)
set(pkg_src ${CMAKE_SOURCE_DIR}/packaging)
set(pkg_out ${CMAKE_BINARY_DIR}/packaging)

# The Debian revision comes from the changelog's latest entry, as in any
# Debian package; its upstream part must be this project's version.
file(STRINGS ${pkg_src}/debian/changelog changelog_top LIMIT_COUNT 1)
if(NOT changelog_top MATCHES "^${SNPP_PACKAGE_NAME} \\(([^ ()]+)-([^- ()]+)\\) ")
  message(FATAL_ERROR "packaging/debian/changelog: no version in its first line: ${changelog_top}")
endif()
if(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
  message(FATAL_ERROR "packaging/debian/changelog's latest entry is for ${CMAKE_MATCH_1}, "
                      "the project is ${PROJECT_VERSION}: add an entry for ${PROJECT_VERSION}-1")
endif()
set(SNPP_DEBIAN_REVISION ${CMAKE_MATCH_2})

# The window program's desktop files.
install(FILES ${pkg_src}/orvant-snpp-client.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT client)

configure_file(${pkg_src}/orvant-snpp-client.metainfo.xml.in
               ${pkg_out}/${SNPP_APPSTREAM_ID}.metainfo.xml @ONLY)
install(FILES ${pkg_out}/${SNPP_APPSTREAM_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT client)

foreach(size 16 32 48 256)
  install(FILES ${pkg_src}/icons/orvant-snpp-client-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME orvant-snpp-client.png COMPONENT client)
endforeach()
install(FILES ${pkg_src}/icons/orvant-snpp-client.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps COMPONENT client)

# The page names the server this build pages.
snpp_install_man_page(${pkg_src}/orvant-snpp-client.1.in COMPONENT client)

# Each package holds one program, named as the package. A stripped install
# (--strip, and the packages) strips it as Debian's own packages are
# stripped: also the compiler's .comment and .note sections, which nothing
# reads at run time. Each package's /usr/share/doc folder: copyright,
# changelog and README.
snpp_gzip(${pkg_src}/debian/changelog ${pkg_out}/changelog.Debian.gz)
set(snpp_components page client)
set(snpp_packages ${SNPP_PAGE_PACKAGE_NAME} ${SNPP_PACKAGE_NAME})
foreach(component package IN ZIP_LISTS snpp_components snpp_packages)
  install(CODE "
    if(CMAKE_INSTALL_DO_STRIP)
      execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/${package}\"
        COMMAND_ERROR_IS_FATAL ANY)
    endif()" COMPONENT ${component})
  set(doc ${CMAKE_INSTALL_DATADIR}/doc/${package})
  install(FILES ${pkg_src}/debian/copyright ${pkg_out}/changelog.Debian.gz
          DESTINATION ${doc} COMPONENT ${component})
  install(FILES ${pkg_src}/debian/${package}.README DESTINATION ${doc} RENAME README COMPONENT ${component})
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL ${snpp_components})
set(CPACK_PACKAGE_NAME ${SNPP_PACKAGE_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Orvant Inc.")
set(CPACK_PACKAGE_CONTACT "Orvant Inc. <sales@orvant.example>")
set(CPACK_PACKAGE_INSTALL_DIRECTORY ${SNPP_PACKAGE_NAME})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${SNPP_DEBIAN_REVISION})
# Both come from one source, whose name the changelog carries.
set(CPACK_DEBIAN_PACKAGE_SOURCE ${SNPP_PACKAGE_NAME})
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.orvant.example/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# xz, as Debian's own packages: unlike gzip it writes no time into the data.
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(snpp_package_version ${PROJECT_VERSION}-${SNPP_DEBIAN_REVISION})

set(CPACK_DEBIAN_PAGE_PACKAGE_NAME ${SNPP_PAGE_PACKAGE_NAME})
set(CPACK_DEBIAN_PAGE_DESCRIPTION
    "send text pages from scripts, cron jobs and monitoring
orvant-snpp-page sends a short text message to one or more pagers through
the Orvant paging service's SNPP server (RFC 1861). It is meant for shell
scripts, cron jobs and monitoring systems: recipients are pager IDs or names
from a names list, the message comes from the command line or standard
input, and the exit status tells whether every recipient was accepted.
.
It needs no desktop: this package holds the command-line program and its
manual page only. The window program is in orvant-snpp-client.")
# Up to 2.05-1 the pager came inside orvant-snpp-client.
set(CPACK_DEBIAN_PAGE_PACKAGE_BREAKS "${SNPP_PACKAGE_NAME} (<< 2.05-2)")
set(CPACK_DEBIAN_PAGE_PACKAGE_REPLACES "${SNPP_PACKAGE_NAME} (<< 2.05-2)")

set(CPACK_DEBIAN_CLIENT_PACKAGE_NAME ${SNPP_PACKAGE_NAME})
set(CPACK_DEBIAN_CLIENT_DESCRIPTION
    "desktop program to send text pages through the Orvant paging service
A desktop program for sending short text messages to pagers: type a message
or pick a standard one, choose recipients from a names list, and press Send.
It pages through the Orvant paging service's SNPP server (RFC 1861).
.
The command-line pager for scripts and cron jobs is in orvant-snpp-page.")
# The window program runs without the pager, so a recommendation: installed
# by default beside it, yet a desktop may do without. fonts-wine is the
# bitmap face the windows are laid out for; without it the program falls
# back to Liberation Sans.
set(CPACK_DEBIAN_CLIENT_PACKAGE_RECOMMENDS "${SNPP_PAGE_PACKAGE_NAME} (= ${snpp_package_version}), fonts-wine")
include(CPack)

if(SNPP_BUILD_TESTS)
  snpp_add_if_present(tests/packaging)
endif()
