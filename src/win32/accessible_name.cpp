#include "win32/accessible_name.h"

#include <commctrl.h>

#include "win32/msaa_object.h"

namespace snpp::win32 {
namespace {

constexpr UINT_PTR kSubclassId = 0x5A11;
constexpr char kTextsProperty[] = "snpp.accessible.texts";  // finds the texts again

struct Texts {
  std::string name;
  std::string description;
};

class NamedMsaa : public MsaaObject {
 public:
  NamedMsaa(HWND window, LONG objectId, const Texts& texts) : MsaaObject(window, objectId), texts_(texts) {}

  HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
    if (!IsSelf(child) || texts_.name.empty()) return MsaaObject::get_accName(child, name);
    return MakeBstr(texts_.name, name);
  }
  HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override {
    if (!IsSelf(child) || texts_.description.empty()) return MsaaObject::get_accDescription(child, description);
    return MakeBstr(texts_.description, description);
  }

 private:
  Texts texts_;  // a copy: the window may change them while a reader holds this
};

LRESULT CALLBACK NamedProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  auto* texts = reinterpret_cast<Texts*>(data);
  if (message == WM_GETOBJECT) {
    const auto objectId = static_cast<LONG>(lParam);
    if (objectId == OBJID_CLIENT || objectId == OBJID_WINDOW)
      if (const LRESULT answer = AnswerGetObject(new NamedMsaa(window, objectId, *texts), wParam)) return answer;
  }
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(window, NamedProc, kSubclassId);
    RemovePropA(window, kTextsProperty);
    delete texts;
  }
  return DefSubclassProc(window, message, wParam, lParam);
}

Texts* TextsOf(HWND window) {
  if (auto* texts = static_cast<Texts*>(GetPropA(window, kTextsProperty))) return texts;
  auto* texts = new Texts;
  if (!SetWindowSubclass(window, NamedProc, kSubclassId, reinterpret_cast<DWORD_PTR>(texts))) {
    delete texts;
    return nullptr;
  }
  SetPropA(window, kTextsProperty, texts);
  return texts;
}

// One of the texts; a change is told to readers, as `event`.
void SetText(HWND window, std::string Texts::*which, std::string text, DWORD event) {
  if (!window) return;
  Texts* texts = TextsOf(window);
  if (!texts || texts->*which == text) return;
  texts->*which = std::move(text);
  NotifyWinEvent(event, window, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace

void SetAccessibleName(HWND window, std::string name) {
  SetText(window, &Texts::name, std::move(name), EVENT_OBJECT_NAMECHANGE);
}

void SetAccessibleDescription(HWND window, std::string description) {
  SetText(window, &Texts::description, std::move(description), EVENT_OBJECT_DESCRIPTIONCHANGE);
}

void AnnounceLiveText(HWND window) {
  if (window) NotifyWinEvent(EVENT_OBJECT_LIVEREGIONCHANGED, window, OBJID_CLIENT, CHILDID_SELF);
}

}  // namespace snpp::win32
