# Check list widget: drawing and behaviour on the offscreen platform.
snpp_add_gtest(NAME check_list_widget_tests GUI
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/check_list_widget_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/check_list_drawing_test.cpp
  LIBS snpp_check_list snpp_qt_test_environment snpp_screen_reader_log Qt6::Test)
