# Tests of the command tables and the entry-field model.

snpp_add_gtest(NAME fields_model_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/command_table_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/entry_field_model_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/entry_field_numeric_test.cpp
  LIBS snpp_fields_model)
