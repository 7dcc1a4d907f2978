# The secondary windows, made from their templates and driven through their
# messages under Wine's null graphics driver.
if(NOT TARGET snpp_win32_dialogs)
  return()
endif()
enable_language(RC)
snpp_add_gtest(NAME win32_dialogs_tests
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/dialog_layout_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dialog_config_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dialog_add_name_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dialog_info_test.cpp
    ${CMAKE_CURRENT_LIST_DIR}/dialog_images_test.cpp
    ${CMAKE_SOURCE_DIR}/src/win32/dialogs.rc
  LIBS snpp_win32_dialogs)
set_source_files_properties(${CMAKE_SOURCE_DIR}/src/win32/dialogs.rc PROPERTIES
  OBJECT_DEPENDS ${CMAKE_SOURCE_DIR}/src/win32/dialog_ids.h)
