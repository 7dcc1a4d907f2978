#include "qt/app/start_options.h"

#include <array>
#include <string_view>

#include "snpp/build_config.h"

namespace snpp::qt {
namespace {

// Qt's own command-line options, as QGuiApplication and QApplication take
// them: with a value (the next argument, or after '='), or alone.
constexpr std::array<std::string_view, 12> kQtOptionsWithValue = {
    "platform", "platformpluginpath", "platformtheme", "plugin", "qwindowgeometry", "qwindowicon",
    "qwindowtitle", "session", "display", "geometry", "style", "stylesheet"};
constexpr std::array<std::string_view, 6> kQtFlags = {"reverse", "widgetcount", "nograb", "dograb", "sync",
                                                      "qmljsdebugger"};

template <std::size_t N>
bool OneOf(std::string_view name, const std::array<std::string_view, N>& names) {
  for (std::string_view n : names) {
    if (n == name) return true;
  }
  return false;
}

constexpr std::string_view kUsage = " [--help | --version]\n";

StartCommand Refuse(const std::string& why) {
  return {StartCommand::Action::Refuse,
          std::string(kClientProgramName) + ": " + why + "\nusage: " + kClientProgramName + std::string(kUsage) +
              "Try '" + kClientProgramName + " --help' for more.\n",
          2};
}

}  // namespace

StartCommand ReadStartCommand(const std::vector<std::string>& args) {
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--help" || arg == "-h") return {StartCommand::Action::Print, ClientHelpText(), 0};
    if (arg == "--version" || arg == "-V") return {StartCommand::Action::Print, ClientVersionText(), 0};
    if (arg.size() < 2 || arg[0] != '-') return Refuse("unexpected argument '" + arg + "'");
    // Qt takes its options with one dash or two.
    std::string_view name = std::string_view(arg).substr(arg[1] == '-' ? 2 : 1);
    const std::size_t equals = name.find('=');
    const bool hasValue = equals != std::string_view::npos;
    if (hasValue) name = name.substr(0, equals);
    if (OneOf(name, kQtOptionsWithValue)) {
      if (!hasValue && ++i == args.size()) return Refuse("option '" + arg + "' needs a value");
    } else if (!OneOf(name, kQtFlags)) {
      return Refuse("unknown option '" + arg + "'");
    }
  }
  return {};
}

std::string ClientHelpText() {
  return std::string("usage: ") + kClientProgramName + std::string(kUsage) +
         "Opens the window for sending text pages through the paging service's\n"
         "SNPP server (" + kServerHost + ", port " + std::to_string(kServerPort) + ").\n"
         "\n"
         "  -h, --help      show this help and exit\n"
         "  -V, --version   show the version and exit\n"
         "\n"
         "Qt's own options (-platform, -display, -style and others) are taken as well.\n"
         "The names list is names.txt in the folder the program is started in; the\n"
         "standard messages are kept in $XDG_CONFIG_HOME/orvant-snpp-client/snppCl.ini\n"
         "(~/.config/orvant-snpp-client/snppCl.ini). orvant-snpp-page pages from the\n"
         "command line.\n";
}

std::string ClientVersionText() {
  return std::string(kClientProgramName) + " " + kVersionNumber + "\n";
}

}  // namespace snpp::qt
