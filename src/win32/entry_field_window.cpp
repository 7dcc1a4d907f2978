#include "win32/entry_field_window.h"

#include "controls/entry_field_numeric.h"
#include "controls/entry_field_text.h"

namespace snpp::win32 {
namespace {

std::function<void()>& BeepHook() {
  static std::function<void()> hook;
  return hook;
}

LRESULT CALLBACK FieldProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    char name[32] = {};
    GetClassNameA(window, name, sizeof name);
    const bool numeric = lstrcmpiA(name, kNumericFieldClass) == 0;
    auto* field = new EntryFieldWindow(window, numeric);
    SetWindowLongPtrA(window, 0, reinterpret_cast<LONG_PTR>(field));
  }
  EntryFieldWindow* field = EntryFieldWindow::From(window);
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
}

EntryFieldWindow::~EntryFieldWindow() = default;

void EntryFieldWindow::SetController(TEntryController* controller) { model_->SetController(controller); }

void EntryFieldWindow::SetupSimple(char picture, std::uint16_t maxLength) {
  model_->SetPictureChar(static_cast<unsigned char>(picture));
  model_->SetMaxLength(maxLength);
}

void EntryFieldWindow::SetupNumeric(const std::string& picture, std::int32_t lo, std::int32_t hi) {
  auto* numeric = dynamic_cast<TNumericFieldModel*>(model_.get());
  if (!numeric) return;
  numeric->SetPictureMask(std::u32string(picture.begin(), picture.end()));
  numeric->SetRangeLo(lo);
  numeric->SetRangeHi(hi);
  numeric->SetValue(numeric->InitialValue());
}

std::string EntryFieldWindow::StringValueBytes() { return {}; }

void EntryFieldWindow::SetStringValueBytes(const std::string&) {}

LRESULT EntryFieldWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window_, message, wParam, lParam);
}

}  // namespace snpp::win32
