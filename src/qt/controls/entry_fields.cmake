# The entry-field widgets around the toolkit-free model.
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
