# The secondary windows: configuration, name entry, About, instructions and
# trouble-shooting, with the picture buttons they share with the main window.
# Their templates are in dialogs.rc, which the program's resource script
# includes (a static library would drop the resources nobody refers to).
add_library(snpp_win32_dialogs STATIC
  ${CMAKE_CURRENT_LIST_DIR}/about_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/add_name_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/button_images.cpp
  ${CMAKE_CURRENT_LIST_DIR}/button_mnemonics.cpp
  ${CMAKE_CURRENT_LIST_DIR}/centred_edit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/config_dialog.cpp
  ${CMAKE_CURRENT_LIST_DIR}/dialog_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/text_info_dialogs.cpp
)
target_include_directories(snpp_win32_dialogs PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(snpp_win32_dialogs PUBLIC
  snpp_win32_look snpp_win32_fields snpp_forms snpp_directory snpp_net snpp_build_config comctl32 gdi32 user32)

# For a resource script that includes dialogs.rc: the files it pulls in,
# which windres reports to no build tool (list them in OBJECT_DEPENDS).
set(SNPP_WIN32_DIALOG_RESOURCES
  ${CMAKE_CURRENT_LIST_DIR}/dialogs.rc
  ${CMAKE_CURRENT_LIST_DIR}/dialog_ids.h)
