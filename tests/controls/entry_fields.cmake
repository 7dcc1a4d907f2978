# Tests of the command tables, the entry-field model and the widgets.

snpp_add_gtest(NAME fields_model_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/command_table_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/entry_field_model_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/entry_field_numeric_test.cpp
  LIBS snpp_fields_model)

# The widgets need Qt; a build without it stops at the models.
if(NOT SNPP_QT)
  return()
endif()

snpp_add_gtest(NAME fields_widget_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/entry_field_widget_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/user_characters_test.cpp
  LIBS snpp_fields snpp_qt_test_environment Qt6::Test
  GUI)
