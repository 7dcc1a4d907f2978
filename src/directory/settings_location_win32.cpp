// Where snppCl.ini lives on Windows. Earlier installations kept it in the
// Windows directory, which only an administrator may write on current
// systems: it is still read, but writes go to the user's application data.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdlib>

#include "directory/profile_file.h"

namespace snpp {

namespace fs = std::filesystem;

fs::path SettingsDirectory() {
  const wchar_t* appData = _wgetenv(L"APPDATA");
  const fs::path base = appData != nullptr && *appData != L'\0' ? fs::path(appData) : fs::path(L".");
  return base / L"Orvant";
}

fs::path SettingsFilePath() { return SettingsDirectory() / kSettingsFileName; }

fs::path LegacySettingsFilePath() {
  wchar_t dir[MAX_PATH + 1];
  const UINT n = GetWindowsDirectoryW(dir, MAX_PATH + 1);
  if (n == 0 || n > MAX_PATH) return {};
  return fs::path(dir) / kSettingsFileName;
}

}  // namespace snpp
