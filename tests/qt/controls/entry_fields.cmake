# Entry-field widgets on the offscreen platform.
snpp_add_gtest(NAME fields_widget_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/entry_field_widget_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/user_characters_test.cpp
  LIBS snpp_fields snpp_qt_test_environment snpp_screen_reader_log Qt6::Test
  GUI)
