#pragma once
// Profile reads and writes on a file: our stand-in for the private-profile
// calls. Each call opens the file on its own; nothing is held open.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "directory/profile_text.h"
#include "directory/user_folders.h"

namespace snpp {

inline constexpr char kSettingsFileName[] = "snppCl.ini";

// SettingsDirectory() / "snppCl.ini".
std::filesystem::path SettingsFilePath();

// A settings file of an earlier installation, read while SettingsFilePath()
// does not exist and copied there by the first write: the Windows
// directory's snppCl.ini on Windows, ConfigHome() / "snppCl.ini" elsewhere.
std::filesystem::path LegacySettingsFilePath();

// The key's value, or defaultValue when the file, section or key is missing
// or the file cannot be read; cut to bufferSize - 1 bytes.
std::string ReadProfileString(std::string_view section, std::string_view key,
                              std::string_view defaultValue, std::size_t bufferSize,
                              const std::filesystem::path& file);

// False only when the file was read in full and has the key in the section.
bool ProfileKeyMissing(std::string_view section, std::string_view key, const std::filesystem::path& file);

// Stores the value, creating the file (and its directory), the section and the
// key as needed. The file is replaced in one step; false, with the file as it
// was, when it exists but cannot be read, cannot be written, or the value
// cannot be stored.
bool WriteProfileString(std::string_view section, std::string_view key, std::string_view value,
                        const std::filesystem::path& file);

}  // namespace snpp
