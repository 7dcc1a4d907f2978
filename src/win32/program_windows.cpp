#include "win32/program_windows.h"

#include <exception>
#include <string_view>

namespace snpp::win32 {

struct DialogWindows {};

ProgramWindows::ProgramWindows(HINSTANCE instance) {
  // An error a handler lets escape is shown, and the program goes on.
  loop.OnException = [](std::exception_ptr error) { net::Win32EventLoop::ShowErrorBox(std::move(error)); };
  loop.OnMessage = [this](void* message) { return DialogKeys(*static_cast<MSG*>(message)); };
  mainform = std::make_unique<Tmainform>(instance, loop);
  CreateDialogs(instance);
}

// The other windows go before the main window that owns them.
ProgramWindows::~ProgramWindows() {
  loop.OnMessage = nullptr;
  dialogs.reset();
  mainform.reset();
}

void ProgramWindows::CreateDialogs(HINSTANCE) { dialogs = std::make_unique<DialogWindows>(); }

// Tab, arrows and mnemonics in whichever modeless dialog the message is for.
bool ProgramWindows::DialogKeys(MSG& message) {
  if (message.hwnd == nullptr) return false;
  HWND root = GetAncestor(message.hwnd, GA_ROOT);
  if (root == nullptr || !IsWindowVisible(root)) return false;
  char className[16] = {};
  GetClassNameA(root, className, sizeof className);
  if (std::string_view(className) != "#32770") return false;  // not a dialog
  return IsDialogMessageA(root, &message) != FALSE;
}

int ProgramWindows::Run() {
  ShowWindow(mainform->Window(), SW_SHOWNORMAL);
  UpdateWindow(mainform->Window());
  return loop.Run();
}

}  // namespace snpp::win32
