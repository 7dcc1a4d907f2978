#pragma once
// The user's own folders, as the desktop's base-directory variables name
// them: settings under the config folder, data we keep for the user under
// the data folder.

#include <filesystem>

namespace snpp {

// $HOME, else the password database's home, else ".".
std::filesystem::path HomeDirectory();

#ifndef _WIN32
// Our folder's name under each of the user's base folders.
inline constexpr char kProgramFolderName[] = "orvant-snpp-client";

// $XDG_CONFIG_HOME when it is an absolute path, else ~/.config: every
// program's settings, and where ours lay loose up to version 2.05-1.
std::filesystem::path ConfigHome();
#endif

// Our own settings folder: ConfigHome() / "orvant-snpp-client", or
// %APPDATA%\Orvant on Windows.
std::filesystem::path SettingsDirectory();

// ($XDG_DATA_HOME when it is an absolute path, else ~/.local/share) /
// "orvant-snpp-client": where a names list that could not be saved where it
// belongs is kept.
std::filesystem::path KeptCopiesDirectory();

}  // namespace snpp
