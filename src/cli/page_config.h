#pragma once
// Where the pager's server, login and names list come from when the command
// line does not say: the environment, then a config file. A password is
// read only from a file no one else can read.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "cli/page_options.h"

namespace snpp::cli {

inline constexpr char kServerVariable[] = "ORVANT_SNPP_SERVER";
inline constexpr char kLoginVariable[] = "ORVANT_SNPP_LOGIN";

struct ConfigValues {
  std::string path;  // the file they came from; empty: none was found
  std::optional<std::string> server;
  std::optional<std::string> login;
  std::optional<std::string> password;
  std::optional<std::string> names;
};

// "key = value" lines (server, login, password, names); blank lines and
// lines starting with '#' are skipped. Any other line is an error naming
// the file and the line.
std::optional<ConfigValues> ParseConfig(std::string_view text, const std::string& path, std::string& error);

// $XDG_CONFIG_HOME (or ~/.config)/orvant-snpp-client/page.conf, then
// /etc/orvant-snpp-client/page.conf.
std::vector<std::filesystem::path> ConfigCandidates();

// The first candidate that exists; no values when none does. A file that
// holds a password must be one that no one but its owner, us, can read.
std::optional<ConfigValues> LoadConfig(const std::vector<std::filesystem::path>& candidates, std::string& error);

// The first line of a file that no one else can read (a password).
std::optional<std::string> ReadPrivateLine(const std::filesystem::path& path, std::string& error);

using Environment = std::function<const char*(const char*)>;

struct PageSettings {
  ServerAddress server;
  std::optional<std::string> loginUser;
  std::string password;                     // empty: LOGI carries the user alone
  std::vector<std::filesystem::path> names; // tried in order; the first that exists is read
  bool namesGiven = false;                  // --names or the config: that file or none
};

// The command line first, then the environment, then the config file, then
// the build's server. Reads --password-file when it is given.
std::optional<PageSettings> ResolveSettings(const PageOptions& options, const Environment& env,
                                            const ConfigValues& config, std::string& error);

}  // namespace snpp::cli
