# The check list: its rules in a Qt-free library, the widget on top of it.
add_library(snpp_check_list_model STATIC
  ${CMAKE_CURRENT_LIST_DIR}/check_list_store.cpp
  ${CMAKE_CURRENT_LIST_DIR}/check_list_geometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/check_list_model.cpp
)
target_include_directories(snpp_check_list_model PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_compile_features(snpp_check_list_model PUBLIC cxx_std_20)

# The widgets need Qt; a build without it stops at the models.
if(NOT SNPP_QT)
  return()
endif()

add_library(snpp_check_list STATIC
  ${CMAKE_CURRENT_LIST_DIR}/check_list.cpp
  ${CMAKE_CURRENT_LIST_DIR}/check_list_accessible.cpp
  ${CMAKE_CURRENT_LIST_DIR}/check_list_row_painter.cpp
)
target_link_libraries(snpp_check_list PUBLIC snpp_check_list_model Qt6::Widgets)
