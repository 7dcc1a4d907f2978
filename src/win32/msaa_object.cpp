#include "win32/msaa_object.h"

#include <string>

namespace snpp::win32 {

MsaaObject::MsaaObject(HWND window, LONG objectId) : window_(window) {
  void* standard = nullptr;
  if (SUCCEEDED(CreateStdAccessibleObject(window, objectId, __uuidof(IAccessible), &standard)))
    standard_ = static_cast<IAccessible*>(standard);
}

MsaaObject::~MsaaObject() {
  if (standard_) standard_->Release();
}

HRESULT MsaaObject::QueryInterface(REFIID riid, void** out) {
  if (!out) return E_POINTER;
  if (IsEqualIID(riid, __uuidof(IUnknown)) || IsEqualIID(riid, __uuidof(IDispatch)) || IsEqualIID(riid, __uuidof(IAccessible))) {
    *out = static_cast<IAccessible*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

ULONG MsaaObject::AddRef() { return static_cast<ULONG>(InterlockedIncrement(&references_)); }

ULONG MsaaObject::Release() {
  const LONG left = InterlockedDecrement(&references_);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT MsaaObject::GetTypeInfoCount(UINT* count) {
  if (!count) return E_POINTER;
  *count = 0;
  return S_OK;
}
HRESULT MsaaObject::GetTypeInfo(UINT, LCID, ITypeInfo**) { return E_NOTIMPL; }
HRESULT MsaaObject::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) { return E_NOTIMPL; }
HRESULT MsaaObject::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) { return E_NOTIMPL; }

#define SNPP_PASS(call) return standard_ ? standard_->call : E_NOTIMPL
HRESULT MsaaObject::get_accParent(IDispatch** parent) { SNPP_PASS(get_accParent(parent)); }
HRESULT MsaaObject::get_accChildCount(long* count) { SNPP_PASS(get_accChildCount(count)); }
HRESULT MsaaObject::get_accChild(VARIANT child, IDispatch** out) { SNPP_PASS(get_accChild(child, out)); }
HRESULT MsaaObject::get_accName(VARIANT child, BSTR* name) { SNPP_PASS(get_accName(child, name)); }
HRESULT MsaaObject::get_accValue(VARIANT child, BSTR* value) { SNPP_PASS(get_accValue(child, value)); }
HRESULT MsaaObject::get_accDescription(VARIANT child, BSTR* description) {
  SNPP_PASS(get_accDescription(child, description));
}
HRESULT MsaaObject::get_accRole(VARIANT child, VARIANT* role) { SNPP_PASS(get_accRole(child, role)); }
HRESULT MsaaObject::get_accState(VARIANT child, VARIANT* state) { SNPP_PASS(get_accState(child, state)); }
HRESULT MsaaObject::get_accHelp(VARIANT child, BSTR* help) { SNPP_PASS(get_accHelp(child, help)); }
HRESULT MsaaObject::get_accHelpTopic(BSTR* file, VARIANT child, long* topic) {
  SNPP_PASS(get_accHelpTopic(file, child, topic));
}
HRESULT MsaaObject::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
  SNPP_PASS(get_accKeyboardShortcut(child, shortcut));
}
HRESULT MsaaObject::get_accFocus(VARIANT* focus) { SNPP_PASS(get_accFocus(focus)); }
HRESULT MsaaObject::get_accSelection(VARIANT* selection) { SNPP_PASS(get_accSelection(selection)); }
HRESULT MsaaObject::get_accDefaultAction(VARIANT child, BSTR* action) {
  SNPP_PASS(get_accDefaultAction(child, action));
}
HRESULT MsaaObject::accSelect(long flags, VARIANT child) { SNPP_PASS(accSelect(flags, child)); }
HRESULT MsaaObject::accLocation(long* left, long* top, long* width, long* height, VARIANT child) {
  SNPP_PASS(accLocation(left, top, width, height, child));
}
HRESULT MsaaObject::accNavigate(long direction, VARIANT start, VARIANT* end) {
  SNPP_PASS(accNavigate(direction, start, end));
}
HRESULT MsaaObject::accHitTest(long left, long top, VARIANT* child) { SNPP_PASS(accHitTest(left, top, child)); }
HRESULT MsaaObject::accDoDefaultAction(VARIANT child) { SNPP_PASS(accDoDefaultAction(child)); }
HRESULT MsaaObject::put_accName(VARIANT, BSTR) { return E_NOTIMPL; }
HRESULT MsaaObject::put_accValue(VARIANT, BSTR) { return E_NOTIMPL; }
#undef SNPP_PASS

LRESULT AnswerGetObject(MsaaObject* object, WPARAM wParam) {
  const LRESULT result = LresultFromObject(__uuidof(IAccessible), wParam, object);
  object->Release();  // the result holds its own reference
  return result > 0 ? result : 0;
}

HRESULT MakeBstr(std::string_view bytes, BSTR* out) {
  if (!out) return E_POINTER;
  const int size = static_cast<int>(bytes.size());
  const int wide = size ? MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, nullptr, 0) : 0;
  std::wstring text(static_cast<std::size_t>(wide), L'\0');
  if (wide) MultiByteToWideChar(CP_ACP, 0, bytes.data(), size, text.data(), wide);
  return MakeBstr(text, out);
}

HRESULT MakeBstr(std::wstring_view text, BSTR* out) {
  if (!out) return E_POINTER;
  *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
  return *out ? S_OK : E_OUTOFMEMORY;
}

bool ChildId(const VARIANT& v, long* id) {
  if (v.vt == VT_EMPTY) {
    *id = CHILDID_SELF;
    return true;
  }
  if (v.vt != VT_I4) return false;
  *id = v.lVal;
  return true;
}

bool IsSelf(const VARIANT& v) {
  long id = -1;
  return ChildId(v, &id) && id == CHILDID_SELF;
}

VARIANT ChildVariant(long id) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = id;
  return v;
}

}  // namespace snpp::win32
