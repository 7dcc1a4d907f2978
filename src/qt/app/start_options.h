#pragma once
// The window program's command line, read before anything of Qt is made:
// --help and --version answer without a display, and a mistyped option is
// refused instead of being passed over in silence. Qt's own options
// (-platform, -display, -style, -session from the session manager, ...) are
// let through for the application object to take.

#include <string>
#include <vector>

namespace snpp::qt {

inline constexpr char kClientProgramName[] = "orvant-snpp-client";

struct StartCommand {
  enum class Action { OpenWindow, Print, Refuse };
  Action action = Action::OpenWindow;
  std::string text;  // Print: for stdout; Refuse: for stderr
  int exitStatus = 0;  // for Print and Refuse
};

// args: the arguments after the program's name.
StartCommand ReadStartCommand(const std::vector<std::string>& args);

std::string ClientHelpText();
std::string ClientVersionText();

}  // namespace snpp::qt
