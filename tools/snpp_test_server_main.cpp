// snpp-test-server: an accepting SNPP server on 127.0.0.1 for demo runs.
// Prints the port it listens on, then every line it receives.
#include <poll.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <optional>
#include <string>

#include "snpp_test_server.h"

namespace {

volatile std::sig_atomic_t gStop = 0;

void OnSignal(int) { gStop = 1; }

void Usage() {
  std::cerr << "usage: snpp-test-server [--port N] [--greeting TEXT]\n"
               "  --port N         TCP port on 127.0.0.1; 0 (default) picks a free one\n"
               "  --greeting TEXT  greeting line, CR LF added; \\r \\n \\\\ and \\xHH are\n"
               "                   understood, so \"220 \\x02Hello\" carries a notice\n";
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

std::optional<long> ParsePort(const char* text) {
  char* end = nullptr;
  errno = 0;
  const long value = std::strtol(text, &end, 10);
  if (errno != 0 || end == text || *end != '\0' || value < 0 || value > 65535) return std::nullopt;
  return value;
}

}  // namespace

int main(int argc, char** argv) {
  long port = 0;
  std::string greeting = "220 SNPP test server ready";
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--port" && i + 1 < argc) {
      const auto value = ParsePort(argv[++i]);
      if (!value) {
        std::cerr << "snpp-test-server: bad port: " << argv[i] << "\n";
        return 2;
      }
      port = *value;
    } else if (arg == "--greeting" && i + 1 < argc) {
      const auto value = Unescape(argv[++i]);
      if (!value) {
        std::cerr << "snpp-test-server: bad escape in greeting\n";
        return 2;
      }
      greeting = *value;
    } else {
      Usage();
      return arg == "--help" ? 0 : 2;
    }
  }

  std::signal(SIGINT, OnSignal);
  std::signal(SIGTERM, OnSignal);
  try {
    snpp::testing::SnppTestServer server(snpp::testing::AcceptingScript(), greeting + "\r\n",
                                         static_cast<std::uint16_t>(port));
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
