#include "app/snpp_application.h"

#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QStyleFactory>
#include <exception>

#include "app/error_display.h"

SnppApplication::SnppApplication(int& argc, char** argv) : QApplication(argc, argv) {
  setApplicationName("SNPP Client");
  setApplicationDisplayName("SNPP Client");
  setQuitOnLastWindowClosed(false);  // the main window's close ends the program
  snpp::applyProgramLook(*this);
}

bool SnppApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    snpp::showGeneralError(error.what());
  } catch (...) {
    snpp::showGeneralError("");
  }
  return false;
}

namespace snpp {

void applyProgramLook(QApplication& app) {
  if (QStyle* style = QStyleFactory::create("Windows")) app.setStyle(style);
  static const char* kFaceFile = "/usr/share/wine/fonts/ms_sans_serif.ttf";
  QFont font;
  int id = QFile::exists(kFaceFile) ? QFontDatabase::addApplicationFont(kFaceFile) : -1;
  QStringList families = id >= 0 ? QFontDatabase::applicationFontFamilies(id) : QStringList();
  if (!families.isEmpty()) {
    font = QFont(families.first());
    font.setPixelSize(11);
  } else {
    font = QFont("Liberation Sans");
    font.setPointSize(8);
  }
  font.setStyleStrategy(QFont::NoAntialias);
  app.setFont(font);
}

}  // namespace snpp
