if(TARGET snpp_entry_dialogs)
  set(entry_dialog_tests
    ${CMAKE_CURRENT_LIST_DIR}/qt_test_environment.cpp
    ${CMAKE_CURRENT_LIST_DIR}/byte_text_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/add_name_form_test.cpp)
  if(TARGET snpp_fields AND TARGET snpp_directory)
    list(APPEND entry_dialog_tests ${CMAKE_CURRENT_LIST_DIR}/config_form_test.cpp)
  endif()
  snpp_add_gtest(NAME entry_dialogs_tests GUI SOURCES ${entry_dialog_tests} LIBS snpp_entry_dialogs Qt6::Test)
endif()
