# The check list's rules, free of any toolkit; the Qt widget is in src/qt/controls.
add_library(snpp_check_list_model STATIC
  ${CMAKE_CURRENT_LIST_DIR}/check_list_store.cpp
  ${CMAKE_CURRENT_LIST_DIR}/check_list_geometry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/check_list_model.cpp
)
target_include_directories(snpp_check_list_model PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_compile_features(snpp_check_list_model PUBLIC cxx_std_20)
