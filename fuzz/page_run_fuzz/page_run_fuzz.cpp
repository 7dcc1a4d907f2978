// Drives a command-line run with any server text, cut into any pieces, with
// time-outs and disconnects mixed in. Whatever a server says, the run writes
// only whole lines within the limit (one a write, but for a DATA text, which
// ends with its lone "." and holds no other), nothing after it closed,
// decides each recipient at most once, and ends on the first time-out.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "cli/page_protocol.h"
#include "cli/page_report.h"
#include "cli/page_run.h"

using namespace snpp::cli;

namespace {

void check(bool ok) {
  if (!ok) __builtin_trap();
}

struct CheckedWire : PageWire {
  bool closed = false;
  void Write(const std::string& command) override {
    check(!closed && command.ends_with("\r\n"));
    const bool text = command.find("\r\n") != command.size() - 2;
    for (std::size_t at = 0; at < command.size();) {
      const std::size_t end = command.find("\r\n", at);
      const std::string line = command.substr(at, end - at);
      check(end + 2 - at <= snpp::kMaxCommandLine && line.find_first_of("\r\n") == std::string::npos);
      at = end + 2;
      check(!text || (line == ".") == (at == command.size()));
    }
  }
  void Close() override {
    check(!closed);
    closed = true;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  CheckedWire wire;
  std::vector<Recipient> recipients = {{"1", {}, "1"}, {"bob", "Bob", "22"}, {"3", {}, "3"}};
  std::optional<std::string> login;
  if (data[0] & 1) login = LoginCommand("user", "pass\r\nQUIT");
  PageRequest request{"m\r\nSEND\r\n." + std::string(data[0] & 4 ? 600 : 0, 'x'), login, {}, false};
  if (data[0] & 8) request.jobCommands = {"LEVE 3\r\n", "CALL x\r\n"};
  request.strict = (data[0] & 16) != 0;
  PageRun run(recipients, request, wire);
  std::vector<int> decided(recipients.size());
  run.OnRecipientDone = [&](const PageResult& r) {
    for (std::size_t k = 0; k < recipients.size(); ++k) {
      if (&r == &run.Results()[k]) check(++decided[k] == 1);
    }
  };
  run.Connected(data[0] & 2 ? 10061 : 0, "refused");
  for (std::size_t i = 1; i < size;) {
    const std::uint8_t op = data[i++];
    if (op == 0xFF) {
      run.TimedOut();
      check(run.Done());
    } else if (op == 0xFE || op == 0xFD) {
      run.Disconnected(op == 0xFD ? 10054 : 0, "reset");
      check(run.Done());
    } else {
      const std::size_t n = std::min<std::size_t>(op & 0x3F, size - i);
      run.DataIn(std::string(reinterpret_cast<const char*>(data + i), n), (op & 0x80) != 0);
      i += n;
    }
  }
  run.TimedOut();
  check(run.Done() && run.Results().size() == recipients.size());
  const int status = RunStatus(run.Results());
  check(status == kAllAccepted || status == kSomeRejected || status == kNoneAccepted || status == kNoConnection);
  JsonReport(run.Results(), "h:1", status, run.EndText());
  TextReport(run.Results());
  return 0;
}
