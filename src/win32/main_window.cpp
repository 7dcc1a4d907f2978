#include "win32/main_window.h"

#include <commctrl.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <system_error>
#include <vector>

#include "forms/accessible_names.h"
#include "forms/main_window.h"
#include "forms/message_editor.h"
#include "forms/names_save_report.h"
#include "forms/window_limits.h"
#include "net/win32_notifications.h"
#include "win32/accessible_name.h"
#include "win32/button_images.h"
#include "win32/button_mnemonics.h"
#include "win32/check_list_window.h"
#include "win32/entry_field_window.h"
#include "win32/main_window_ids.h"
#include "win32/main_window_paging.h"
#include "win32/panel_window.h"

namespace snpp::win32 {
namespace {

constexpr UINT kReportKeptCopies = WM_APP + 20;
constexpr COLORREF kNoticeColour = RGB(0, 0, 255);
constexpr COLORREF kHintColour = RGB(255, 255, 0);

// What a handler throws must not unwind through the system's dispatch; the
// message loop takes it up when the message is done and shows it.
template <class F>
void Guarded(F&& f) {
  try {
    f();
  } catch (...) {
    net::win32::HoldException(std::current_exception());
  }
}

constexpr WPARAM kCtrlA = 0x01;  // the character Ctrl+A types

// A page is one line, so Enter never starts a new one; and Esc, which a
// multi-line editor turns into closing its dialog, must not end the program.
// Ctrl+A selects the whole text, which the system's editor leaves undone.
LRESULT CALLBACK MemoKeys(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
  if (message == WM_KEYDOWN && (wParam == VK_RETURN || wParam == VK_ESCAPE)) return 0;
  if (message == WM_CHAR && (wParam == '\r' || wParam == '\n' || wParam == 0x1B)) return 0;
  if (message == WM_CHAR && wParam == kCtrlA) {
    SendMessageA(window, EM_SETSEL, 0, -1);
    return 0;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

bool IsBevel(int id) { return id == IDC_BEVEL1 || id == IDC_BEVEL2 || id == IDC_BEVEL3; }

// A reader hears what a pick button would put in the editor.
void DescribePickButtons(HWND window, const StandardMessages& messages) {
  for (int n = 1; n <= forms::kStandardMessageCount; ++n) SetAccessibleDescription(GetDlgItem(window, IDC_PICKBUTTON1 + n - 1), messages.Message(n));
}

}  // namespace

std::string PathText(const std::filesystem::path& path) { return AnsiBytes(path.wstring()); }

Tmainform::Tmainform(HINSTANCE instance, net::Win32EventLoop& loop) : instance_(instance), loop_(loop) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_BAR_CLASSES};
  InitCommonControlsEx(&controls);
  if (!RegisterPanelClass(instance) || !RegisterEntryFieldClasses(instance) || !RegisterCheckListClass(instance)) {
    throw std::runtime_error("Unable to register the window classes");
  }
  TellUser = [this](const std::string& text, bool warning) {
    MessageBoxA(window_, text.c_str(), "SNPP Client", MB_OK | (warning ? MB_ICONWARNING : MB_ICONINFORMATION));
  };
  yellow_ = CreateSolidBrush(kHintColour);
  CreatePaging();
  window_ = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_MAINFORM), nullptr, DialogProc,
                               reinterpret_cast<LPARAM>(this));
  if (window_ == nullptr) throw std::runtime_error("Unable to create the main window");
  loop_.StartTimer(std::chrono::milliseconds(forms::kSendTimerInterval), [this] { Timer1Timer(); });
}

Tmainform::~Tmainform() {
  loop_.StopTimer();
  if (window_ != nullptr) SetWindowLongPtrA(window_, DWLP_USER, 0);  // no handler runs from here on
  // An open connection is dropped, without QUIT, while the controls the
  // send reports to still exist.
  paging_.reset();
  if (window_ != nullptr) DestroyWindow(window_);
  DeleteObject(yellow_);
}

HWND Tmainform::Control(int id) const {
  if (HWND child = GetDlgItem(window_, id)) return child;
  for (HWND panel : {messagePanel_, selectingPanel_}) {
    if (HWND child = panel ? GetDlgItem(panel, id) : nullptr) return child;
  }
  return nullptr;
}

EntryFieldWindow* Tmainform::idEditField() const {
  return idField_ ? idField_ : EntryFieldWindow::From(Control(IDC_IDEDITFIELD));
}
CheckListWindow* Tmainform::namesListbox() const {
  return namesList_ ? namesList_ : CheckListWindow::From(Control(IDC_NAMESLISTBOX));
}

double Tmainform::Scale() const { return WindowScale(window_); }

