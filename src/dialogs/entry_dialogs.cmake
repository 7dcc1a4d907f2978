# The name entry dialog and the configuration dialog, with the byte-exact
# text handling and button pictures they share.
add_library(snpp_entry_dialogs STATIC
  ${CMAKE_CURRENT_LIST_DIR}/add_name_form.cpp
  ${CMAKE_CURRENT_LIST_DIR}/button_images.cpp
  ${CMAKE_CURRENT_LIST_DIR}/byte_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/field_text.cpp)
target_include_directories(snpp_entry_dialogs PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
target_link_libraries(snpp_entry_dialogs PUBLIC snpp_form_layout Qt6::Widgets)

# Until the entry fields land the configuration dialog is left out.
if(TARGET snpp_fields AND TARGET snpp_directory)
  target_sources(snpp_entry_dialogs PRIVATE ${CMAKE_CURRENT_LIST_DIR}/config_form.cpp)
  target_link_libraries(snpp_entry_dialogs PUBLIC snpp_directory snpp_fields)
endif()
