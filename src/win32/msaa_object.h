#pragma once
// An accessible object (MSAA's IAccessible) for one of our own controls:
// what the system's standard object for the window's client area says
// (name from the label before it, parent, place on the screen …) unless a
// control's object says more. The control answers WM_GETOBJECT with
// AnswerGetObject.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <oleacc.h>

#include <string_view>

namespace snpp::win32 {

class MsaaObject : public IAccessible {
 public:
  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  // IDispatch: not offered; clients call IAccessible directly.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override;
  // IAccessible: each passes to the standard object here.
  HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
  HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override;
  HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** out) override;
  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
  HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
  HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
  HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
  HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
  HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, long* topic) override;
  HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
  HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override;
  HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override;
  HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
  HRESULT STDMETHODCALLTYPE accSelect(long flags, VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height, VARIANT child) override;
  HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override;
  HRESULT STDMETHODCALLTYPE accHitTest(long left, long top, VARIANT* child) override;
  HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
  HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
  HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

 protected:
  // The standard object of `objectId` (the client area, or the window with
  // its frame) answers what this one does not.
  explicit MsaaObject(HWND window, LONG objectId = OBJID_CLIENT);
  virtual ~MsaaObject();

  HWND window_;
  IAccessible* standard_ = nullptr;  // may be missing; then only our own answers

 private:
  LONG references_ = 1;
};

// The reply to WM_GETOBJECT: `object`, made for this request and handed
// over.
LRESULT AnswerGetObject(MsaaObject* object, WPARAM wParam);

// Text of ours (ANSI code page bytes) as a BSTR; S_OK, or E_OUTOFMEMORY.
HRESULT MakeBstr(std::string_view bytes, BSTR* out);
HRESULT MakeBstr(std::wstring_view text, BSTR* out);
// The child a VARIANT names: 0 for the object itself, n for child n.
// False for what is no child id.
bool ChildId(const VARIANT& v, long* id);
// Whether a VARIANT names the object itself.
bool IsSelf(const VARIANT& v);
VARIANT ChildVariant(long id);

}  // namespace snpp::win32
