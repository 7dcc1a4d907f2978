# The main window and the program around it, in the test's own process.
# Focus and the active window belong to Wine's one desktop, which every
# window test shares: they take the lock "wine_desktop" and run one at a time.
add_executable(win32_main_window_tests
  ${CMAKE_CURRENT_LIST_DIR}/main_window_layout_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_window_message_test.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_window_send_test.cpp)
target_include_directories(win32_main_window_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(win32_main_window_tests PRIVATE
  snpp_win32_front snpp_test_server GTest::gtest GTest::gmock GTest::gtest_main)
gtest_discover_tests(win32_main_window_tests
  DISCOVERY_MODE PRE_TEST
  DISCOVERY_TIMEOUT 60
  PROPERTIES ENVIRONMENT "SNPP_TEST=1" TIMEOUT 120 RESOURCE_LOCK wine_desktop)
