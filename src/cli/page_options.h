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

struct PageOptions {
  std::vector<std::string> recipients;  // in the order given
  std::optional<std::string> message;   // absent: read standard input
  std::string namesFile = "names.txt";
  std::string host;
  std::uint16_t port = 0;
  std::optional<std::string> loginUser;
  std::string loginPassword;  // empty: LOGI carries the user alone
  std::chrono::milliseconds timeout{30000};
  bool json = false;
  bool help = false;
  bool version = false;
};

struct ParsedOptions {
  PageOptions options;
  std::string error;  // not empty: a usage error, said in one line
};

// args excludes the program name. The server defaults to the build's one.
ParsedOptions ParsePageOptions(const std::vector<std::string>& args);

std::string HelpText();
std::string VersionText();

}  // namespace snpp::cli
