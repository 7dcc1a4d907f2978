#include "qt/app/main_form.h"
#include "qt/app/program_windows.h"
#include "qt/app/session_end.h"
#include "qt/app/snpp_application.h"

int main(int argc, char** argv) {
  SnppApplication app(argc, argv);
  ProgramWindows windows;
  windows.mainform->show();
  // Once the list is loaded: a signal before that has no edits to lose.
  SessionEnd sessionEnd(*windows.mainform);
  return app.exec();
}
