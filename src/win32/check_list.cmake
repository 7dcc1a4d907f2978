# The check list as a Win32 control around the shared model.
add_library(snpp_win32_check_list STATIC
  ${CMAKE_CURRENT_LIST_DIR}/check_list_msaa.cpp
  ${CMAKE_CURRENT_LIST_DIR}/check_list_painter.cpp
  ${CMAKE_CURRENT_LIST_DIR}/check_list_window.cpp
)
target_include_directories(snpp_win32_check_list PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(snpp_win32_check_list PUBLIC snpp_check_list_model snpp_forms snpp_win32_look snpp_win32_msaa
  gdi32 user32)