bool Tmainform::TranslateDialogKeys(MSG& message) {
  if (window_ == nullptr || !IsWindowVisible(window_)) return false;
  if (message.hwnd != window_ && !IsChild(window_, message.hwnd)) return false;
  if (PressImageButtonOnEnter(message) || PressButtonByMnemonic(window_, message)) return true;
  return IsDialogMessageA(window_, &message) != FALSE;
}

INT_PTR CALLBACK Tmainform::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    SetWindowLongPtrA(window, DWLP_USER, lParam);
    reinterpret_cast<Tmainform*>(lParam)->window_ = window;
  }
  auto* self = reinterpret_cast<Tmainform*>(GetWindowLongPtrA(window, DWLP_USER));
  if (self == nullptr) return FALSE;
  LRESULT result = 0;
  if (ForwardOwnerDraw(window, message, wParam, lParam, result)) {
    SetWindowLongPtrA(window, DWLP_MSGRESULT, result);
    return TRUE;
  }
  INT_PTR handled = FALSE;
  Guarded([&] { handled = self->Handle(message, wParam, lParam); });
  return handled;
}

INT_PTR Tmainform::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      Initialise();
      return TRUE;  // the focus starts in the first control, the pager number
    case WM_COMMAND:
      return Command(LOWORD(wParam), HIWORD(wParam)) ? TRUE : FALSE;
    case WM_CTLCOLORSTATIC:
      return static_cast<INT_PTR>(
          ColourStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (DrawImageButton(&item)) return TRUE;
      if (!IsBevel(static_cast<int>(item.CtlID))) return FALSE;
      DrawScaledEdge(item.hDC, item.rcItem, BDR_SUNKENOUTER, static_cast<int>(std::lround(Scale())));
      return TRUE;
    }
    case WM_SHOWWINDOW:
      if (wParam && !shown_) {
        shown_ = true;
        FormShow();
        // Once the window is up, so that the report has a window to sit on.
        PostMessageA(window_, kReportKeptCopies, 0, 0);
      }
      return FALSE;
    case kReportKeptCopies:
      ReportKeptCopies();
      return TRUE;
    case WM_CLOSE:
      Close();
      return TRUE;
    case WM_QUERYENDSESSION:
      SaveForSessionEnd();
      SetWindowLongPtrA(window_, DWLP_MSGRESULT, TRUE);
      return TRUE;
    case WM_ENDSESSION:
      if (wParam) {
        SaveForSessionEnd();
        loop_.Quit(0);
      }
      return TRUE;
    case WM_DPICHANGED: {
      const RECT& suggested = *reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(window_, nullptr, suggested.left, suggested.top, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      Layout();
      return TRUE;
    }
    default:
      return FALSE;
  }
}

bool Tmainform::Command(int id, int code) {
  if (id == IDC_MESSAGEMEMO) {
    if (code == EN_CHANGE) messageMemoChange();
    return true;
  }
  if (id >= IDC_PICKBUTTON1 && id < IDC_PICKBUTTON1 + forms::kStandardMessageCount) {
    if (code == BN_CLICKED) pickButtonClick(id - IDC_PICKBUTTON1 + 1);
    return true;
  }
  if (code != BN_CLICKED) return false;  // also a menu command's code
  switch (id) {
    case IDM_EXIT: Exit1Click(); return true;
    case IDM_CONFIGURE: configureButtonClick(); return true;
    case IDM_ABOUT: aboutButtonClick(); return true;
    case IDC_CLEARBUTTON: clearButtonClick(); return true;
    case IDC_SENDBUTTON: sendButtonClick(); return true;
    case IDC_CANCELSENDBUTTON: cancelSendButtonClick(); return true;
    case IDC_ADDBUTTON: AddButtonClick(); return true;
    case IDC_DELETEBUTTON: deleteButtonClick(); return true;
    case IDC_EDITNAMEBUTTON: editNameButtonClick(); return true;
    case IDC_CHECKALLBUTTON: checkAllButtonClick(); return true;
    case IDC_UNCHECKALLBUTTON: uncheckAllButtonClick(); return true;
    case IDC_INSTRUCTIONSBUTTON: instructionsButtonClick(); return true;
    // Enter and Esc on a control that does not take them: the window has no
    // default button and is not closed by Esc.
    case IDOK:
    case IDCANCEL: return true;
    default: return false;
  }
}

