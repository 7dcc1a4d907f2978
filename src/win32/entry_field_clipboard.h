#pragma once
// The clipboard's CF_TEXT as the ANSI code page's bytes, kept exactly.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <optional>
#include <string>

namespace snpp::win32 {

// nullopt when the clipboard holds no text or cannot be opened.
std::optional<std::string> ReadClipboardText(HWND owner);
// False when the clipboard could not be opened or filled.
bool WriteClipboardText(HWND owner, const std::string& bytes);

}  // namespace snpp::win32
