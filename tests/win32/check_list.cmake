# The check list's window under Wine: order in the list box, mouse, keys,
# painting read back from the window, and what a screen reader reads.
snpp_add_gtest(NAME win32_check_list_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/check_list_window_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/check_list_msaa_test.cpp
  LIBS snpp_win32_check_list
  LOCK wine_desktop)
