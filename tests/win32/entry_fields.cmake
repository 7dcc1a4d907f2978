# The entry field window classes, driven by window messages under Wine.
# Focus belongs to Wine's one desktop, so window suites run one at a time.
snpp_add_gtest(NAME win32_fields_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/entry_field_window_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/entry_field_dialog_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/entry_field_msaa_test.cpp
  LIBS snpp_win32_fields
  LOCK wine_desktop)
