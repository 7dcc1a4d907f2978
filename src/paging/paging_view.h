#pragma once

#include <string>

namespace snpp {

// What the send reads from and shows in the main window. The window
// implements it with its real controls; tests with plain fields.
class PagingView {
 public:
  virtual ~PagingView() = default;

  // Inputs.
  virtual std::string MessageText() const = 0;   // messageMemo
  virtual std::string PagerNumber() const = 0;   // idEditField's StringValue, unchanged
  virtual int NameCount() const = 0;             // namesListbox items
  virtual std::string NameItem(int index) const = 0;
  virtual bool NameChecked(int index) const = 0;
  // After a send that did not page everyone, the names it did page are
  // unchecked, so that the next Send pages exactly the rest.
  virtual void UncheckName(int /*index*/) {}

  // Outputs.
  virtual void ClearLog() = 0;                               // sendingMemo
  virtual void AppendLog(const std::string& line) = 0;
  virtual void SetStatusCaption(const std::string& text) = 0;  // messageStatusLabel
  virtual void SetStatusBarText(const std::string& text) = 0;  // StatusBar1 simple text

  // The server notice (messageLabel) and the panel it scrolls in.
  virtual std::string NoticeCaption() const = 0;
  virtual void SetNoticeCaption(const std::string& text) = 0;
  virtual int NoticeLeft() const = 0;
  virtual void SetNoticeLeft(int left) = 0;
  virtual int NoticeWidth() const = 0;  // the label sizes itself to its caption
  virtual int NoticePanelWidth() const = 0;
};

}  // namespace snpp
