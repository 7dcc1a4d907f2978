# The name entry dialog and the configuration dialog, with the byte-exact
# text handling and button pictures they share. The configuration dialog
# keeps the standard messages (directory) and shows numeric entry fields
# (controls), so the pair is left out of builds without those parts.
if(NOT TARGET snpp_directory OR NOT TARGET snpp_fields)
  message(STATUS "Entry dialogs skipped: they need the directory and controls parts")
  return()
endif()

add_library(snpp_entry_dialogs STATIC
  ${CMAKE_CURRENT_LIST_DIR}/add_name_form.cpp
  ${CMAKE_CURRENT_LIST_DIR}/button_images.cpp
  ${CMAKE_CURRENT_LIST_DIR}/byte_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/character_limit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/config_form.cpp
  ${CMAKE_CURRENT_LIST_DIR}/field_text.cpp)
target_include_directories(snpp_entry_dialogs PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(snpp_entry_dialogs PUBLIC snpp_form_layout snpp_directory snpp_fields Qt6::Widgets)
