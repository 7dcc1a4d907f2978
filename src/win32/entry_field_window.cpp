#include "win32/entry_field_window.h"

#include <windowsx.h>

#include <algorithm>
#include <stdexcept>

#include "controls/entry_field_numeric.h"
#include "win32/entry_field_clipboard.h"
#include "win32/entry_field_msaa.h"
#include "win32/window_look.h"

namespace snpp::win32 {
namespace {

std::function<void()>& BeepHook() {
  static std::function<void()> hook;
  return hook;
}

void Beep() {
  if (BeepHook())
    BeepHook()();
  else
    MessageBeep(MB_OK);
}

// One character per byte of the ANSI code page.
std::u32string TextFromBytes(const std::string& bytes) {
  std::u32string text;
  text.reserve(bytes.size());
  for (char b : bytes) text += static_cast<unsigned char>(b);
  return text;
}

std::string BytesFromText(const std::u32string& text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (char32_t c : text) bytes += static_cast<char>(c <= 0xFF ? c : U'?');
  return bytes;
}

LRESULT CALLBACK FieldProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    const bool numeric = lstrcmpiA(name, kNumericFieldClass) == 0;
    SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(new EntryFieldWindow(window, numeric)));
  }
  auto* field = reinterpret_cast<EntryFieldWindow*>(GetWindowLongPtrA(window, 0));
  if (!field) return DefWindowProcA(window, message, wParam, lParam);
  const LRESULT result = field->Handle(message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrA(window, 0, 0);
    delete field;
  }
  return result;
}

bool RegisterOne(HINSTANCE instance, const char* name) {
  WNDCLASSA existing{};
  if (GetClassInfoA(instance, name, &existing)) return true;
  WNDCLASSA wc{};
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = FieldProc;
  wc.cbWndExtra = sizeof(EntryFieldWindow*);
  wc.hInstance = instance;
  wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_IBEAM));
  wc.lpszClassName = name;
  return RegisterClassA(&wc) != 0;
}

}  // namespace

bool RegisterEntryFieldClasses(HINSTANCE instance) {
  return RegisterOne(instance, kSimpleFieldClass) && RegisterOne(instance, kNumericFieldClass);
}

void SetEntryFieldBeepHook(std::function<void()> hook) { BeepHook() = std::move(hook); }

std::string AnsiBytes(std::wstring_view text) {
  const int length = static_cast<int>(text.size());
  const int n = length ? WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr) : 0;
  std::string bytes(static_cast<std::size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) WideCharToMultiByte(CP_ACP, 0, text.data(), length, bytes.data(), n, nullptr, nullptr);
  return bytes;
}

EntryFieldWindow* EntryFieldWindow::From(HWND window) {
  if (!window) return nullptr;
  char name[32] = {};
  GetClassNameA(window, name, sizeof name);
  if (lstrcmpiA(name, kSimpleFieldClass) != 0 && lstrcmpiA(name, kNumericFieldClass) != 0) return nullptr;
  return reinterpret_cast<EntryFieldWindow*>(GetWindowLongPtrA(window, 0));
}

EntryFieldWindow::EntryFieldWindow(HWND window, bool numeric) : window_(window), numeric_(numeric) {
  if (numeric)
    model_ = std::make_unique<TNumericFieldModel>(&ownController_);
  else
    model_ = std::make_unique<TEntryFieldModel>(&ownController_);
  ConnectModel();
}

EntryFieldWindow::~EntryFieldWindow() = default;

void EntryFieldWindow::ConnectModel() {
  TEntryFieldModel& m = *model_;
  m.OnBeep = [] { Beep(); };
  m.OnRepaint = [this] {
    InvalidateRect(window_, nullptr, FALSE);
    SyncCaret();
  };
  m.OnChange = [this] {
    NotifyFieldValue(window_);
    if (OnChange) OnChange();
  };
  m.ReadClipboard = [this]() -> std::optional<std::u32string> {
    auto bytes = ReadClipboardText(window_);
    if (!bytes) return std::nullopt;
    return TextFromBytes(*bytes);
  };
  m.WriteClipboard = [this](const std::u32string& text) { WriteClipboardText(window_, BytesFromText(text)); };
  m.MeasureText = [this](std::u32string_view text) { return Layout().TextWidth(text); };
}

void EntryFieldWindow::SetController(TEntryController* controller) { model_->SetController(controller); }

void EntryFieldWindow::SetupSimple(char picture, std::uint16_t maxLength) {
  model_->SetPictureChar(static_cast<unsigned char>(picture));
  model_->SetMaxLength(maxLength);
}

void EntryFieldWindow::SetupNumeric(const std::string& picture, std::int32_t lo, std::int32_t hi) {
  auto* numeric = dynamic_cast<TNumericFieldModel*>(model_.get());
  if (!numeric) return;
  numeric->SetPictureMask(TextFromBytes(picture));
  numeric->SetRangeLo(lo);
  numeric->SetRangeHi(hi);
  numeric->SetValue(numeric->InitialValue());
}

std::string EntryFieldWindow::StringValueBytes() { return BytesFromText(model_->StringValue()); }

void EntryFieldWindow::SetStringValueBytes(const std::string& value) {
  model_->SetStringValue(TextFromBytes(value));
}

TFieldLayout EntryFieldWindow::Layout() const {
  RECT r{};
  GetClientRect(window_, &r);
  const TFieldLayout::Metrics metrics{r.right, r.bottom, lineHeight_, ascent_, scale_};
  return TFieldLayout(*model_, metrics, [this](char32_t c) { return Advance(c); }, numeric_);
}

