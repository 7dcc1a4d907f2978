#pragma once
// The command line of orvant-snpp-page, read into plain values. Nothing here
// touches files, the terminal or the network.

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace snpp::cli {

inline constexpr char kProgramName[] = "orvant-snpp-page";

struct RecipientArg {
  std::string text;
  bool exactId = false;  // -p: paged as given, never looked up
  bool operator==(const RecipientArg&) const = default;
};

struct PageOptions {
  std::vector<RecipientArg> recipients;       // in the order given
  std::optional<std::string> recipientsFile;  // "-": standard input
  std::optional<std::string> message;         // absent: read standard input
  std::optional<std::string> namesFile;
  std::optional<std::string> server;          // HOST[:PORT] as given
  std::optional<std::string> login;           // USER[:PASSWORD] as given
  std::optional<std::string> passwordFile;
  std::chrono::milliseconds timeout{30000};
  std::optional<std::chrono::milliseconds> deadline;
  int retries = 0;
  std::optional<int> level;
  std::optional<std::string> at;
  std::optional<std::string> subject;
  std::optional<std::string> from;
  bool strict = false;
  bool quiet = false;
  bool json = false;
  bool help = false;
  bool version = false;
};

struct ParsedOptions {
  PageOptions options;
  std::string error;  // not empty: a usage error, said in one line
};

// args excludes the program name.
ParsedOptions ParsePageOptions(const std::vector<std::string>& args);

// Whether the arguments ask for JSON, so that even a usage error found
// before --json is read is reported as JSON.
bool WantsJson(const std::vector<std::string>& args);

struct ServerAddress {
  std::string host;
  std::uint16_t port = 0;
};

// "HOST", "HOST:PORT", "[V6ADDR]" or "[V6ADDR]:PORT"; the port defaults to
// defaultPort. The error names `source`.
std::optional<ServerAddress> ParseServer(const std::string& value, std::uint16_t defaultPort, std::string& error);

struct LoginValue {
  std::string user;
  std::optional<std::string> password;
};

// "USER" or "USER:PASSWORD".
std::optional<LoginValue> ParseLogin(const std::string& value, std::string& error);

std::string HelpText();
std::string VersionText();

}  // namespace snpp::cli
