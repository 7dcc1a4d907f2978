add_library(snpp_form_layout STATIC
  ${CMAKE_CURRENT_LIST_DIR}/button_style.cpp
  ${CMAKE_CURRENT_LIST_DIR}/form_layout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/program_look.cpp
  ${CMAKE_CURRENT_LIST_DIR}/scalable_face.cpp)
target_include_directories(snpp_form_layout PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(snpp_form_layout PUBLIC Qt6::Widgets)

add_library(snpp_info_windows STATIC
  ${CMAKE_CURRENT_LIST_DIR}/about_form.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_info_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/instructions_form.cpp
  ${CMAKE_CURRENT_LIST_DIR}/trouble_form.cpp)
target_include_directories(snpp_info_windows PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(snpp_info_windows PUBLIC snpp_form_layout snpp_build_config Qt6::Widgets)
