#include "directory/profile_file.h"

#include <system_error>

#include "directory/file_io.h"
#include "directory/user_folders.h"

namespace snpp {
namespace fs = std::filesystem;

#ifndef _WIN32
fs::path SettingsFilePath() { return SettingsDirectory() / kSettingsFileName; }

// Earlier versions kept the file loose in the config folder.
fs::path LegacySettingsFilePath() { return ConfigHome() / kSettingsFileName; }
#endif  // the Windows locations are in settings_location_win32.cpp

std::string ReadProfileString(std::string_view section, std::string_view key,
                              std::string_view defaultValue, std::size_t bufferSize,
                              const fs::path& file) {
  const FileRead read = ReadWholeFile(file);
  const std::string_view text = read.status == ReadStatus::Complete ? read.bytes : std::string_view();
  return ReadProfileValue(text, section, key, defaultValue, bufferSize);
}

bool ProfileKeyMissing(std::string_view section, std::string_view key, const fs::path& file) {
  const FileRead read = ReadWholeFile(file);
  return read.status != ReadStatus::Complete || !HasProfileKey(read.bytes, section, key);
}

bool WriteProfileString(std::string_view section, std::string_view key, std::string_view value,
                        const fs::path& file) {
  const FileRead read = ReadWholeFile(file);
  if (read.status == ReadStatus::Failed) return false;  // never replace what we could not read
  const std::optional<std::string> updated = WriteProfileValue(read.bytes, section, key, value);
  if (!updated) return false;
  if (read.status == ReadStatus::Complete && *updated == read.bytes) return true;
  if (file.has_parent_path()) {
    std::error_code ec;
    fs::create_directories(file.parent_path(), ec);
  }
  return ReplaceFile(file, *updated);
}

}  // namespace snpp
