# The Windows program: the main window and the program around it, and the
# executables made from them.
enable_language(RC)

# The program's icon, made from the same pictures as the Linux one.
find_program(SNPP_MAGICK NAMES magick convert REQUIRED)
set(_snpp_icons ${CMAKE_SOURCE_DIR}/packaging/icons)
set(_snpp_ico ${CMAKE_CURRENT_BINARY_DIR}/orvant-snpp-client.ico)
add_custom_command(OUTPUT ${_snpp_ico}
  COMMAND ${SNPP_MAGICK} ${_snpp_icons}/orvant-snpp-client-16.png ${_snpp_icons}/orvant-snpp-client-32.png
          ${_snpp_icons}/orvant-snpp-client-48.png ${_snpp_icons}/orvant-snpp-client-256.png ${_snpp_ico}
  DEPENDS ${_snpp_icons}/orvant-snpp-client-16.png ${_snpp_icons}/orvant-snpp-client-32.png
          ${_snpp_icons}/orvant-snpp-client-48.png ${_snpp_icons}/orvant-snpp-client-256.png
  VERBATIM)

# The resource script, linked into every executable that uses the windows
# (a resource in a static library would never be pulled in). windres writes
# no dependency file, so what the script reads is listed here.
set(_snpp_rc ${CMAKE_CURRENT_LIST_DIR}/snpp_client.rc)
# The project's version, "2.05", is where every version of the program comes
# from: the texts carry it as it is, and the four numbers of the version
# block and of the manifest read "05" as the number 5 (2.5.0.0). The
# installer takes all of them from the program's version block.
math(EXPR SNPP_VERSION_MINOR_NUMBER "${PROJECT_VERSION_MINOR}")
set(SNPP_VERSION_FOUR_PART "${PROJECT_VERSION_MAJOR}.${SNPP_VERSION_MINOR_NUMBER}.0.0")
configure_file(${CMAKE_CURRENT_LIST_DIR}/program_version.h.in ${CMAKE_CURRENT_BINARY_DIR}/program_version.h @ONLY)
configure_file(${CMAKE_CURRENT_LIST_DIR}/snpp_client.manifest.in ${CMAKE_CURRENT_BINARY_DIR}/snpp_client.manifest @ONLY)
set(_snpp_rc_inputs ${CMAKE_CURRENT_LIST_DIR}/main_window_ids.h ${CMAKE_CURRENT_BINARY_DIR}/snpp_client.manifest
    ${_snpp_ico} ${CMAKE_CURRENT_BINARY_DIR}/program_version.h)
list(APPEND _snpp_rc_inputs ${SNPP_WIN32_DIALOG_RESOURCES})
add_library(snpp_win32_resources OBJECT ${_snpp_rc})
set_source_files_properties(${_snpp_rc} PROPERTIES OBJECT_DEPENDS "${_snpp_rc_inputs}")
target_include_directories(snpp_win32_resources PRIVATE ${CMAKE_CURRENT_LIST_DIR} ${CMAKE_CURRENT_BINARY_DIR})

# Everything but the entry point: tests and the screenshot program make the
# windows in their own process.
add_library(snpp_win32_front STATIC
  ${CMAKE_CURRENT_LIST_DIR}/main_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_window_layout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/main_window_paging.cpp
  ${CMAKE_CURRENT_LIST_DIR}/panel_window.cpp
  ${CMAKE_CURRENT_LIST_DIR}/program_windows.cpp
)
target_include_directories(snpp_win32_front PUBLIC ${CMAKE_SOURCE_DIR}/src)
target_link_libraries(snpp_win32_front PUBLIC
  snpp_win32_dialogs snpp_win32_fields snpp_win32_check_list snpp_win32_look snpp_forms snpp_paging_link snpp_directory
  snpp_build_config comctl32 gdi32 user32)
target_sources(snpp_win32_front INTERFACE $<TARGET_OBJECTS:snpp_win32_resources>)

add_executable(orvant-snpp-client WIN32 ${CMAKE_CURRENT_LIST_DIR}/win_main.cpp)
target_link_libraries(orvant-snpp-client PRIVATE snpp_win32_front)

# Never shipped: the same program paging the test server on 127.0.0.1:44461,
# for the keyboard-driven test and checks by hand.
add_executable(snpp-client-loopback WIN32 ${CMAKE_CURRENT_LIST_DIR}/win_main.cpp)
target_link_libraries(snpp-client-loopback PRIVATE snpp_win32_front)
target_compile_definitions(snpp-client-loopback PRIVATE SNPP_LOOPBACK_SERVER_PORT=44461)
set_target_properties(snpp-client-loopback PROPERTIES OUTPUT_NAME orvant-snpp-client-loopback)
