// Writes a picture of each window into a folder, for the README and for
// checking the fixed layout by eye. Run under a real (virtual) display.
#include <QDir>
#include <QPixmap>
#include <QTimer>
#include <cstdio>

#include "app/main_form.h"
#include "app/program_windows.h"
#include "app/snpp_application.h"
#include "dialogs/about_form.h"
#include "dialogs/instructions_form.h"
#include "dialogs/trouble_form.h"

namespace {

bool save(QWidget* window, const QDir& dir, const QString& name) {
  window->show();
  window->raise();
  QApplication::processEvents();
  const QString path = dir.filePath(name + ".png");
  const bool ok = window->grab().save(path);
  std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
  window->hide();
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
    return 2;
  }
  SnppApplication app(argc, argv);
  QDir dir(QString::fromLocal8Bit(argv[1]));
  if (!dir.mkpath(".")) return 1;
  ProgramWindows windows;
  bool ok = true;
  windows.mainform->show();
  QApplication::processEvents();
  ok &= save(windows.mainform.get(), dir, "main");
  windows.mainform->show();
  ok &= save(windows.aboutform.get(), dir, "about");
  ok &= save(windows.instructionsForm.get(), dir, "instructions");
  ok &= save(windows.troubleForm.get(), dir, "trouble");
  return ok ? 0 : 1;
}
