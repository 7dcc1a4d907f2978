#include "directory/user_folders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace snpp {
namespace {

namespace fs = std::filesystem;

// Relative values are ignored, as the base-directory rules say.
fs::path FromVariable(const char* name, const fs::path& fallback) {
  if (const char* value = std::getenv(name); value != nullptr && value[0] == '/') return value;
  return fallback;
}

}  // namespace

fs::path HomeDirectory() {
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
  if (const passwd* pw = ::getpwuid(::getuid()); pw != nullptr && pw->pw_dir != nullptr) {
    return pw->pw_dir;
  }
  return ".";
}

fs::path SettingsDirectory() { return FromVariable("XDG_CONFIG_HOME", HomeDirectory() / ".config"); }

fs::path KeptCopiesDirectory() {
  return FromVariable("XDG_DATA_HOME", HomeDirectory() / ".local" / "share") / "orvant-snpp-client";
}

}  // namespace snpp
