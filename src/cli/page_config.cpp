#include "cli/page_config.h"

#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <cstring>
#include <fstream>
#include <system_error>

#include "cli/printable.h"
#include "directory/names_file.h"
#include "directory/user_folders.h"
#include "snpp/build_config.h"

namespace snpp::cli {
namespace {

constexpr char kConfigName[] = "page.conf";
// A config file or a password is a few lines; more is not one of ours.
constexpr std::size_t kMostFileBytes = 64 * 1024;

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

struct FileText {
  std::string text;
  bool missing = false;
  bool othersMayRead = false;
};

#ifdef _WIN32
// A file under the user's profile is the user's alone unless shared on
// purpose; its access list is not read here.
std::optional<FileText> ReadSmallFile(const std::filesystem::path& path, std::string& error) {
  const std::string name = Printable(path.string());
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return FileText{{}, true, false};
  if (!std::filesystem::is_regular_file(path, ec)) {
    error = name + " is not a plain file";
    return std::nullopt;
  }
  std::ifstream in(path, std::ios::binary);
  FileText out;
  char buffer[4096];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    out.text.append(buffer, static_cast<std::size_t>(in.gcount()));
    if (out.text.size() > kMostFileBytes) {
      error = name + " is far too long";
      return std::nullopt;
    }
  }
  if (in.bad() || !in.eof()) {
    error = "cannot read " + name;
    return std::nullopt;
  }
  return out;
}
#else
std::optional<FileText> ReadSmallFile(const std::filesystem::path& path, std::string& error) {
  const std::string name = Printable(path.string());
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    if (errno == ENOENT) return FileText{{}, true, false};
    error = "cannot read " + name + ": " + std::strerror(errno);
    return std::nullopt;
  }
  FileText out;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    error = name + " is not a plain file";
    return std::nullopt;
  }
  out.othersMayRead = (st.st_mode & (S_IRGRP | S_IROTH)) != 0 || st.st_uid != ::geteuid();
  char buffer[4096];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      error = "cannot read " + name + ": " + std::strerror(errno);
      ::close(fd);
      return std::nullopt;
    }
    if (n == 0) break;
    out.text.append(buffer, static_cast<std::size_t>(n));
    if (out.text.size() > kMostFileBytes) {
      ::close(fd);
      error = name + " is far too long";
      return std::nullopt;
    }
  }
  ::close(fd);
  return out;
}
#endif

std::string NotPrivate(const std::filesystem::path& path) {
  return Printable(path.string()) + " holds a password but others can read it; make it yours alone (chmod 600 " +
         Printable(path.string()) + ")";
}

}  // namespace

std::optional<ConfigValues> ParseConfig(std::string_view text, const std::string& path, std::string& error) {
  ConfigValues out;
  out.path = path;
  int number = 0;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = Trim(text.substr(0, end));
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    ++number;
    if (line.empty() || line.front() == '#') continue;
    const std::size_t equals = line.find('=');
    const std::string key(Trim(line.substr(0, equals)));
    std::optional<std::string>* target = key == "server"     ? &out.server
                                         : key == "login"    ? &out.login
                                         : key == "password" ? &out.password
                                         : key == "names"    ? &out.names
                                                             : nullptr;
    if (equals == std::string_view::npos || target == nullptr) {
      error =
          Printable(path) + ":" + std::to_string(number) + ": not a setting (server, login, password, names = value)";
      return std::nullopt;
    }
    *target = std::string(Trim(line.substr(equals + 1)));
  }
  return out;
}

std::vector<std::filesystem::path> ConfigCandidates() {
#ifdef _WIN32
  return {SettingsDirectory() / kConfigName};  // %APPDATA%\Orvant\page.conf
#else
  return {SettingsDirectory() / kConfigName, std::filesystem::path("/etc") / kProgramFolderName / kConfigName};
#endif
}

std::optional<ConfigValues> LoadConfig(const std::vector<std::filesystem::path>& candidates, std::string& error) {
  for (const std::filesystem::path& path : candidates) {
    const std::optional<FileText> file = ReadSmallFile(path, error);
    if (!file) return std::nullopt;
    if (file->missing) continue;
    std::optional<ConfigValues> values = ParseConfig(file->text, path.string(), error);
    if (values && values->password && file->othersMayRead) {
      error = NotPrivate(path);
      return std::nullopt;
    }
    return values;
  }
  return ConfigValues{};
}

std::optional<std::string> ReadPrivateLine(const std::filesystem::path& path, std::string& error) {
  const std::optional<FileText> file = ReadSmallFile(path, error);
  if (!file) return std::nullopt;
  if (file->missing) {
    error = "there is no file " + Printable(path.string());
    return std::nullopt;
  }
  if (file->othersMayRead) {
    error = NotPrivate(path);
    return std::nullopt;
  }
  std::string line = file->text.substr(0, file->text.find('\n'));
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

std::optional<PageSettings> ResolveSettings(const PageOptions& options, const Environment& env,
                                            const ConfigValues& config, std::string& error) {
  PageSettings out;
  const auto fromEnv = [&](const char* name) -> std::optional<std::string> {
    const char* value = env(name);
    if (value == nullptr || *value == '\0') return std::nullopt;
    return std::string(value);
  };

  const std::optional<std::string> envServer = fromEnv(kServerVariable);
  const std::optional<std::string> server = options.server ? options.server : envServer ? envServer : config.server;
  const std::string serverSource = options.server ? "--server" : envServer ? kServerVariable : config.path;
  out.server = {kServerHost, static_cast<std::uint16_t>(kServerPort)};
  if (server) {
    const auto parsed = ParseServer(*server, static_cast<std::uint16_t>(kServerPort), error);
    if (!parsed) {
      error = Printable(serverSource) + ": " + error;
      return std::nullopt;
    }
    out.server = *parsed;
  }

  const std::optional<std::string> envLogin = fromEnv(kLoginVariable);
  const std::optional<std::string> login = options.login ? options.login : envLogin ? envLogin : config.login;
  const bool loginFromConfig = !options.login && !envLogin && config.login;
  if (login) {
    const auto parsed = ParseLogin(*login, error);
    if (!parsed) {
      error = Printable(options.login ? "--login" : envLogin ? kLoginVariable : config.path) + ": " + error;
      return std::nullopt;
    }
    out.loginUser = parsed->user;
    // The config's password goes with the config's login, or with any when
    // the config names no user.
    const bool configPasswordFits = loginFromConfig || !config.login || *config.login == parsed->user;
    if (parsed->password) {
      out.password = *parsed->password;
    } else if (config.password && configPasswordFits) {
      out.password = *config.password;
    }
  }
  if (options.passwordFile) {
    if (!out.loginUser) {
      error = "--password-file needs a login user (--login, " + std::string(kLoginVariable) + " or the config file)";
      return std::nullopt;
    }
    const std::optional<std::string> password = ReadPrivateLine(*options.passwordFile, error);
    if (!password) return std::nullopt;
    out.password = *password;
  }

  if (options.namesFile || config.names) {
    std::string names = options.namesFile ? *options.namesFile : *config.names;
    out.names = {names.starts_with("~/") ? HomeDirectory() / names.substr(2) : std::filesystem::path(names)};
    out.namesGiven = true;
  } else {
    out.names = {kNamesFileName, HomeDirectory() / kNamesFileName};
  }
  return out;
}

}  // namespace snpp::cli
