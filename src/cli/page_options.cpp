#include "cli/page_options.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <string_view>

#include "snpp/build_config.h"

namespace snpp::cli {
namespace {

constexpr double kMaxSeconds = 86400;
constexpr int kMaxRetries = 10;
constexpr int kMaxLevel = 11;  // levels 0 to 11

bool AllDigits(std::string_view s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::optional<int> ParseCount(std::string_view s, int most) {
  if (!AllDigits(s) || s.size() > 5) return std::nullopt;
  int value = 0;
  std::from_chars(s.data(), s.data() + s.size(), value);
  if (value > most) return std::nullopt;
  return value;
}

std::optional<std::uint16_t> ParsePort(std::string_view s) {
  const auto value = ParseCount(s, 65535);
  if (!value || *value == 0) return std::nullopt;
  return static_cast<std::uint16_t>(*value);
}

std::optional<std::chrono::milliseconds> ParseSeconds(std::string_view s) {
  double seconds = 0;
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), seconds, std::chars_format::fixed);
  if (ec != std::errc() || end != s.data() + s.size() || !(seconds > 0) || seconds > kMaxSeconds) {
    return std::nullopt;
  }
  return std::chrono::milliseconds(static_cast<long long>(std::ceil(seconds * 1000)));
}

// Options that take a value, long and short names.
constexpr std::string_view kValueOptions[] = {
    "-m", "--message", "-p", "--pager", "--recipients", "--names", "--server", "--login", "--password-file",
    "--timeout", "--deadline", "--retry", "--level", "--at", "--subject", "--from"};

bool TakesValue(std::string_view name) {
  return std::find(std::begin(kValueOptions), std::end(kValueOptions), name) != std::end(kValueOptions);
}

// The state of one pass over the arguments.
class Parser {
 public:
  explicit Parser(const std::vector<std::string>& args) : args_(args) {}

  ParsedOptions Run() {
    bool optionsEnded = false;
    for (i_ = 0; i_ < args_.size() && out_.error.empty(); ++i_) {
      const std::string& arg = args_[i_];
      if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
        out_.options.recipients.push_back({arg, false});
      } else if (arg == "--") {
        optionsEnded = true;
      } else {
        Option(arg);
      }
    }
    const PageOptions& o = out_.options;
    if (!out_.error.empty() || o.help || o.version) return out_;
    if (o.recipients.empty() && !o.recipientsFile) Fail("no recipient given");
    if (o.recipientsFile == "-" && !o.message) Fail("--recipients - reads standard input, so the message needs -m");
    if (o.login && o.login->find(':') != std::string::npos && o.passwordFile) {
      Fail("give the password either in --login or in --password-file");
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
    } else if ((arg.starts_with("-m") || arg.starts_with("-p")) && arg.size() > 2) {
      name = arg.substr(0, 2);
      inlineValue = arg.substr(2);
    }
    const auto flag = [&](bool& target) {
      if (inlineValue) return Fail(name + " takes no value");
      target = true;
    };
    if (name == "--help" || name == "-h") return flag(o.help);
    if (name == "--version" || name == "-V") return flag(o.version);
    if (name == "--json") return flag(o.json);
    if (name == "--quiet" || name == "-q") return flag(o.quiet);
    if (name == "--strict") return flag(o.strict);
    if (!TakesValue(name)) return Fail("unknown option " + name);
    if (!inlineValue && i_ + 1 >= args_.size()) return Fail(name + " needs a value");
    Value(name, inlineValue ? *inlineValue : args_[++i_]);
  }

  void Value(const std::string& name, const std::string& value) {
    PageOptions& o = out_.options;
    const auto once = [&](std::optional<std::string>& target) {
      if (target) return Fail(name + " is given twice");
      if (value.empty()) return Fail(name + " needs a value");
      target = value;
    };
    if (name == "-m" || name == "--message") {
      if (o.message) return Fail("the message is given twice");
      o.message = value;
    } else if (name == "-p" || name == "--pager") {
      if (value.empty()) return Fail("-p needs a pager ID");
      o.recipients.push_back({value, true});
    } else if (name == "--recipients") {
      once(o.recipientsFile);
    } else if (name == "--names") {
      once(o.namesFile);
    } else if (name == "--server") {
      std::string error;
      if (!ParseServer(value, 1, error)) return Fail(error);
      once(o.server);
    } else if (name == "--login") {
      std::string error;
      if (!ParseLogin(value, error)) return Fail(error);
      once(o.login);
    } else if (name == "--password-file") {
      once(o.passwordFile);
    } else if (name == "--timeout" || name == "--deadline") {
      const auto seconds = ParseSeconds(value);
      if (!seconds) return Fail(name + " takes seconds above 0 and up to 86400, not '" + value + "'");
      (name == "--timeout" ? o.timeout : o.deadline.emplace()) = *seconds;
    } else if (name == "--retry") {
      const auto n = ParseCount(value, kMaxRetries);
      if (!n) return Fail("--retry takes a count from 0 to " + std::to_string(kMaxRetries) + ", not '" + value + "'");
      o.retries = *n;
    } else if (name == "--level") {
      const auto n = ParseCount(value, kMaxLevel);
      if (!n) return Fail("--level takes a service level from 0 to 11, not '" + value + "'");
      o.level = *n;
    } else if (name == "--at") {
      once(o.at);
    } else if (name == "--subject") {
      once(o.subject);
    } else if (name == "--from") {
      once(o.from);
    }
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

bool WantsJson(const std::vector<std::string>& args) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--") return false;
    if (args[i] == "--json") return true;
    if (TakesValue(args[i])) ++i;  // a value that happens to read "--json"
  }
  return false;
}

