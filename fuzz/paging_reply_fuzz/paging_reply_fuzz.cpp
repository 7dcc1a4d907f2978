// Drives a send with any mix of server text, ticks, button presses and
// connection events. Whatever a server says, the send must keep its time
// limit and notice in range and write only whole, single-line commands.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fakes.h"
#include "paging/snpp_protocol.h"

using namespace snpp;
using namespace snpp::test;

namespace {

void check(bool ok) {
  if (!ok) __builtin_trap();
}

// Every LF written ends a CR LF pair: no argument broke its command line.
void checkWholeLines(const std::string& written) {
  std::size_t lf = 0, crlf = 0;
  for (std::size_t k = 0; k < written.size(); ++k) {
    if (written[k] != '\n') continue;
    ++lf;
    if (k > 0 && written[k - 1] == '\r') ++crlf;
  }
  check(lf == crlf);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  SendRig rig(1);
  FakeView& view = rig.view;
  FakeLink& link = rig.link;
  SendController& send = rig.send;
  view.message = "m\r\nQUIT";  // a message that tries to smuggle in a command
  view.Check({"a, 1", "b, 2", "c"});
  std::size_t i = 0;
  while (i < size) {
    const std::uint8_t op = data[i++];
    switch (op % 8) {
      case 0: send.sendButtonClick(); break;
      case 1: send.cancelSendButtonClick(); break;
      case 2: send.Timer1Timer(); break;
      case 3: if (!link.open) link.ConnectOk(); break;
      case 4: if (link.open) link.Drop(op, "x"); break;
      case 5: send.clientSocketError(10054, "e"); break;
      default: {
        std::size_t n = i < size ? data[i++] % 64 : 0;
        if (n > size - i) n = size - i;
        const std::string text(reinterpret_cast<const char*>(data + i), n);
        i += n;
        if (link.open) link.DataIn(text);
        (void)ExtractNotice(text);
      }
    }
    check(send.timeoutCount() >= 0 && send.timeoutCount() <= SendController::kMultiLimitUnits);
    check(send.tickCount() >= 0 && send.tickCount() < SendController::kTicksPerUnit);
  }
  checkWholeLines(link.written);
  return 0;
}
