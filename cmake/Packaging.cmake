# What `cmake --install` puts beside the program for a desktop (entry, icons,
# AppStream data, man page), and the Debian package CPack makes of it all.
# Included last, so that every part's own install() rules are in place; the
# package takes whatever is installed, whichever component it belongs to.

snpp_part_enabled(app app_enabled)
if(NOT app_enabled)
  return()
endif()

include(GNUInstallDirs)
set(SNPP_PACKAGE_NAME orvant-snpp-client)
set(SNPP_APPSTREAM_ID example.orvant.snpp_client)
set(pkg_src ${CMAKE_SOURCE_DIR}/packaging)
set(pkg_out ${CMAKE_BINARY_DIR}/packaging)

install(FILES ${pkg_src}/orvant-snpp-client.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)

configure_file(${pkg_src}/orvant-snpp-client.metainfo.xml.in
               ${pkg_out}/${SNPP_APPSTREAM_ID}.metainfo.xml @ONLY)
install(FILES ${pkg_out}/${SNPP_APPSTREAM_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

foreach(size 16 32 48 256)
  install(FILES ${pkg_src}/icons/orvant-snpp-client-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
          RENAME orvant-snpp-client.png)
endforeach()
install(FILES ${pkg_src}/icons/orvant-snpp-client.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# The page names the server this build pages.
snpp_install_man_page(${pkg_src}/orvant-snpp-client.1.in)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${SNPP_PACKAGE_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Orvant Inc.")
set(CPACK_PACKAGE_CONTACT "Orvant Inc. <sales@orvant.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "send text pages to pagers through the Orvant paging service")
set(CPACK_PACKAGE_DESCRIPTION
    "A desktop program for sending short text messages to pagers: type a message or\npick a standard one, choose recipients from a names list, and press Send. It\npages through the Orvant paging service's SNPP server (RFC 1861).")
set(CPACK_PACKAGE_INSTALL_DIRECTORY ${SNPP_PACKAGE_NAME})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.orvant.example/")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The bitmap face the windows are laid out for; without it the program
# falls back to Liberation Sans.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-wine)
include(CPack)

if(SNPP_BUILD_TESTS)
  snpp_add_if_present(tests/packaging)
endif()
