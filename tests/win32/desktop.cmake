# The Windows program as shipped and as a person meets it. Both tests run on
# this machine's side (scripts that drive Wine), in a prefix with Wine's X11
# driver of their own, one at a time; scripts/test windows runs them after
# the headless suites.
if(NOT TARGET orvant-snpp-client)
  return()
endif()
set(snpp_x11_prefix ${CMAKE_BINARY_DIR}/wineprefix-x11)

# Packs the program, installs it silently, checks and uninstalls it.
add_test(NAME win32_installer
  COMMAND ${CMAKE_CURRENT_LIST_DIR}/installer_test.sh ${CMAKE_SOURCE_DIR}
          $<TARGET_FILE:orvant-snpp-client> ${PROJECT_VERSION} ${snpp_x11_prefix})
set_tests_properties(win32_installer PROPERTIES
  LABELS package TIMEOUT 300 RESOURCE_LOCK wineprefix-x11)

# Types a page into the program under Xvfb and reads what reached the test
# server (the Linux build of it, in build/host-tools).
if(TARGET snpp-client-loopback)
  add_test(NAME win32_keyboard_page
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/desktop_test.sh ${CMAKE_SOURCE_DIR}
            $<TARGET_FILE:snpp-client-loopback> ${snpp_x11_prefix})
  set_tests_properties(win32_keyboard_page PROPERTIES
    LABELS desktop TIMEOUT 300 RESOURCE_LOCK wineprefix-x11)
endif()
