#include "win32/button_mnemonics.h"

#include <cctype>
#include <string>

#include "win32/button_images.h"
#include "win32/dialog_window.h"

namespace snpp::win32 {
namespace {

// The letter after a single '&' ("&&" is a plain ampersand), 0 for none.
char Mnemonic(const std::string& caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] != '&') return caption[i + 1];
    ++i;
  }
  return 0;
}

struct Search {
  unsigned char key;
  HWND found;
};

BOOL CALLBACK Match(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<Search*>(data);
  if (!IsPushButton(window) || !IsWindowVisible(window) || !IsWindowEnabled(window)) return TRUE;
  const auto letter = static_cast<unsigned char>(Mnemonic(WindowTextBytes(window)));
  if (letter == 0 || std::tolower(letter) != std::tolower(search.key)) return TRUE;
  search.found = window;
  return FALSE;
}

}  // namespace

bool PressButtonByMnemonic(HWND root, const MSG& msg) {
  if (msg.message != WM_SYSCHAR || !root) return false;
  if (msg.hwnd != root && !IsChild(root, msg.hwnd)) return false;
  Search search{static_cast<unsigned char>(msg.wParam), nullptr};
  EnumChildWindows(root, Match, reinterpret_cast<LPARAM>(&search));
  if (!search.found) return false;
  SendMessageA(GetParent(search.found), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(search.found), BN_CLICKED),
               reinterpret_cast<LPARAM>(search.found));
  return true;
}

}  // namespace snpp::win32
