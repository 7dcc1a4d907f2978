#include "directory/user_folders.h"

#ifndef _WIN32
#include <pwd.h>
#include <unistd.h>
#endif

#include <cstdlib>

namespace snpp {
namespace {

namespace fs = std::filesystem;

// Relative values are ignored, as the base-directory rules say.
[[maybe_unused]] fs::path FromVariable(const char* name, const fs::path& fallback) {
  if (const char* value = std::getenv(name); value != nullptr && value[0] == '/') return value;
  return fallback;
}

}  // namespace

#ifdef _WIN32
// Windows keeps the user's data under %APPDATA%; settings have their own
// place there (settings_location_win32.cpp).
fs::path HomeDirectory() {
  const wchar_t* profile = _wgetenv(L"USERPROFILE");
  return profile != nullptr && *profile != L'\0' ? fs::path(profile) : fs::path(L".");
}

fs::path KeptCopiesDirectory() {
  const wchar_t* appData = _wgetenv(L"APPDATA");
  const fs::path base = appData != nullptr && *appData != L'\0' ? fs::path(appData) : HomeDirectory();
  return base / L"Orvant" / L"kept names";
}
#else
fs::path HomeDirectory() {
  if (const char* home = std::getenv("HOME"); home != nullptr && *home != '\0') return home;
  if (const passwd* pw = ::getpwuid(::getuid()); pw != nullptr && pw->pw_dir != nullptr) {
    return pw->pw_dir;
  }
  return ".";
}

fs::path ConfigHome() { return FromVariable("XDG_CONFIG_HOME", HomeDirectory() / ".config"); }

fs::path SettingsDirectory() { return ConfigHome() / kProgramFolderName; }

fs::path KeptCopiesDirectory() {
  return FromVariable("XDG_DATA_HOME", HomeDirectory() / ".local" / "share") / kProgramFolderName;
}

#endif

}  // namespace snpp