std::optional<ServerAddress> ParseServer(const std::string& value, std::uint16_t defaultPort, std::string& error) {
  ServerAddress out{value, defaultPort};
  std::string_view rest;
  bool hasPort = false;
  if (value.starts_with('[')) {
    const std::size_t close = value.find(']');
    if (close == std::string::npos) {
      error = "a '[' without ']' in the server '" + value + "'";
      return std::nullopt;
    }
    out.host = value.substr(1, close - 1);
    rest = std::string_view(value).substr(close + 1);
    hasPort = rest.starts_with(':');
    if (!rest.empty() && !hasPort) {
      error = "bad server '" + value + "'";
      return std::nullopt;
    }
    if (hasPort) rest.remove_prefix(1);
  } else if (std::count(value.begin(), value.end(), ':') == 1) {
    // More than one colon is an IPv6 address without a port.
    const std::size_t colon = value.find(':');
    out.host = value.substr(0, colon);
    rest = std::string_view(value).substr(colon + 1);
    hasPort = true;
  }
  if (hasPort) {
    const auto port = ParsePort(rest);
    if (!port) {
      error = "bad port in the server '" + value + "'";
      return std::nullopt;
    }
    out.port = *port;
  }
  if (out.host.empty()) {
    error = "the server '" + value + "' has no host name";
    return std::nullopt;
  }
  return out;
}

std::optional<LoginValue> ParseLogin(const std::string& value, std::string& error) {
  const std::size_t colon = value.find(':');
  LoginValue out{value.substr(0, colon), std::nullopt};
  if (out.user.empty()) {
    error = "the login needs a user name";
    return std::nullopt;
  }
  // The user is one word of the LOGI line; the password is the rest of it.
  if (out.user.find_first_of(" \t\r\n") != std::string::npos) {
    error = "the login user may not hold blanks";
    return std::nullopt;
  }
  if (colon != std::string::npos) out.password = value.substr(colon + 1);
  return out;
}

std::string VersionText() {
  return std::string(kProgramName) + " " + kVersionNumber + "\n";
}

std::string HelpText() {
  return std::string("usage: ") + kProgramName + " [options] RECIPIENT...\n" +
         "Pages each RECIPIENT over one SNPP connection: every PAGE first, then one\n"
         "message and one SEND for all that the server accepted.\n"
         "A RECIPIENT of digits (dashes allowed) is a pager ID; anything else is a name\n"
         "from the names list, matched without regard to case; a prefix that fits one\n"
         "name is enough.\n"
         "\n"
         "  -m, --message TEXT      the message; without it, standard input is read\n"
         "  -p, --pager ID          page ID exactly as given (aliases, letters); repeatable\n"
         "      --recipients FILE   more recipients, one a line ('-': standard input)\n"
         "      --names FILE        the names list (default: see the manual)\n"
         "      --server HOST[:PORT]  the SNPP server (default: " +
         kServerHost + ":" + std::to_string(kServerPort) +
         ")\n"
         "      --login USER[:PASSWORD]  log in with LOGI first\n"
         "      --password-file FILE  the login's password, from a file only you can read\n"
         "      --level N           service level 0-11 (LEVE)\n"
         "      --at TIME           deliver at TIME: YYYY-MM-DD HH:MM or HH:MM (HOLD)\n"
         "      --subject TEXT      the message's subject (SUBJ)\n"
         "      --from TEXT         who the page is from (CALL)\n"
         "      --strict            page no one if the server refuses one of these four\n"
         "      --timeout SECONDS   longest wait for each reply (default: 30)\n"
         "      --deadline SECONDS  longest time for the whole run\n"
         "      --retry N           try a failed connection N more times (never a page\n"
         "                          that may have gone out)\n"
         "  -q, --quiet             print only the recipients not accepted\n"
         "      --json              print the results (and usage errors) as JSON\n"
         "  -h, --help              show this help\n"
         "  -V, --version           show the version\n"
         "\n"
         "ORVANT_SNPP_SERVER and ORVANT_SNPP_LOGIN in the environment, then the file\n"
         "~/.config/orvant-snpp-client/page.conf or /etc/orvant-snpp-client/page.conf,\n"
         "give what the command line does not.\n"
         "\n"
         "One line per recipient on standard output: accepted, rejected (with the\n"
         "server's reply), unconfirmed or not attempted, with the reason.\n"
         "Exit status: 0 all accepted, 1 some rejected, 2 none accepted, 3 usage error,\n"
         "4 no connection, time-out or connection lost before every recipient was done.\n";
}

}  // namespace snpp::cli
