#include "win32/entry_field_clipboard.h"

#include <cstring>

namespace snpp::win32 {
namespace {

// Another program may hold the clipboard for a moment.
bool Open(HWND owner) {
  for (int attempt = 0; attempt < 5; ++attempt) {
    if (OpenClipboard(owner)) return true;
    Sleep(10);
  }
  return false;
}

}  // namespace

std::optional<std::string> ReadClipboardText(HWND owner) {
  if (!IsClipboardFormatAvailable(CF_TEXT) || !Open(owner)) return std::nullopt;
  std::optional<std::string> text;
  if (HANDLE data = GetClipboardData(CF_TEXT)) {
    if (const auto* bytes = static_cast<const char*>(GlobalLock(data))) {
      // The block may be larger than its text; the text ends at its NUL.
      const SIZE_T size = GlobalSize(data);
      const void* end = std::memchr(bytes, 0, size);
      text.emplace(bytes, end ? static_cast<const char*>(end) - bytes : size);
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

bool WriteClipboardText(HWND owner, const std::string& bytes) {
  HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, bytes.size() + 1);
  if (!block) return false;
  if (auto* to = static_cast<char*>(GlobalLock(block))) {
    std::memcpy(to, bytes.c_str(), bytes.size() + 1);
    GlobalUnlock(block);
  }
  if (!Open(owner)) {
    GlobalFree(block);
    return false;
  }
  EmptyClipboard();
  const bool placed = SetClipboardData(CF_TEXT, block) != nullptr;
  CloseClipboard();
  if (!placed) GlobalFree(block);
  return placed;
}

}  // namespace snpp::win32
