# The look the windows and controls share: face, scale, placement.
add_library(snpp_win32_look STATIC ${CMAKE_CURRENT_LIST_DIR}/window_look.cpp)
target_include_directories(snpp_win32_look PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(snpp_win32_look PUBLIC gdi32 user32)
