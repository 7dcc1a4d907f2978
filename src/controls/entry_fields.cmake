# Command tables, the entry-field model and its controller, free of any
# toolkit; the Qt widgets around them are in src/qt/controls.

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
