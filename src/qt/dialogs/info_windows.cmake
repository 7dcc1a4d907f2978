add_library(snpp_form_layout STATIC
  button_style.cpp
  form_layout.cpp
  program_look.cpp
  scalable_face.cpp)
target_include_directories(snpp_form_layout PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(snpp_form_layout PUBLIC Qt6::Widgets)

add_library(snpp_info_windows STATIC
  about_form.cpp
  text_info_window.cpp
  instructions_form.cpp
  trouble_form.cpp)
target_include_directories(snpp_info_windows PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(snpp_info_windows PUBLIC snpp_form_layout snpp_build_config Qt6::Widgets)
