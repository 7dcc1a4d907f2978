# A cross-build cannot use the system's GoogleTest libraries: build them from
# Debian's sources with the cross compiler instead. Only what tests link is built.
set(SNPP_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources (Debian package googletest)")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
add_subdirectory(${SNPP_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
foreach(lib gtest gtest_main gmock gmock_main)
  # Its own code is not held to our warning flags.
  target_compile_options(${lib} PRIVATE -w)
endforeach()