void Tmainform::Initialise() {
  messagePanel_ = GetDlgItem(window_, IDC_MESSAGEPANEL);
  selectingPanel_ = GetDlgItem(window_, IDC_SELECTINGPANEL);
  SetPanelEdge(messagePanel_, BDR_RAISEDINNER);
  SetPanelEdge(selectingPanel_, EDGE_ETCHED);  // lowered outer, raised inner
  CreatePanelLabels();

  HWND memo = Control(IDC_MESSAGEMEMO);
  SendMessageA(memo, EM_LIMITTEXT, forms::kMessageLimit, 0);
  SetWindowSubclass(memo, MemoKeys, 1, 0);
  HWND log = Control(IDC_SENDINGMEMO);
  SendMessageA(log, EM_LIMITTEXT, 0, 0);  // a long send's log is never cut short
  SetWindowSubclass(log, MemoKeys, 1, 0);
  SetAccessibleName(log, forms::kSendLogName);
  for (int n = 1; n <= forms::kStandardMessageCount; ++n) SetAccessibleName(Control(IDC_PICKBUTTON1 + n - 1), forms::PickButtonName(n));
  SendMessageA(Control(IDC_STATUSBAR1), SB_SIMPLE, TRUE, 0);
  SetButtonImage(Control(IDC_SENDBUTTON), ButtonImage::Send);
  SetButtonImage(Control(IDC_CLEARBUTTON), ButtonImage::Clear);
  SetButtonImage(Control(IDC_CANCELSENDBUTTON), ButtonImage::Abort);

  idField_ = idEditField();
  namesList_ = namesListbox();
  if (EntryFieldWindow* field = idEditField()) {
    field->SetController(&EntryController1);
    field->SetupSimple('X', forms::kPagerNumberLimit);
  }
  if (CheckListWindow* list = namesListbox()) {
    list->SetSorted(true);
    list->SetBoxClickOnly(true);
    list->SetWantDblClicks(true);
    list->SetItemHeight(16);
    list->SetController(&EntryController1);
    list->OnClick = [this](CheckListWindow*) { Guarded([this] { namesListBoxClick(); }); };
    list->OnDblClick = [this](CheckListWindow*) { Guarded([this] { editNameButtonClick(); }); };
    list->OnStateChange = [this](CheckListWindow*, int index, TCheckBoxState, TCheckBoxState now) {
      Guarded([&] { directory_.namesListboxStateChange(index, now == cbChecked); });
    };
  }

  static_assert(IDI_PROGRAM == 1, "the windows' title bars show icon 1");
  SetProgramIcon(window_, instance_);
  Layout();
  CentreOnScreen(window_);
}

