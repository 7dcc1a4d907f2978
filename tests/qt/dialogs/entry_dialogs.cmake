if(TARGET snpp_entry_dialogs)
  snpp_add_gtest(NAME entry_dialogs_tests GUI
    SOURCES
      ${CMAKE_CURRENT_LIST_DIR}/byte_text_test.cpp
      ${CMAKE_CURRENT_LIST_DIR}/add_name_form_test.cpp
      ${CMAKE_CURRENT_LIST_DIR}/config_form_test.cpp
    LIBS snpp_entry_dialogs snpp_qt_test_environment Qt6::Test)
endif()
