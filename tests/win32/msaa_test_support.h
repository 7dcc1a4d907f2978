#pragma once
// What a screen reader reads of a window through MSAA, asked the way a
// reader asks (AccessibleObjectFromWindow).
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <oleacc.h>

#include <string>

namespace msaa_test {

enum class Read { Name, Description };

inline std::wstring AccessibleText(HWND window, Read what, LONG objectId = OBJID_CLIENT) {
  const HRESULT com = CoInitialize(nullptr);
  std::wstring text = L"<no object>";
  IAccessible* acc = nullptr;
  if (AccessibleObjectFromWindow(window, objectId, __uuidof(IAccessible), reinterpret_cast<void**>(&acc)) == S_OK) {
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR s = nullptr;
    const HRESULT got = what == Read::Name ? acc->get_accName(self, &s) : acc->get_accDescription(self, &s);
    text = SUCCEEDED(got) && s ? std::wstring(s, SysStringLen(s)) : L"<none>";
    SysFreeString(s);
    acc->Release();
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return text;
}

}  // namespace msaa_test
