#include "cli/page_options.h"

#include <charconv>
#include <cmath>
#include <string_view>

#include "snpp/build_config.h"

namespace snpp::cli {
namespace {

constexpr double kMaxTimeoutSeconds = 86400;

bool AllDigits(std::string_view s) {
  if (s.empty()) return false;
  for (const char c : s) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

std::optional<std::uint16_t> ParsePort(std::string_view s) {
  if (!AllDigits(s) || s.size() > 5) return std::nullopt;
  unsigned value = 0;
  std::from_chars(s.data(), s.data() + s.size(), value);
  if (value == 0 || value > 65535) return std::nullopt;
  return static_cast<std::uint16_t>(value);
}

std::optional<std::chrono::milliseconds> ParseTimeout(std::string_view s) {
  double seconds = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), seconds, std::chars_format::fixed);
  if (ec != std::errc() || end != s.data() + s.size() || !(seconds > 0) || seconds > kMaxTimeoutSeconds) {
    return std::nullopt;
  }
  return std::chrono::milliseconds(static_cast<long long>(std::ceil(seconds * 1000)));
}

// The state of one pass over the arguments.
class Parser {
 public:
  explicit Parser(const std::vector<std::string>& args) : args_(args) {
    out_.options.host = kServerHost;
    out_.options.port = static_cast<std::uint16_t>(kServerPort);
  }

  ParsedOptions Run() {
    bool optionsEnded = false;
    for (i_ = 0; i_ < args_.size() && out_.error.empty(); ++i_) {
      const std::string& arg = args_[i_];
      if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
        out_.options.recipients.push_back(arg);
      } else if (arg == "--") {
        optionsEnded = true;
      } else {
        Option(arg);
      }
    }
    if (out_.error.empty() && !out_.options.help && !out_.options.version &&
        out_.options.recipients.empty()) {
      out_.error = "no recipient given";
    }
    return out_;
  }

 private:
  void Option(const std::string& arg) {
    PageOptions& o = out_.options;
    std::string name = arg;
    std::optional<std::string> inlineValue;
    if (arg.starts_with("--") && arg.find('=') != std::string::npos) {
      name = arg.substr(0, arg.find('='));
      inlineValue = arg.substr(arg.find('=') + 1);
    } else if (arg.starts_with("-m") && arg.size() > 2) {
      name = "-m";
      inlineValue = arg.substr(2);
    }
    const auto flag = [&](bool& target) {
      if (inlineValue) return Fail(name + " takes no value");
      target = true;
    };
    if (name == "--help" || name == "-h") return flag(o.help);
    if (name == "--version" || name == "-V") return flag(o.version);
    if (name == "--json") return flag(o.json);

    if (name != "-m" && name != "--message" && name != "--names" && name != "--server" &&
        name != "--login" && name != "--timeout") {
      return Fail("unknown option " + name);
    }
    if (!inlineValue && i_ + 1 >= args_.size()) return Fail(name + " needs a value");
    const std::string value = inlineValue ? *inlineValue : args_[++i_];

    if (name == "-m" || name == "--message") {
      if (o.message) return Fail("the message is given twice");
      o.message = value;
    } else if (name == "--names") {
      if (value.empty()) return Fail("--names needs a file name");
      o.namesFile = value;
    } else if (name == "--server") {
      Server(value);
    } else if (name == "--login") {
      Login(value);
    } else {
      const auto timeout = ParseTimeout(value);
      if (!timeout) return Fail("--timeout takes seconds above 0 and up to 86400, not '" + value + "'");
      o.timeout = *timeout;
    }
  }

  void Server(const std::string& value) {
    std::string host = value;
    const std::size_t colon = value.rfind(':');
    if (colon != std::string::npos) {
      const auto port = ParsePort(std::string_view(value).substr(colon + 1));
      if (!port) return Fail("bad port in --server '" + value + "'");
      out_.options.port = *port;
      host = value.substr(0, colon);
    }
    if (host.empty()) return Fail("--server needs a host name");
    out_.options.host = host;
  }

  void Login(const std::string& value) {
    const std::size_t colon = value.find(':');
    const std::string user = value.substr(0, colon);
    if (user.empty()) return Fail("--login needs a user name");
    // The user is one word of the LOGI line; the password is the rest of it.
    if (user.find_first_of(" \t\r\n") != std::string::npos) return Fail("the login user may not hold blanks");
    out_.options.loginUser = user;
    out_.options.loginPassword = colon == std::string::npos ? std::string() : value.substr(colon + 1);
  }

  void Fail(std::string text) {
    if (out_.error.empty()) out_.error = std::move(text);
  }

  const std::vector<std::string>& args_;
  std::size_t i_ = 0;
  ParsedOptions out_;
};

}  // namespace

ParsedOptions ParsePageOptions(const std::vector<std::string>& args) { return Parser(args).Run(); }

std::string VersionText() {
  // The About box's version text, "Version: 2.05", gives the number.
  std::string_view about = kVersionText;
  return std::string(kProgramName) + " " + std::string(about.substr(about.rfind(' ') + 1)) + "\n";
}

std::string HelpText() {
  return std::string("usage: ") + kProgramName + " [options] RECIPIENT...\n" +
         "Pages each RECIPIENT over one SNPP connection: PAGE, MESS and SEND per recipient.\n"
         "A RECIPIENT is a pager ID (digits) or a name from the names list, matched\n"
         "without regard to case; a prefix that fits one name is enough.\n"
         "\n"
         "  -m, --message TEXT      the message; without it, standard input is read\n"
         "      --names FILE        the names list (default: names.txt here)\n"
         "      --server HOST[:PORT]  the SNPP server (default: " +
         kServerHost + ":" + std::to_string(kServerPort) +
         ")\n"
         "      --login USER[:PASSWORD]  log in with LOGI first\n"
         "      --timeout SECONDS   longest wait for each reply (default: 30)\n"
         "      --json              print the results as JSON\n"
         "  -h, --help              show this help\n"
         "  -V, --version           show the version\n"
         "\n"
         "One line per recipient on standard output: accepted, rejected (with the\n"
         "server's reply), unconfirmed or not attempted.\n"
         "Exit status: 0 all accepted, 1 some rejected, 2 none accepted, 3 usage error,\n"
         "4 no connection, time-out or connection lost before every recipient was done.\n";
}

}  // namespace snpp::cli
