#pragma once
// The far ends of the test server's tests: a blocking SNPP client that reads
// reply lines, and a program run to its end or kept running beside a test.

#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

namespace snpp::testing {

class SnppClient {
 public:
  // Connects to 127.0.0.1:port and reads the greeting.
  explicit SnppClient(std::uint16_t port);
  ~SnppClient();
  SnppClient(const SnppClient&) = delete;
  SnppClient& operator=(const SnppClient&) = delete;

  bool Connected() const { return fd_ >= 0; }
  const std::string& Greeting() const { return greeting_; }
  void Write(const std::string& bytes);
  // The next reply line without CR LF; "" on a close, "(none)" after 5 s.
  std::string Line();
  // Writes line and CR LF, gives the reply.
  std::string Say(const std::string& line);
  void Close();

 private:
  int fd_ = -1;
  std::string pending_;
  std::string greeting_;
};

struct ProgramOutcome {
  int status = -1;  // exit status; -1 when it did not start or was killed
  std::string out;
  std::string err;
};

// Runs a program to its end with `input` on its standard input, in `dir`
// when given, with `env` as its whole environment when given (else ours).
ProgramOutcome RunProgram(const std::string& path, const std::vector<std::string>& args,
                          const std::string& input = {}, const std::string& dir = {},
                          const std::vector<std::string>* env = nullptr);

// A program left running until the object goes (SIGTERM, then waited for).
class BackgroundProgram {
 public:
  BackgroundProgram(const std::string& path, const std::vector<std::string>& args);
  ~BackgroundProgram();
  BackgroundProgram(const BackgroundProgram&) = delete;
  BackgroundProgram& operator=(const BackgroundProgram&) = delete;
  bool Started() const { return pid_ > 0; }

 private:
  pid_t pid_ = -1;
};

}  // namespace snpp::testing
