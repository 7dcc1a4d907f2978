// An entry field as a screen reader reads and sets it through MSAA, asked
// for the way a reader asks (AccessibleObjectFromWindow), under Wine.
#include <oleacc.h>

#include "entry_field_test_host.h"
#include "msaa_test_support.h"

namespace snpp::win32 {
namespace {

using FieldMsaa = FieldHost;

VARIANT Self() { return msaa_test::Child(CHILDID_SELF); }

std::wstring Value(IAccessible* acc) {
  BSTR value = nullptr;
  EXPECT_EQ(acc->get_accValue(Self(), &value), S_OK);
  return msaa_test::Take(value);
}

HRESULT SetValue(IAccessible* acc, const wchar_t* text) {
  BSTR value = SysAllocString(text);
  const HRESULT result = acc->put_accValue(Self(), value);
  SysFreeString(value);
  return result;
}

// A value set by a reader is typed: the picture and the length hold as
// for keys, and a disabled field refuses it.
TEST_F(FieldMsaa, AReaderReadsTheValueAndSetsItAsIfTyped) {
  ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
  EntryFieldWindow& f = Make(kSimpleFieldClass);
  f.SetupSimple('9', 10);
  f.SetStringValueBytes("42");
  IAccessible* acc = nullptr;
  ASSERT_EQ(AccessibleObjectFromWindow(f.Window(), OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&acc)),
            S_OK);
  VARIANT role;
  ASSERT_EQ(acc->get_accRole(Self(), &role), S_OK);
  EXPECT_EQ(role.lVal, ROLE_SYSTEM_TEXT);
  EXPECT_EQ(Value(acc), L"42");

  EXPECT_EQ(SetValue(acc, L"55a1234567890"), S_OK);
  EXPECT_EQ(Text(f.Window()), "5512345678");
  EXPECT_EQ(Value(acc), L"5512345678");
  EXPECT_EQ(SetValue(acc, L""), S_OK);
  EXPECT_EQ(Text(f.Window()), "");

  EnableWindow(f.Window(), FALSE);
  EXPECT_EQ(SetValue(acc, L"7"), E_ACCESSDENIED);
  EXPECT_EQ(Text(f.Window()), "");
  VARIANT state;
  ASSERT_EQ(acc->get_accState(Self(), &state), S_OK);
  EXPECT_TRUE(state.lVal & STATE_SYSTEM_UNAVAILABLE);
  acc->Release();
  CoUninitialize();
}

// A reader's text is converted as the keyboard's: "café" keeps é as the
// code page's byte that typing é stores, not a '?'.
TEST_F(FieldMsaa, AReaderSetsTheCharactersTypingWouldStore) {
  ASSERT_TRUE(SUCCEEDED(CoInitialize(nullptr)));
  EntryFieldWindow& typed = Make(kSimpleFieldClass);
  EntryFieldWindow& set = Make(kSimpleFieldClass, 90);
  typed.SetupSimple('X', 10);
  set.SetupSimple('X', 10);
  Type(typed.Window(), "caf\xE9");
  IAccessible* acc = nullptr;
  ASSERT_EQ(AccessibleObjectFromWindow(set.Window(), OBJID_CLIENT, __uuidof(IAccessible), reinterpret_cast<void**>(&acc)),
            S_OK);
  EXPECT_EQ(SetValue(acc, L"caf\u00E9"), S_OK);
  EXPECT_EQ(Text(set.Window()), Text(typed.Window()));
  EXPECT_EQ(Value(acc), L"caf\u00E9");
  acc->Release();
  CoUninitialize();
}

}  // namespace
}  // namespace snpp::win32
