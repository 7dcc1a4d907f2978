# What the controls tell assistive technology through MSAA (IAccessible).
add_library(snpp_win32_msaa STATIC
  ${CMAKE_CURRENT_LIST_DIR}/msaa_object.cpp
  ${CMAKE_CURRENT_LIST_DIR}/accessible_name.cpp)
target_include_directories(snpp_win32_msaa PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(snpp_win32_msaa PUBLIC oleacc oleaut32 ole32 uuid comctl32 user32)
