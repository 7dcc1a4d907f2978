#include "win32/entry_field_msaa.h"

#include <string>

#include "win32/entry_field_window.h"
#include "win32/msaa_object.h"

namespace snpp::win32 {
namespace {

class EntryFieldMsaa : public MsaaObject {
 public:
  explicit EntryFieldMsaa(HWND field) : MsaaObject(field) {}

  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
    if (!role) return E_POINTER;
    VariantInit(role);
    if (!IsSelf(child)) return E_INVALIDARG;
    role->vt = VT_I4;
    role->lVal = ROLE_SYSTEM_TEXT;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
    if (!value) return E_POINTER;
    *value = nullptr;
    EntryFieldWindow* field = EntryFieldWindow::From(window_);
    if (!IsSelf(child)) return E_INVALIDARG;
    if (!field) return E_FAIL;
    return MakeBstr(field->StringValueBytes(), value);
  }

  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override {
    EntryFieldWindow* field = EntryFieldWindow::From(window_);
    if (!IsSelf(child)) return E_INVALIDARG;
    if (!field) return E_FAIL;
    TEntryFieldModel& model = field->Model();
    if (!model.Enabled()) return E_ACCESSDENIED;
    const std::string bytes = AnsiBytes(value ? std::wstring_view(value, SysStringLen(value)) : std::wstring_view());
    model.SelectAll();
    if (bytes.empty()) model.DeleteSelectionCommand();
    // One character per byte, as the keys type them.
    for (unsigned char b : bytes) model.TypeChar(b);
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
    if (!state) return E_POINTER;
    VariantInit(state);
    EntryFieldWindow* field = EntryFieldWindow::From(window_);
    if (!IsSelf(child)) return E_INVALIDARG;
    if (!field) return E_FAIL;
    long s = STATE_SYSTEM_FOCUSABLE;
    if (GetFocus() == window_) s |= STATE_SYSTEM_FOCUSED;
    if (!field->Model().Enabled()) s |= STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_READONLY;
    if (!IsWindowVisible(window_)) s |= STATE_SYSTEM_INVISIBLE;
    state->vt = VT_I4;
    state->lVal = s;
    return S_OK;
  }
};

}  // namespace

LRESULT EntryFieldGetObject(HWND field, WPARAM wParam, LPARAM lParam) {
  if (static_cast<LONG>(lParam) != OBJID_CLIENT) return 0;
  return AnswerGetObject(new EntryFieldMsaa(field), wParam);
}

void NotifyFieldValue(HWND field) { NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, field, OBJID_CLIENT, CHILDID_SELF); }

}  // namespace snpp::win32
