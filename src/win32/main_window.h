#pragma once
// The main window: pager number, message, Send and Cancel with the status,
// the names list with its buttons, the log, the status bar and the server
// notice. A modeless dialog made from the resource script's template; its
// handlers forward to the shared send controller and recipient directory.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <span>
#include <string>

#include "controls/entry_controller.h"
#include "directory/names_file.h"
#include "directory/recipient_directory.h"
#include "directory/standard_messages.h"
#include "forms/names_save_report.h"
#include "net/win32_event_loop.h"
#include "paging/paging_server.h"
#include "win32/window_look.h"

namespace snpp::win32 {

class EntryFieldWindow;
class CheckListWindow;

// A path as the ANSI code page's bytes, as the program shows paths.
std::string PathText(const std::filesystem::path& path);

using snpp::SetPagingServerForTesting;

// Every control's place in the client area, in pixels of a 100 % screen:
// the window's own children, then the children of the two panels.
std::span<const ControlPlace> MainWindowPlaces();
std::span<const ControlPlace> MessagePanelPlaces();
std::span<const ControlPlace> SelectingPanelPlaces();
// The focus order of the controls that take it.
std::span<const int> MainWindowTabOrder();

class Tmainform : private DirectoryView {
 public:
  static constexpr int kClientWidth = 529;
  static constexpr int kClientHeight = 360;

  // Creates the window hidden; the send's line client runs on `loop`, whose
  // Run is the program's message loop.
  Tmainform(HINSTANCE instance, net::Win32EventLoop& loop);
  ~Tmainform() override;
  Tmainform(const Tmainform&) = delete;
  Tmainform& operator=(const Tmainform&) = delete;

  HWND Window() const { return window_; }
  HWND Control(int id) const;  // also finds the panels' labels
  EntryFieldWindow* idEditField() const;
  CheckListWindow* namesListbox() const;

  // The other windows, made after this one; until set, the commands do
  // nothing (AskForName answers Cancel).
  std::function<void()> ShowConfigForm;        // modal
  std::function<void()> ShowAboutForm;         // modal
  std::function<void()> ShowInstructionsForm;  // modeless
  std::function<bool(std::string& name, std::string& id)> AskForNameDialog;
  // Tells the user where a names list went that could not be saved (a
  // warning) or was kept in an earlier run; a message box unless replaced.
  std::function<void(const std::string& text, bool warning)> TellUser;

  // Hands dialog keys (Tab, arrows, mnemonics) of the message to the
  // window; true when they were handled there.
  bool TranslateDialogKeys(MSG& message);

  // Handlers.
  void FormShow();
  void FormClose();
  void messageMemoChange();
  void clearButtonClick();
  void Exit1Click();
  void configureButtonClick();
  void aboutButtonClick();
  void instructionsButtonClick();
  void Timer1Timer();
  void pickButtonClick(int n);
  void AddButtonClick();
  void editNameButtonClick();
  void deleteButtonClick();
  void namesListBoxClick();
  void checkAllButtonClick();
  void uncheckAllButtonClick();
  void sendButtonClick();
  void cancelSendButtonClick();

  // The desktop session ends: the list is saved without a message box,
  // which would hold the session up; the next start reports a kept copy.
  void SaveForSessionEnd();

  snpp::TEntryController EntryController1;
  snpp::StandardMessages standardMessages;
  snpp::NamesFile namesFile;

 private:
  static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Handle(UINT message, WPARAM wParam, LPARAM lParam);
  bool Command(int id, int code);
  void Initialise();
  void CreatePaging();
  void SetNoticeLeft(int left);
  void CreatePanelLabels();
  void Layout();
  LRESULT ColourStatic(HDC dc, HWND control);
  void Close();
  void SaveNames(bool mayShowBox);
  void ReportKeptCopies();
  double Scale() const;

  // DirectoryView: the names list as the directory's commands see it.
  int NameCount() const override;
  std::string NameItem(int index) const override;
  int NameItemIndex() const override;
  void AddName(const std::string& entry) override;
  void DeleteName(int index) override;
  void ClearNames() override;
  int CheckedCount() const override;
  void SetNameChecked(int index, bool checked) override;
  void SetPagerNumber(const std::string& id) override;
  void SetPagerNumberEnabled(bool enabled) override;
  void SetSelectingHintVisible(bool visible) override;
  void ShowRefusedPagerId(const std::string& text) override;
  bool AskForName(std::string& name, std::string& id) override;

  // The send's side: line client, link, the view over the controls and
  // the controller (main_window_paging.cpp).
  struct Paging;
  friend class MainWindowPagingView;
  friend struct Paging;

  HINSTANCE instance_;
  net::Win32EventLoop& loop_;
  HWND window_ = nullptr;
  HWND messagePanel_ = nullptr;
  HWND selectingPanel_ = nullptr;
  // Found once: Select All on 100,000 names asks for them at every name.
  CheckListWindow* namesList_ = nullptr;
  EntryFieldWindow* idField_ = nullptr;
  int noticeLeft_ = 4;  // layout pixels; the label's place is this, scaled
  std::unique_ptr<Paging> paging_;
  snpp::RecipientDirectory directory_{*this, namesFile};
  forms::NamesSaveReport saveReport_{namesFile, PathText};
  HBRUSH yellow_ = nullptr;
  bool shown_ = false;
  bool saved_ = false;
};

}  // namespace snpp::win32
