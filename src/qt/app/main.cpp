#include <iostream>
#include <string>
#include <vector>

#include "qt/app/main_form.h"
#include "qt/app/program_windows.h"
#include "qt/app/session_end.h"
#include "qt/app/snpp_application.h"
#include "qt/app/start_options.h"

using namespace snpp::qt;

int main(int argc, char** argv) {
  // Before the application object, which needs a display.
  const StartCommand command = ReadStartCommand(std::vector<std::string>(argv + 1, argv + argc));
  if (command.action == StartCommand::Action::Print) {
    std::cout << command.text << std::flush;
    return std::cout ? command.exitStatus : 1;
  }
  if (command.action == StartCommand::Action::Refuse) {
    std::cerr << command.text;
    return command.exitStatus;
  }
  SnppApplication app(argc, argv);
  ProgramWindows windows;
  windows.mainform->show();
  // Once the list is loaded: a signal before that has no edits to lose.
  SessionEnd sessionEnd(*windows.mainform);
  return app.exec();
}
