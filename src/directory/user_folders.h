#pragma once
// The user's own folders, as the desktop's base-directory variables name
// them: settings under the config folder, data we keep for the user under
// the data folder.

#include <filesystem>

namespace snpp {

// $HOME, else the password database's home, else ".".
std::filesystem::path HomeDirectory();

// $XDG_CONFIG_HOME when it is an absolute path, else ~/.config.
std::filesystem::path SettingsDirectory();

// ($XDG_DATA_HOME when it is an absolute path, else ~/.local/share) /
// "orvant-snpp-client": where a names list that could not be saved where it
// belongs is kept.
std::filesystem::path KeptCopiesDirectory();

}  // namespace snpp
