# The Windows program as shipped and as seen. The installer and keyboard
# tests are scripts on this machine's side that drive Wine in a prefix with
# the X11 driver of their own, one at a time; scripts/test windows runs them
# after the headless suites.
set(snpp_x11_prefix ${CMAKE_BINARY_DIR}/wineprefix-x11)

# Every control of every window where the layout table puts it, headless.
if(TARGET snpp-win32-screens)
  add_test(NAME win32_window_layout
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/layout_test.sh ${CMAKE_BINARY_DIR}/wineprefix
            $<TARGET_FILE:snpp-win32-screens> ${CMAKE_CURRENT_LIST_DIR}/window_geometry.txt)
  set_tests_properties(win32_window_layout PROPERTIES TIMEOUT 120)
endif()

# Packs the program and the pager, installs them silently, checks and
# uninstalls them.
if(TARGET orvant-snpp-client AND TARGET orvant-snpp-page)
  add_test(NAME win32_installer
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/installer_test.sh ${CMAKE_SOURCE_DIR}
            $<TARGET_FILE:orvant-snpp-client> ${PROJECT_VERSION} ${snpp_x11_prefix}
            $<TARGET_FILE:orvant-snpp-page>)
  set_tests_properties(win32_installer PROPERTIES
    LABELS package TIMEOUT 300 RESOURCE_LOCK wineprefix-x11)
endif()

# Types a page into the program under Xvfb and reads what reached the test
# server (the Linux build of it, in build/host-tools).
if(TARGET snpp-client-loopback)
  add_test(NAME win32_keyboard_page
    COMMAND ${CMAKE_CURRENT_LIST_DIR}/desktop_test.sh ${CMAKE_SOURCE_DIR}
            $<TARGET_FILE:snpp-client-loopback> ${snpp_x11_prefix})
  set_tests_properties(win32_keyboard_page PROPERTIES
    LABELS desktop TIMEOUT 300 RESOURCE_LOCK wineprefix-x11)
endif()
