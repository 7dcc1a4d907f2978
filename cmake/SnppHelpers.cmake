# Small helpers shared by the folders' CMakeLists files.

function(snpp_part_enabled part out)
  if(SNPP_COMPONENTS STREQUAL "all" OR part IN_LIST SNPP_COMPONENTS)
    set(${out} ON PARENT_SCOPE)
  else()
    set(${out} OFF PARENT_SCOPE)
  endif()
endfunction()

function(snpp_add_if_present dir)
  if(EXISTS ${CMAKE_SOURCE_DIR}/${dir}/CMakeLists.txt)
    add_subdirectory(${CMAKE_SOURCE_DIR}/${dir} ${CMAKE_BINARY_DIR}/${dir})
  endif()
endfunction()

# Every subfolder with a CMakeLists.txt; each one returns early when a
# target it needs is not part of this build.
function(snpp_add_subfolders dir)
  file(GLOB children LIST_DIRECTORIES true ${CMAKE_SOURCE_DIR}/${dir}/*)
  foreach(child IN LISTS children)
    if(IS_DIRECTORY ${child} AND EXISTS ${child}/CMakeLists.txt)
      file(RELATIVE_PATH rel ${CMAKE_SOURCE_DIR} ${child})
      add_subdirectory(${child} ${CMAKE_BINARY_DIR}/${rel})
    endif()
  endforeach()
endfunction()

# snpp_add_gtest(NAME name SOURCES ... LIBS ... [GUI] [LOCK resource])
# GUI tests run on Qt's offscreen platform so they need no display. Tests
# that share one resource (LOCK) run one at a time.
function(snpp_add_gtest)
  cmake_parse_arguments(T "GUI" "NAME;LOCK" "SOURCES;LIBS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_include_directories(${T_NAME} PRIVATE ${CMAKE_SOURCE_DIR}/tests)
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  # One variable only: a list here would be flattened on its way to CTest.
  set(env "SNPP_TEST=1")
  if(T_GUI)
    set(env "QT_QPA_PLATFORM=offscreen")
  endif()
  set(lock)
  if(T_LOCK)
    set(lock RESOURCE_LOCK ${T_LOCK})
  endif()
  gtest_discover_tests(${T_NAME}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "${env}" TIMEOUT 120 ${lock})
endfunction()

# snpp_add_fuzzer(NAME name SOURCES ... LIBRARY lib [LIBS ...] [INCLUDES ...])
# Compiles `lib`'s own sources into the fuzzer, so that libFuzzer's coverage
# sees them; does nothing when `lib` is not part of this build.
function(snpp_add_fuzzer)
  cmake_parse_arguments(F "" "NAME;LIBRARY" "SOURCES;LIBS;INCLUDES" ${ARGN})
  if(NOT TARGET ${F_LIBRARY})
    return()
  endif()
  get_target_property(lib_dir ${F_LIBRARY} SOURCE_DIR)
  get_target_property(lib_sources ${F_LIBRARY} SOURCES)
  list(TRANSFORM lib_sources PREPEND ${lib_dir}/)
  add_executable(${F_NAME} ${F_SOURCES} ${lib_sources})
  target_include_directories(${F_NAME} PRIVATE ${CMAKE_SOURCE_DIR}/src ${F_INCLUDES})
  target_link_libraries(${F_NAME} PRIVATE snpp_build_config ${F_LIBS})
  target_compile_options(${F_NAME} PRIVATE -fsanitize=fuzzer,address,undefined)
  target_link_options(${F_NAME} PRIVATE -fsanitize=fuzzer,address,undefined)
endfunction()

# snpp_gzip(IN OUT): OUT is IN compressed as Debian wants it: best
# compression, and no file name or time inside, so the bytes depend on the
# content alone.
function(snpp_gzip in out)
  get_filename_component(name ${out} NAME)
  add_custom_command(OUTPUT ${out}
    COMMAND gzip -9n -c ${in} > ${out}
    DEPENDS ${in} VERBATIM)
  add_custom_target(snpp_gzip_${name} ALL DEPENDS ${out})
endfunction()

# snpp_install_man_page(PAGE [COMPONENT name]) installs PAGE (a roff file,
# configured first when it ends in .in) compressed, as Debian keeps man pages.
function(snpp_install_man_page page)
  cmake_parse_arguments(M "" "COMPONENT" "" ${ARGN})
  include(GNUInstallDirs)
  get_filename_component(name ${page} NAME)
  string(REGEX REPLACE "\\.in$" "" name ${name})
  set(out ${CMAKE_BINARY_DIR}/packaging/${name})
  configure_file(${page} ${out} @ONLY)
  snpp_gzip(${out} ${out}.gz)
  set(component)
  if(M_COMPONENT)
    set(component COMPONENT ${M_COMPONENT})
  endif()
  install(FILES ${out}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 ${component})
endfunction()
