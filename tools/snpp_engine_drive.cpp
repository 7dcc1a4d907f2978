// snpp-engine-drive: the window programs' send engine without a window, for
// end-to-end runs against a real gateway. It fills the window's inputs from
// the command line, presses Send (and Cancel when told), ticks the window's
// 333 ms timer, and prints each thing the window would show, one per line:
//   log: TEXT          a line of the sending log
//   status: TEXT       the status label
//   statusbar: TEXT    the status bar
//   notice: TEXT       the server notice
//   checked: ENTRY     a name still checked when the send is over
// CR, LF and backslashes in TEXT are written as \r, \n and \\.
#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "net/line_client.h"
#include "net/poll_event_loop.h"
#include "paging/line_client_link.h"
#include "paging/paging_view.h"
#include "paging/send_controller.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

std::string Escape(const std::string& in) {
  std::string out;
  for (char c : in) {
    if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\\') {
      out += "\\\\";
    } else {
      out += c;
    }
  }
  return out;
}

void Show(const char* what, const std::string& text) { std::cout << what << ": " << Escape(text) << std::endl; }

// The window, as far as a send reads and shows it.
class PrintingView : public snpp::PagingView {
 public:
  std::string message;
  std::string pagerNumber;
  std::vector<std::string> names;  // all checked
  std::vector<bool> checked;

  std::string MessageText() const override { return message; }
  std::string PagerNumber() const override { return pagerNumber; }
  int NameCount() const override { return static_cast<int>(names.size()); }
  std::string NameItem(int i) const override { return names.at(static_cast<std::size_t>(i)); }
  bool NameChecked(int i) const override { return checked.at(static_cast<std::size_t>(i)); }

  void ClearLog() override {}
  void AppendLog(const std::string& line) override { Show("log", line); }
  void SetStatusCaption(const std::string& text) override { Show("status", text); }
  void SetStatusBarText(const std::string& text) override { Show("statusbar", text); }
  std::string NoticeCaption() const override { return notice_; }
  void SetNoticeCaption(const std::string& text) override {
    notice_ = text;
    Show("notice", text);
  }
  int NoticeLeft() const override { return noticeLeft_; }
  void SetNoticeLeft(int left) override { noticeLeft_ = left; }
  int NoticeWidth() const override { return static_cast<int>(notice_.size()) * 6; }
  int NoticePanelWidth() const override { return 529; }

 private:
  std::string notice_;
  int noticeLeft_ = 4;
};

struct Options {
  std::string host;
  std::uint16_t port = 0;
  int cancelAfterMs = -1;
  int deadlineS = 120;
};

int Usage() {
  std::cerr << "usage: snpp-engine-drive --server HOST:PORT -m MESSAGE (--pager ID | --name 'NAME, ID'...)\n"
               "                         [--cancel-after MS] [--deadline S]\n"
               "  --pager ID          the pager-number field (one recipient)\n"
               "  --name ENTRY        a checked entry of the names list; repeat for several\n"
               "  --cancel-after MS   press Cancel this long after Send\n"
               "  --deadline S        give up after S seconds (default 120): status 3\n"
               "Exit status: 0 when the send is over, 2 usage error, 3 deadline passed.\n";
  return 2;
}

bool ReadArgs(int argc, char** argv, Options& o, PrintingView& view) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (i + 1 >= argc) return false;
    const std::string value = argv[++i];
    if (arg == "--server") {
      const std::size_t colon = value.rfind(':');
      if (colon == std::string::npos) return false;
      o.host = value.substr(0, colon);
      o.port = static_cast<std::uint16_t>(std::atoi(value.c_str() + colon + 1));
    } else if (arg == "-m" || arg == "--message") {
      view.message = value;
    } else if (arg == "--pager") {
      view.pagerNumber = value;
    } else if (arg == "--name") {
      view.names.push_back(value);
      view.checked.push_back(true);
    } else if (arg == "--cancel-after") {
      o.cancelAfterMs = std::atoi(value.c_str());
    } else if (arg == "--deadline") {
      o.deadlineS = std::atoi(value.c_str());
    } else {
      return false;
    }
  }
  return !o.host.empty() && o.port != 0;
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  PrintingView view;
  if (!ReadArgs(argc, argv, o, view)) return Usage();

  snpp::net::PollEventLoop loop;
  snpp::net::TLineClient client(loop);
  snpp::LineClientLink link(client);
  snpp::SendController send(view, link, o.host, o.port);
  link.Attach(send);
  send.ResetSendState();

  // What the window's message loop does with an error a handler lets out.
  const auto press = [](const char* button, auto&& handler) {
    std::cout << "press: " << button << std::endl;
    try {
      handler();
    } catch (const std::exception& e) {
      Show("message box", e.what());
    }
  };
  const auto start = Clock::now();
  press("Send", [&] { send.sendButtonClick(); });
  bool cancelled = o.cancelAfterMs < 0;
  const auto cancelAt = start + milliseconds(std::max(o.cancelAfterMs, 0));
  auto nextTick = start + milliseconds(333);
  while (send.sendState() != snpp::SendState::Idle) {
    const auto now = Clock::now();
    if (now - start > std::chrono::seconds(o.deadlineS)) {
      Show("deadline", std::to_string(o.deadlineS) + " s passed");
      return 3;
    }
    if (!cancelled && now >= cancelAt) {
      cancelled = true;
      press("Cancel", [&] { send.cancelSendButtonClick(); });
      continue;
    }
    if (now >= nextTick) {
      nextTick += milliseconds(333);
      send.Timer1Timer();
      continue;
    }
    const auto wake = cancelled ? nextTick : std::min(nextTick, cancelAt);
    loop.RunOnce(std::chrono::duration_cast<milliseconds>(wake - now) + milliseconds(1));
  }
  for (int i = 0; i < view.NameCount(); ++i) {
    if (view.NameChecked(i)) Show("checked", view.NameItem(i));
  }
  std::cout << "idle" << std::endl;
  return 0;
}
