# Check list: its rules, without a display.
snpp_add_gtest(NAME check_list_model_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/check_list_model_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/check_list_geometry_test.cpp
  LIBS snpp_check_list_model)
