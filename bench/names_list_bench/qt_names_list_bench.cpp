// The Linux program's main window with a large names.txt, measured as the
// Windows half measures its own: showing the window up to its first picture
// with every name loaded, then Select All and De-select All up to the
// repaint that follows.
#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "names_list_bench.h"
#include "qt/app/main_form.h"
#include "qt/app/program_windows.h"
#include "qt/controls/check_list.h"

using snpp::bench::Clock;
using snpp::bench::Ms;

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir folder;
  qputenv("HOME", folder.path().toLocal8Bit());
  qputenv("XDG_CONFIG_HOME", folder.path().toLocal8Bit());
  qputenv("XDG_DATA_HOME", folder.path().toLocal8Bit());
  QDir::setCurrent(folder.path());
  QApplication app(argc, argv);
  const int rounds = 3;
  for (int i = 1; i < argc; ++i) {
    const int names = std::atoi(argv[i]);
    snpp::bench::WriteNamesFile("names.txt", names);
    double up = 1e9, select = 1e9, deselect = 1e9;
    for (int round = 0; round < rounds; ++round) {
      auto start = Clock::now();
      auto windows = std::make_unique<snpp::qt::ProgramWindows>();
      windows->mainform->show();
      QApplication::processEvents();
      up = std::min(up, Ms(start));
      if (windows->mainform->namesListbox->ItemCount() != names) return 1;
      start = Clock::now();
      windows->mainform->checkAllButton->click();
      QApplication::processEvents();
      select = std::min(select, Ms(start));
      start = Clock::now();
      windows->mainform->uncheckAllButton->click();
      QApplication::processEvents();
      deselect = std::min(deselect, Ms(start));
      windows.reset();
    }
    snpp::bench::PrintFigures("linux", names, up, select, deselect);
  }
  return 0;
}
