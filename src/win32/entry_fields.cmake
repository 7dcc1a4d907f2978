# The picture-mask entry fields as Win32 window classes.
add_library(snpp_win32_fields STATIC
  ${CMAKE_CURRENT_LIST_DIR}/entry_field_window.h
  ${CMAKE_CURRENT_LIST_DIR}/entry_field_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/entry_field_input.cpp
  ${CMAKE_CURRENT_LIST_DIR}/entry_field_paint.cpp
  ${CMAKE_CURRENT_LIST_DIR}/entry_field_clipboard.h
  ${CMAKE_CURRENT_LIST_DIR}/entry_field_clipboard.cpp
  ${CMAKE_CURRENT_LIST_DIR}/entry_field_msaa.h
  ${CMAKE_CURRENT_LIST_DIR}/entry_field_msaa.cpp
)
target_include_directories(snpp_win32_fields PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(snpp_win32_fields PUBLIC snpp_fields_model snpp_win32_look snpp_win32_msaa gdi32 user32)
