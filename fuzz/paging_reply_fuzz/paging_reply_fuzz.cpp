// Drives a send with any mix of server text, ticks, button presses,
// connection events and refused writes. Whatever a server says, the send must
// keep its time limit in range, write whole single-line commands in the
// dialogue's order (PAGE, MESS or DATA and its text, SEND per recipient,
// QUIT only after the last), no line longer than a gateway reads, never page
// a cut ID, write nothing once it has asked to close, and
// take a notice only from the greeting's own line.
#include <cstddef>
#include <cstdint>
#include <string>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "directory/recipient_entry.h"
#include "fakes.h"
#include "paging/snpp_protocol.h"

using namespace snpp;
using namespace snpp::test;

namespace {

void check(bool ok) {
  if (!ok) __builtin_trap();
}

const char* const kPool[] = {"a, 1", "b, 2-2", "c", "d, 4", "long, 12345678901234", "e, 5"};

// Checks each command against the one before it on the same connection.
struct OrderedLink : FakeLink {
  const SendController* send = nullptr;
  const FakeView* view = nullptr;
  std::string last;  // verb of the last command on this connection
  std::string pagedId;

  void SetConnected(bool value) override {
    if (value) last.clear();
    FakeLink::SetConnected(value);
  }
  void SetDataOut(const std::string& text) override {
    check(open && connected && !closePending);
    for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2) {
      check(end + 2 - at <= kMaxCommandLine);  // no line a gateway would cut
    }
    if (last == "DATA" && text == DataText(send->messageText())) {  // after the go-ahead
      last = "TEXT";
      FakeLink::SetDataOut(text);
      return;
    }
    check(text.size() >= 6 && text.compare(text.size() - 2, 2, "\r\n") == 0);
    check(text.find_first_of("\r\n") == text.size() - 2);
    const std::string verb = text.substr(0, 4);
    if (verb == "PAGE") {
      // A greeting may restart the exchange anywhere; the ID is never cut.
      const std::string id = text.substr(5, text.size() - 7);
      check(!send->multiSend() || id.size() <= kMaxPagedDigits);
      check(id != "1234567890");
    } else if (verb == "MESS") {
      check(last == "PAGE");
      check(text == MessCommand(send->messageText()));
    } else if (verb == "DATA") {
      check(last == "PAGE" && !FitsMessLine(send->messageText()));
    } else if (verb == "SEND") {
      check(last == "MESS" || last == "TEXT");
    } else {
      check(verb == "QUIT" && last == "SEND");
      check(!send->multiSend() || send->sendQueue().empty());
      check(view->status == "SUCCESS");
    }
    last = verb;
    FakeLink::SetDataOut(text);
  }
};

// The notice is taken from a line's own bytes after the marker, holds no CR
// and no LF that ends the line, and never the line's last byte.
void checkNotice(std::string_view line) {
  const std::string notice = ExtractNotice(line);
  if (notice.empty()) return;
  check(line.size() > 6 && line[4] == '\x02');
  check(line.substr(5, notice.size()) == notice);
  check(5 + notice.size() < line.size());
  check(notice.find('\r') == std::string::npos);
  check(notice.size() <= 4 * 40);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  FakeView view;
  OrderedLink link;
  SendController send(view, link, "paging.test", 1);
  link.controller = &send;
  link.send = &send;
  link.view = &view;
  send.ResetSendState();
  view.message = "m\r\nQUIT";  // a message that tries to smuggle in a command
  if (data[0] & 0x40) view.message = std::string(300, 'w') + " " + std::string(300, '.') + "\r\nQUIT";
  view.pagerNumber = "5551234";
  std::vector<std::string> names;
  for (std::size_t k = 0; k < 6; ++k) {
    if (data[0] & (1u << k)) names.push_back(kPool[k]);
  }
  view.Check(names);
  std::size_t i = 1;
  while (i < size) {
    const std::uint8_t op = data[i++];
    switch (op % 10) {
      case 0: send.sendButtonClick(); break;
      case 1: send.cancelSendButtonClick(); break;
      case 2: send.Timer1Timer(); break;
      case 3: if (link.open && !link.connected) link.ConnectOk(); break;
      case 4: if (link.open) link.Drop(op, "x"); break;
      case 5: send.clientSocketError(10054, "e"); break;
      case 6: link.failWrites = !link.failWrites; break;
      default: {
        std::size_t n = i < size ? data[i++] % 64 : 0;
        if (n > size - i) n = size - i;
        const std::string text(reinterpret_cast<const char*>(data + i), n);
        i += n;
        const std::string noticeBefore = view.notice;
        bool failed = false;
        if (link.connected) {
          try {
            link.DataIn(text);
          } catch (const std::runtime_error&) {
            failed = true;
          }
        }
        if (failed) {  // a refused write ends the send at once, connection and all
          check(send.sendState() == SendState::Idle && send.timeoutCount() == 0);
          check(!link.open && view.status == "FAIL");
        }
        if (view.notice != noticeBefore) check(text.find('\x02') != std::string::npos);
        checkNotice(text);
        for (std::size_t at = 0, lf; (lf = text.find('\n', at)) != std::string::npos; at = lf + 1) {
          checkNotice(std::string_view(text).substr(at, lf + 1 - at));
        }
      }
    }
    check(send.timeoutCount() >= 0 && send.timeoutCount() <= SendController::kMultiLimitUnits);
    check(send.TickCount() >= 0 && send.TickCount() < SendController::kTicksPerUnit);
  }
  return 0;
}
