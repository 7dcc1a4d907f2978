#include "qt/app/snpp_application.h"

#include <exception>

#include "qt/app/error_display.h"
#include "qt/app/program_icon.h"
#include "qt/dialogs/program_look.h"

SnppApplication::SnppApplication(int& argc, char** argv) : QApplication(argc, argv) {
  // No display name: Qt would append it to every title bar, and each window
  // shows exactly its own caption (the name dialog's is a single blank).
  setApplicationName("SNPP Client");
  setDesktopFileName("orvant-snpp-client");  // lets the desktop match windows to the menu entry
  setWindowIcon(snpp::programIcon());
  setQuitOnLastWindowClosed(false);  // the main window's close ends the program
  snpp::applyProgramLook(*this);
}

bool SnppApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (...) {
    snpp::showGeneralError(std::current_exception());
  }
  return false;
}
