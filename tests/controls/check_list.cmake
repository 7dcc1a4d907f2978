# Check list: rules without a display, then the widget on the offscreen platform.
snpp_add_gtest(NAME check_list_model_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/check_list_model_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/check_list_geometry_test.cpp
  LIBS snpp_check_list_model)

# The widgets need Qt; a build without it stops at the models.
if(NOT SNPP_QT)
  return()
endif()

snpp_add_gtest(NAME check_list_widget_tests GUI
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/check_list_widget_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/check_list_drawing_test.cpp
  LIBS snpp_check_list snpp_qt_test_environment Qt6::Test)
