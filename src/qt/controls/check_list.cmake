# The check list widget on top of its toolkit-free model.
add_library(snpp_check_list STATIC
  ${CMAKE_CURRENT_LIST_DIR}/check_list.cpp
  ${CMAKE_CURRENT_LIST_DIR}/check_list_accessible.cpp
  ${CMAKE_CURRENT_LIST_DIR}/check_list_row_painter.cpp
)
target_link_libraries(snpp_check_list PUBLIC snpp_check_list_model Qt6::Widgets)
