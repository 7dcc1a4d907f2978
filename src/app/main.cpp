#include "app/main_form.h"
#include "app/program_windows.h"
#include "app/snpp_application.h"

int main(int argc, char** argv) {
  SnppApplication app(argc, argv);
  ProgramWindows windows;
  windows.mainform->show();
  return app.exec();
}
