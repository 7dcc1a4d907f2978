# The entry field window classes, driven by window messages under Wine.
snpp_add_gtest(NAME win32_fields_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/entry_field_window_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/entry_field_dialog_test.cpp
  LIBS snpp_win32_fields)
