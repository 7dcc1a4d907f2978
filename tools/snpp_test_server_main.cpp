// snpp-test-server: an SNPP server on 127.0.0.1 for demo and manual runs.
// Accepts every page unless told to check like a real gateway. Prints the
// port it listens on, then every line it receives; can write every page it
// delivers to a file.
#include <poll.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>

#include "snpp_test_server.h"

namespace {

volatile std::sig_atomic_t gStop = 0;

void OnSignal(int) { gStop = 1; }

void Usage() {
  std::cerr << "usage: snpp-test-server [--port N] [--greeting TEXT] [gateway options]\n"
               "  --port N            TCP port on 127.0.0.1; 0 (default) picks a free one\n"
               "  --greeting TEXT     greeting line, CR LF added; \\r \\n \\\\ and \\xHH are\n"
               "                      understood, so \"220 \\x02Hello\" carries a notice\n"
               "  --greeting-size N   pad the greeting line with dots to N bytes\n"
               "  --pages-log FILE    append each delivered page to FILE: pager ID, a tab,\n"
               "                      the text with \\ \\n \\r \\t escaped, one line each\n"
               "It answers as a gateway does: PAGE (several may come before one SEND),\n"
               "then MESS or DATA, then SEND, which delivers the text to each accepted ID.\n"
               "A real gateway's checks:\n"
               "  --require-login     530 to PAGE, MESS, DATA and SEND until LOGI\n"
               "  --reset-logs-out    RESE also ends the login\n"
               "  --check-ids         550 to an empty pager ID or one with a non-digit\n"
               "  --max-id-length N   550 to a longer pager ID (implies --check-ids)\n"
               "  --max-message N     550 \"message too long\" to a longer MESS or DATA text\n"
               "  --send-delay MS     wait MS milliseconds before answering SEND\n"
               "  --line-limit N      read at most N-1 bytes of a line, CR LF included; the\n"
               "                      rest is the next command (a deployed gateway: 512)\n"
               "Hostile:\n"
               "  --info-lines        write a 214 line before every reply, in one write. No\n"
               "                      gateway sends an unasked-for 214 line before ordinary\n"
               "                      replies; standard clients fall out of step on it\n";
}

// Turns the escapes of the command line into bytes; nullopt on a bad escape.
std::optional<std::string> Unescape(const std::string& in) {
  std::string out;
  for (std::size_t i = 0; i < in.size(); ++i) {
    if (in[i] != '\\') {
      out += in[i];
      continue;
    }
    if (++i == in.size()) return std::nullopt;
    switch (in[i]) {
      case 'r': out += '\r'; break;
      case 'n': out += '\n'; break;
      case '\\': out += '\\'; break;
      case 'x': {
        if (i + 2 >= in.size()) return std::nullopt;
        const std::string hex = in.substr(i + 1, 2);
        if (!std::isxdigit(static_cast<unsigned char>(hex[0])) ||
            !std::isxdigit(static_cast<unsigned char>(hex[1]))) {
          return std::nullopt;
        }
        out += static_cast<char>(std::strtol(hex.c_str(), nullptr, 16));
        i += 2;
        break;
      }
      default: return std::nullopt;
    }
  }
  return out;
}

// One delivered page per line, whatever its text holds.
std::string Escape(const std::string& in) {
  std::string out;
  for (char c : in) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default: out += c;
    }
  }
  return out;
}

std::optional<long> ParseNumber(const char* text, long most) {
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(text, &end, 10);
  if (errno != 0 || end == text || *end != '\0' || value < 0 || value > most) return std::nullopt;
  return value;
}

struct Options {
  long port = 0;
  std::string greeting = "220 SNPP test server ready";
  long greetingSize = 0;
  long lineLimit = 0;
  std::string pagesLog;
  snpp::testing::GatewayRules rules;
};

// Reads the numeric options; false (after a message) on a bad value.
bool ReadNumber(const std::string& arg, const char* text, Options& o) {
  const long most = arg == "--port" ? 65535 : 100'000'000;
  const auto value = ParseNumber(text, most);
  if (!value || (arg == "--line-limit" && *value == 1)) {
    std::cerr << "snpp-test-server: bad value for " << arg << ": " << text << "\n";
    return false;
  }
  if (arg == "--port") {
    o.port = *value;
  } else if (arg == "--greeting-size") {
    o.greetingSize = *value;
  } else if (arg == "--line-limit") {
    o.lineLimit = *value;
  } else if (arg == "--max-id-length") {
    o.rules.checkPagerIds = true;
    o.rules.maxPagerIdLength = static_cast<std::size_t>(*value);
  } else if (arg == "--max-message") {
    o.rules.maxMessageLength = static_cast<std::size_t>(*value);
  } else {
    o.rules.sendDelayMs = static_cast<int>(*value);
  }
  return true;
}

bool IsNumberOption(const std::string& arg) {
  return arg == "--port" || arg == "--greeting-size" || arg == "--max-id-length" ||
         arg == "--max-message" || arg == "--send-delay" || arg == "--line-limit";
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (IsNumberOption(arg) && i + 1 < argc) {
      if (!ReadNumber(arg, argv[++i], o)) return 2;
    } else if (arg == "--greeting" && i + 1 < argc) {
      const auto value = Unescape(argv[++i]);
      if (!value) {
        std::cerr << "snpp-test-server: bad escape in greeting\n";
        return 2;
      }
      o.greeting = *value;
    } else if (arg == "--pages-log" && i + 1 < argc) {
      o.pagesLog = argv[++i];
    } else if (arg == "--require-login") {
      o.rules.requireLogin = true;
    } else if (arg == "--reset-logs-out") {
      o.rules.resetLogsOut = true;
    } else if (arg == "--check-ids") {
      o.rules.checkPagerIds = true;
    } else if (arg == "--info-lines") {
      o.rules.infoBeforeReplies = true;
    } else {
      Usage();
      return arg == "--help" ? 0 : 2;
    }
  }
  std::string greeting = o.greeting;
  const auto size = static_cast<std::size_t>(o.greetingSize);
  if (greeting.size() + 2 < size) greeting.append(size - 2 - greeting.size(), '.');

  std::ofstream pages;
  if (!o.pagesLog.empty()) {
    pages.open(o.pagesLog, std::ios::app | std::ios::binary);
    if (!pages) {
      std::cerr << "snpp-test-server: cannot write " << o.pagesLog << "\n";
      return 1;
    }
  }

  std::signal(SIGINT, OnSignal);
  std::signal(SIGTERM, OnSignal);
  try {
    snpp::testing::SnppTestServer server(snpp::testing::GatewayScript(o.rules), greeting + "\r\n",
                                         static_cast<std::uint16_t>(o.port));
    server.SetLineLimit(static_cast<std::size_t>(o.lineLimit));
    if (pages.is_open()) {
      server.SetDeliveryObserver([&pages](const snpp::testing::DeliveredPage& page) {
        pages << Escape(page.pagerId) << '\t' << Escape(page.text) << '\n' << std::flush;
      });
    }
    server.SetLineObserver([](const std::string& line) {
      std::fwrite(line.data(), 1, line.size(), stdout);
      std::fputc('\n', stdout);
      std::fflush(stdout);
    });
    std::printf("listening on 127.0.0.1:%u\n", static_cast<unsigned>(server.Port()));
    std::fflush(stdout);
    while (gStop == 0) ::poll(nullptr, 0, 100);
  } catch (const std::exception& e) {
    std::cerr << "snpp-test-server: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
