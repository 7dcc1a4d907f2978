#pragma once
// A scripted window and line client for driving the send without a display
// or a network.

#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

#include "paging/paging_link.h"
#include "paging/paging_view.h"
#include "paging/send_controller.h"

namespace snpp::test {

struct FakeView : PagingView {
  std::string message;
  std::string pagerNumber;
  std::vector<std::string> names;
  std::vector<bool> checked;

  std::vector<std::string> log;
  std::string status = "NONE";
  std::string statusBar;
  std::string notice;
  int noticeLeft = 4;
  int panelWidth = 529;
  int pixelsPerChar = 6;

  void Check(std::vector<std::string> entries) {
    names = std::move(entries);
    checked.assign(names.size(), true);
  }

  std::string MessageText() const override { return message; }
  std::string PagerNumber() const override { return pagerNumber; }
  int NameCount() const override { return static_cast<int>(names.size()); }
  std::string NameItem(int i) const override { return names.at(static_cast<std::size_t>(i)); }
  bool NameChecked(int i) const override { return checked.at(static_cast<std::size_t>(i)); }
  void UncheckName(int i) override { checked.at(static_cast<std::size_t>(i)) = false; }
  void ClearLog() override { log.clear(); }
  void AppendLog(const std::string& line) override { log.push_back(line); }
  void SetStatusCaption(const std::string& text) override { status = text; }
  void SetStatusBarText(const std::string& text) override { statusBar = text; }
  std::string NoticeCaption() const override { return notice; }
  void SetNoticeCaption(const std::string& text) override { notice = text; }
  int NoticeLeft() const override { return noticeLeft; }
  void SetNoticeLeft(int left) override { noticeLeft = left; }
  int NoticeWidth() const override { return static_cast<int>(notice.size()) * pixelsPerChar; }
  int NoticePanelWidth() const override { return panelWidth; }
};

// Behaves as the line client does towards the send: a close outside a
// receive pass raises the disconnect at once, inside one it waits until the
// pass ends.
struct FakeLink : PagingLink {
  SendController* controller = nullptr;
  bool open = false;       // a socket exists (pending or connected)
  bool connected = false;  // reported established
  bool insideReceive = false;
  bool closePending = false;
  std::vector<std::string> calls;  // "port 444", "host h", "connect", "close", or the data written
  std::string written;
  bool failWrites = false;  // as a socket whose send buffer is full

  bool Connected() const override { return connected; }
  void SetConnected(bool value) override {
    calls.push_back(value ? "connect" : "close");
    if (value) {
      open = true;
      return;
    }
    if (!open) return;
    if (insideReceive) {
      closePending = true;
      return;
    }
    Drop(0, "OK");
  }
  void SetRemoteHost(const std::string& host) override { calls.push_back("host " + host); }
  void SetRemotePort(std::uint16_t port) override { calls.push_back("port " + std::to_string(port)); }
  void SetDataOut(const std::string& text) override {
    calls.push_back(text);
    if (failWrites) throw std::runtime_error("10035: [10035] Operation would block");
    written += text;
  }

  void Drop(int status, const std::string& description) {
    open = connected = false;
    closePending = false;
    controller->clientSocketDisconnected(status, description);
  }
  void ConnectOk() {
    connected = true;
    controller->clientSocketConnected(0, "OK");
  }
  // As the line client: a handler's error comes out after the pass is over.
  void DataIn(const std::string& text) {
    insideReceive = true;
    std::exception_ptr error;
    try {
      controller->clientSocketDataIn(text, true);
    } catch (...) {
      error = std::current_exception();
    }
    insideReceive = false;
    if (closePending) Drop(0, "OK");
    if (error) std::rethrow_exception(error);
  }
};

// A fresh idle send on the fakes, with a message and a pager number typed.
struct SendRig {
  FakeView view;
  FakeLink link;
  SendController send;

  explicit SendRig(std::uint16_t port) : send(view, link, "paging.test", port) {
    link.controller = &send;
    send.ResetSendState();
    view.message = "hello";
    view.pagerNumber = "5551234";
  }
};

}  // namespace snpp::test
