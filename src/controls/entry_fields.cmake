# Command tables, the entry-field model and its controller (no Qt), and the
# Qt widgets around them.

add_library(snpp_fields_model STATIC
  ${CMAKE_CURRENT_LIST_DIR}/command_table.cpp
  ${CMAKE_CURRENT_LIST_DIR}/command_table_builtin.cpp
  ${CMAKE_CURRENT_LIST_DIR}/command_table_stored.cpp
  ${CMAKE_CURRENT_LIST_DIR}/entry_controller.cpp
  ${CMAKE_CURRENT_LIST_DIR}/entry_field_messages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/entry_field_text.cpp
  ${CMAKE_CURRENT_LIST_DIR}/entry_field_model.cpp
  ${CMAKE_CURRENT_LIST_DIR}/entry_field_commands.cpp
  ${CMAKE_CURRENT_LIST_DIR}/entry_field_numeric.cpp
  ${CMAKE_CURRENT_LIST_DIR}/entry_field_layout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/entry_field_menu.cpp
)
target_include_directories(snpp_fields_model PUBLIC
  ${CMAKE_CURRENT_LIST_DIR}
  ${CMAKE_SOURCE_DIR}/src)
set_target_properties(snpp_fields_model PROPERTIES AUTOMOC OFF AUTORCC OFF AUTOUIC OFF)

# The widgets need Qt; a build without it stops at the models.
if(NOT SNPP_QT)
  return()
endif()

add_library(snpp_fields STATIC
  ${CMAKE_CURRENT_LIST_DIR}/entry_field_beep.h
  ${CMAKE_CURRENT_LIST_DIR}/entry_field_beep.cpp
  ${CMAKE_CURRENT_LIST_DIR}/entry_field_keys.h
  ${CMAKE_CURRENT_LIST_DIR}/entry_field_keys.cpp
  ${CMAKE_CURRENT_LIST_DIR}/entry_field_accessible.h
  ${CMAKE_CURRENT_LIST_DIR}/entry_field_accessible.cpp
  ${CMAKE_CURRENT_LIST_DIR}/entry_field_widget.h
  ${CMAKE_CURRENT_LIST_DIR}/entry_field_widget.cpp
  ${CMAKE_CURRENT_LIST_DIR}/simple_field.h
  ${CMAKE_CURRENT_LIST_DIR}/simple_field.cpp
  ${CMAKE_CURRENT_LIST_DIR}/numeric_field.h
  ${CMAKE_CURRENT_LIST_DIR}/numeric_field.cpp
  ${CMAKE_CURRENT_LIST_DIR}/user_characters.h
  ${CMAKE_CURRENT_LIST_DIR}/user_characters.cpp
)
target_link_libraries(snpp_fields PUBLIC snpp_fields_model Qt6::Widgets)
