# The main window and the program around it, in the test's own process.
snpp_add_gtest(NAME win32_main_window_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/main_window_layout_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/main_window_message_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/main_window_send_test.cpp
  LIBS snpp_win32_front snpp_test_server)
set_target_properties(win32_main_window_tests PROPERTIES WIN32_EXECUTABLE OFF)
