#pragma once
// What a screen reader reads of a window through MSAA, asked the way a
// reader asks (AccessibleObjectFromWindow).
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <oleacc.h>

#include <string>

namespace msaa_test {

// Child `id` of an object (CHILDID_SELF for the object itself).
inline VARIANT Child(long id) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = id;
  return v;
}

// A text an object handed over, freed; "<none>" for none.
inline std::wstring Take(BSTR s) {
  std::wstring text = s ? std::wstring(s, SysStringLen(s)) : L"<none>";
  SysFreeString(s);
  return text;
}

enum class Read { Name, Description };

inline std::wstring AccessibleText(HWND window, Read what, LONG objectId = OBJID_CLIENT) {
  const HRESULT com = CoInitialize(nullptr);
  std::wstring text = L"<no object>";
  IAccessible* acc = nullptr;
  if (AccessibleObjectFromWindow(window, objectId, __uuidof(IAccessible), reinterpret_cast<void**>(&acc)) == S_OK) {
    BSTR s = nullptr;
    const VARIANT self = Child(CHILDID_SELF);
    const HRESULT got = what == Read::Name ? acc->get_accName(self, &s) : acc->get_accDescription(self, &s);
    const std::wstring read = Take(s);
    text = SUCCEEDED(got) ? read : L"<none>";
    acc->Release();
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return text;
}

}  // namespace msaa_test