void Tmainform::CreatePanelLabels() {
  const auto label = [this](HWND panel, int id, const char* text) {
    CreateWindowExA(0, "STATIC", text, WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0, 0, 0, 0, panel,
                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
  };
  label(messagePanel_, IDC_MESSAGELABEL, "");
  label(selectingPanel_, IDC_LABEL6, " SELECT RECIPIENTS ");
  label(selectingPanel_, IDC_LABEL7, "by checking names -->");
}

// Every place and the face at the window's scale: twice the pixels on a
// 192-DPI screen, with a face drawn for that size.
void Tmainform::Layout() {
  const double scale = Scale();
  ApplyFont(window_, ProgramFont(scale));
  SetClientSize(window_, kClientWidth, kClientHeight);
  PlaceControls(window_, MainWindowPlaces());
  PlaceControls(messagePanel_, MessagePanelPlaces());
  PlaceControls(selectingPanel_, SelectingPanelPlaces());
  for (auto places : {MainWindowPlaces(), MessagePanelPlaces(), SelectingPanelPlaces()}) {
    for (const ControlPlace& place : places) {
      if (place.width == 0) snpp::win32::SizeLabelToText(Control(place.id));
    }
  }
  SetNoticeLeft(noticeLeft_);
  if (CheckListWindow* list = namesListbox()) list->SetItemHeight(16);
}

void Tmainform::SetNoticeLeft(int left) {
  noticeLeft_ = left;
  const double scale = Scale();
  SetWindowPos(Control(IDC_MESSAGELABEL), nullptr, Scaled(left, scale), Scaled(MessagePanelPlaces()[0].top, scale),
               0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT Tmainform::ColourStatic(HDC dc, HWND control) {
  switch (GetDlgCtrlID(control)) {
    case IDC_MESSAGELABEL:
      SetTextColor(dc, kNoticeColour);
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    case IDC_LABEL6:
      SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
      SetBkColor(dc, kHintColour);
      return reinterpret_cast<LRESULT>(yellow_);
    case IDC_SENDINGMEMO:
      // Read-only, yet a page of text like any other editor.
      SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
      SetBkColor(dc, GetSysColor(COLOR_WINDOW));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    default:
      return 0;
  }
}

void Tmainform::FormShow() {
  SetWindowTextA(window_, forms::kMainWindowCaption);
  standardMessages.Read();
  DescribePickButtons(window_, standardMessages);
  HWND notice = Control(IDC_MESSAGELABEL);
  SetWindowTextA(notice, "");
  snpp::win32::SizeLabelToText(notice);
  {
    // Every name of the file, then one repaint.
    CheckListWindow::UpdateScope update(namesListbox());
    directory_.Load();  // empties the list first
  }
  clearButtonClick();
  paging_->send.ResetSendState();
}

void Tmainform::Close() {
  FormClose();
  ShowWindow(window_, SW_HIDE);
  loop_.Quit(0);
}

void Tmainform::FormClose() { SaveNames(true); }

void Tmainform::SaveForSessionEnd() { SaveNames(false); }

void Tmainform::messageMemoChange() {
  HWND counter = Control(IDC_LENGTHLABEL);
  const std::string text = forms::MessageCounterText(GetWindowTextLengthA(Control(IDC_MESSAGEMEMO)));
  SetWindowTextA(counter, text.c_str());
  snpp::win32::SizeLabelToText(counter);
}

// A multi-line editor reports no change for text set from outside, so the
// counter is brought up to date here.
void Tmainform::clearButtonClick() {
  SetWindowTextA(Control(IDC_MESSAGEMEMO), "");
  messageMemoChange();
}

void Tmainform::pickButtonClick(int n) {
  const auto text = forms::PickedMessage(standardMessages, n);
  if (!text) return;
  SetWindowTextA(Control(IDC_MESSAGEMEMO), text->c_str());
  messageMemoChange();
}

void Tmainform::Exit1Click() { SendMessageA(window_, WM_CLOSE, 0, 0); }

void Tmainform::configureButtonClick() {
  if (ShowConfigForm) ShowConfigForm();
  DescribePickButtons(window_, standardMessages);
}

void Tmainform::aboutButtonClick() {
  if (ShowAboutForm) ShowAboutForm();
}

void Tmainform::instructionsButtonClick() {
  if (ShowInstructionsForm) ShowInstructionsForm();
}

void Tmainform::AddButtonClick() { directory_.AddButtonClick(); }
void Tmainform::editNameButtonClick() { directory_.editNameButtonClick(); }
void Tmainform::deleteButtonClick() { directory_.deleteButtonClick(); }
void Tmainform::namesListBoxClick() { directory_.namesListBoxClick(); }
void Tmainform::checkAllButtonClick() {
  CheckListWindow::UpdateScope update(namesListbox());
  directory_.checkAllButtonClick();
}
void Tmainform::uncheckAllButtonClick() {
  CheckListWindow::UpdateScope update(namesListbox());
  directory_.uncheckAllButtonClick();
}

// A list that could not be saved where it belongs is kept elsewhere; the
// user is told where, since losing it silently is the fault.
void Tmainform::SaveNames(bool mayShowBox) {
  std::optional<std::string> text;
  {
    // A merge with the copy on disk may change many names.
    CheckListWindow::UpdateScope update(namesListbox());
    text = saveReport_.AfterSave(directory_.Save());
  }
  if (!text) return;
  std::fprintf(stderr, "%s\n", text->c_str());
  if (mayShowBox && TellUser) TellUser(*text, true);
}

void Tmainform::ReportKeptCopies() {
  const auto text = saveReport_.KeptCopies();
  if (text && TellUser) TellUser(*text, false);
}

// The names list as the directory's commands see it.
int Tmainform::NameCount() const { return namesListbox()->ItemCount(); }
std::string Tmainform::NameItem(int index) const { return namesListbox()->ItemText(index); }
int Tmainform::NameItemIndex() const { return namesListbox()->ItemIndex(); }
void Tmainform::AddName(const std::string& entry) { namesListbox()->AddItem(entry); }
void Tmainform::DeleteName(int index) { namesListbox()->DeleteItem(index); }
void Tmainform::ClearNames() { namesListbox()->ClearItems(); }
int Tmainform::CheckedCount() const { return namesListbox()->StateCount(cbChecked); }
void Tmainform::SetNameChecked(int index, bool checked) {
  namesListbox()->SetItemState(index, checked ? cbChecked : cbUnchecked);
}
void Tmainform::SetPagerNumber(const std::string& id) { idEditField()->SetStringValueBytes(id); }
void Tmainform::SetPagerNumberEnabled(bool enabled) { EnableWindow(idEditField()->Window(), enabled); }
void Tmainform::SetSelectingHintVisible(bool visible) { ShowWindow(selectingPanel_, visible ? SW_SHOWNA : SW_HIDE); }
void Tmainform::ShowRefusedPagerId(const std::string& text) {
  SendMessageA(Control(IDC_STATUSBAR1), SB_SETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(text.c_str()));
}
bool Tmainform::AskForName(std::string& name, std::string& id) {
  return AskForNameDialog ? AskForNameDialog(name, id) : false;
}

}  // namespace snpp::win32
