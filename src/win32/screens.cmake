# snpp-win32-screens: shows every window in turn for scripts/screenshots
# --windows. Never shipped.
if(NOT TARGET snpp_win32_dialogs OR NOT TARGET snpp_win32_front)
  return()
endif()
add_executable(snpp-win32-screens WIN32
  ${CMAKE_CURRENT_LIST_DIR}/screens.cpp
  ${CMAKE_CURRENT_LIST_DIR}/screens_report.cpp
  ${CMAKE_CURRENT_LIST_DIR}/screens_windows.cpp)
target_include_directories(snpp-win32-screens PRIVATE ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(snpp-win32-screens PRIVATE snpp_win32_front)
