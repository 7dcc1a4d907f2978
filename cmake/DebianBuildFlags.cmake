# The compiler and linker flags a Debian package is built with, from
# dpkg-buildflags with every hardening feature on (stack protector, fortify,
# format-security, relro, bindnow; PIE is the compiler's default). Only the
# package build asks for them (SNPP_DEBIAN_BUILD_FLAGS). The optimisation
# level is theirs too, so DEB_BUILD_OPTIONS=noopt works as Debian expects.
# Included before any part, so that every install rule sees the folder
# permissions below.

find_program(DPKG_BUILDFLAGS dpkg-buildflags REQUIRED)

function(snpp_dpkg_buildflag name out)
  # Run from the source folder: -ffile-prefix-map then maps it to ".", so the
  # binaries do not depend on where the checkout lies.
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all ${DPKG_BUILDFLAGS} --get ${name}
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
    OUTPUT_VARIABLE value OUTPUT_STRIP_TRAILING_WHITESPACE
    COMMAND_ERROR_IS_FATAL ANY)
  set(${out} "${value}" PARENT_SCOPE)
endfunction()

snpp_dpkg_buildflag(CPPFLAGS deb_cppflags)
snpp_dpkg_buildflag(CXXFLAGS deb_cxxflags)
snpp_dpkg_buildflag(LDFLAGS deb_ldflags)

string(APPEND CMAKE_CXX_FLAGS " ${deb_cppflags} ${deb_cxxflags}")
string(APPEND CMAKE_EXE_LINKER_FLAGS " ${deb_ldflags}")
string(APPEND CMAKE_SHARED_LINKER_FLAGS " ${deb_ldflags}")
# The build type adds no optimisation level of its own over Debian's.
set(CMAKE_CXX_FLAGS_RELEASE "-DNDEBUG")

# The folders the packages hold get Debian's permissions whatever the umask
# of whoever packs.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