int EntryFieldWindow::Advance(char32_t c) const { return c <= 0xFF ? advances_[c] : advances_['?']; }

void EntryFieldWindow::TakeFont(HFONT font) {
  font_ = font;
  scale_ = WindowScale(window_);
  HDC dc = GetDC(window_);
  HGDIOBJ old = SelectObject(dc, DrawingFont());
  TEXTMETRICA tm{};
  GetTextMetricsA(dc, &tm);
  lineHeight_ = tm.tmHeight;
  ascent_ = tm.tmAscent;
  for (int b = 0; b < 256; ++b) {
    const char c = static_cast<char>(b);
    SIZE size{};
    GetTextExtentPoint32A(dc, &c, 1, &size);
    advances_[b] = size.cx;
  }
  SelectObject(dc, old);
  ReleaseDC(window_, dc);
}

HFONT EntryFieldWindow::DrawingFont() const { return font_ ? font_ : ProgramFont(scale_); }

// The view keeps the cursor visible in the new width.
void EntryFieldWindow::Resized() {
  model_->ViewWidth = Layout().Client().width;
  model_->UpdateView();
  SyncCaret();
  InvalidateRect(window_, nullptr, FALSE);
}

LRESULT EntryFieldWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CREATE: {
      TakeFont(nullptr);
      model_->SetEnabled(IsWindowEnabled(window_));
      const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
      if (create->lpszName && !IS_INTRESOURCE(create->lpszName) && *create->lpszName) {
        try {
          SetStringValueBytes(create->lpszName);
        } catch (const std::invalid_argument&) {
          // A number field keeps its starting value.
        }
      }
      Resized();
      return 0;
    }
    case WM_SIZE:
      Resized();
      return 0;
    case WM_GETOBJECT:
      if (const LRESULT answer = EntryFieldGetObject(window_, wParam, lParam)) return answer;
      return DefWindowProcA(window_, message, wParam, lParam);
    case WM_SETFONT: {
      // The height follows the font, as the fields have always sized
      // themselves.
      TakeFont(reinterpret_cast<HFONT>(wParam));
      RECT r{};
      GetWindowRect(window_, &r);
      SetWindowPos(window_, nullptr, 0, 0, r.right - r.left, TFieldLayout::AutoHeight(lineHeight_, scale_),
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
      Resized();
      if (LOWORD(lParam)) UpdateWindow(window_);
      return 0;
    }
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font_);
    case WM_SETTEXT:
      try {
        SetStringValueBytes(lParam ? reinterpret_cast<const char*>(lParam) : "");
        return TRUE;
      } catch (const std::invalid_argument&) {
        return FALSE;
      }
    case WM_GETTEXT: {
      if (wParam == 0) return 0;
      const std::string value = StringValueBytes();
      const std::size_t n = std::min<std::size_t>(value.size(), wParam - 1);
      auto* to = reinterpret_cast<char*>(lParam);
      std::copy_n(value.data(), n, to);
      to[n] = '\0';
      return static_cast<LRESULT>(n);
    }
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(StringValueBytes().size());
    case WM_ENABLE:
      model_->SetEnabled(wParam != 0);
      InvalidateRect(window_, nullptr, FALSE);
      return 0;
    case WM_GETDLGCODE: {
      LRESULT code = DLGC_WANTCHARS | DLGC_WANTARROWS;
      const auto* msg = reinterpret_cast<const MSG*>(lParam);
      if (msg && msg->message == WM_KEYDOWN && (msg->wParam == VK_RETURN || msg->wParam == VK_ESCAPE) &&
          WantsEnterAndEscape())
        code |= DLGC_WANTMESSAGE;
      return code;
    }
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_CHAR:
    case WM_SYSCHAR:
      return Key(message, wParam, lParam);
    case WM_LBUTTONDOWN:
      MouseDown(GET_X_LPARAM(lParam), (wParam & MK_SHIFT) != 0);
      return 0;
    case WM_MOUSEMOVE:
      if (dragging_ && (wParam & MK_LBUTTON)) model_->MouseMove(Layout().PositionAt(GET_X_LPARAM(lParam)));
      return 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      if (dragging_) {
        dragging_ = false;
        if (message == WM_LBUTTONUP) ReleaseCapture();
      }
      return 0;
    case WM_LBUTTONDBLCLK:
      model_->DoubleClick(Layout().CharIndexAt(GET_X_LPARAM(lParam)));
      return 0;
    case WM_CONTEXTMENU:
      ContextMenu(lParam);
      return 0;
    case WM_SETFOCUS:
      FocusGained(reinterpret_cast<HWND>(wParam));
      return 0;
    case WM_KILLFOCUS:
      FocusLost(reinterpret_cast<HWND>(wParam));
      return 0;
    case kReportFailure:
      ReportFailure(static_cast<std::uint16_t>(wParam), lParam != 0);
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the off-screen picture covers everything
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window_, &ps);
      Render(dc);
      EndPaint(window_, &ps);
      return 0;
    }
    case WM_PRINTCLIENT:
      Render(reinterpret_cast<HDC>(wParam));
      return 0;
    case WM_DESTROY:
      DropCaret();
      return 0;
    default:
      return DefWindowProcA(window_, message, wParam, lParam);
  }
}

}  // namespace snpp::win32
