#include "dialogs/program_look.h"

#include "dialogs/button_style.h"

#include <QApplication>
#include <QFile>
#include <QFont>
#include <QFontDatabase>
#include <QStyleFactory>

namespace snpp {

void applyProgramLook(QApplication& app) {
  if (QStyle* style = QStyleFactory::create("Windows")) app.setStyle(new ButtonStyle(style));
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
