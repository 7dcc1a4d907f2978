// Writes a picture of each window into a folder, for the README and for
// checking the fixed layout by eye. Runs in a scratch folder with a sample
// names list, so the user's own files are never read or written.
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <cstdlib>

#include "qt/app/main_form.h"
#include "qt/app/program_windows.h"
#include "qt/app/snpp_application.h"
#include "qt/controls/check_list.h"
#include "qt/controls/simple_field.h"
#include "qt/dialogs/about_form.h"
#include "qt/dialogs/add_name_form.h"
#include "qt/dialogs/config_form.h"
#include "qt/dialogs/instructions_form.h"
#include "qt/dialogs/trouble_form.h"

namespace {

const char kSampleNames[] =
    "Alice Jones, 555-0101\r\nBob Smith, 555 0102\r\ncarol, 5550103\r\nDan (night), 555-0104\r\n"
    "Eve, 555-0105\r\nFrank, 555-0106\r\n";

bool save(QWidget* window, const QDir& dir, const QString& name) {
  window->show();
  window->raise();
  QApplication::processEvents();
  const QString path = dir.filePath(name + ".png");
  const bool ok = window->grab().save(path);
  std::printf("%s %s\n", ok ? "wrote" : "FAILED", qPrintable(path));
  return ok;
}

void clickRow(snpp::TCheckList* list, int row, int x) {
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(x, row * 16 + 8));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s DIR\n", argv[0]);
    return 2;
  }
  const QString outArg = QString::fromLocal8Bit(argv[1]);
  QTemporaryDir scratch;
  if (!scratch.isValid()) return 1;
  setenv("XDG_CONFIG_HOME", scratch.path().toLocal8Bit().constData(), 1);
  SnppApplication app(argc, argv);
  QDir dir(QDir::current().absoluteFilePath(outArg));
  if (!dir.mkpath(".")) return 1;
  QDir::setCurrent(scratch.path());
  QFile names("names.txt");
  if (!names.open(QIODevice::WriteOnly)) return 1;
  names.write(kSampleNames);
  names.close();

  ProgramWindows windows;
  Tmainform& form = *windows.mainform;
  bool ok = true;
  form.show();
  QApplication::processEvents();
  QTest::mouseClick(form.pickButtons[1], Qt::LeftButton);
  clickRow(form.namesListbox, 1, 60);
  form.idEditField->setFocus();
  ok &= save(&form, dir, "main");

  // Overwrite mode with the caret past the end, then the list focused with
  // no current item (its focus mark on the first row). The caret and the
  // mark show only in the active window.
  form.activateWindow();
  if (!QTest::qWaitForWindowActive(&form, 2000)) std::printf("the main window did not become active\n");
  form.idEditField->setFocus();
  QTest::keyClick(form.idEditField, Qt::Key_Insert);
  QTest::keyClick(form.idEditField, Qt::Key_End);
  ok &= save(&form, dir, "main-overwrite");
  QTest::keyClick(form.idEditField, Qt::Key_Insert);
  form.namesListbox->SetItemIndex(-1);
  form.namesListbox->setFocus();
  ok &= save(&form, dir, "main-list-focus");
  clickRow(form.namesListbox, 1, 60);

  clickRow(form.namesListbox, 0, 8);
  clickRow(form.namesListbox, 2, 8);
  clickRow(form.namesListbox, 3, 60);
  form.messageStatusLabel->setText("SUCCESS");
  ok &= save(&form, dir, "main-several");

  windows.addNameForm->SetNameText("Grace");
  windows.addNameForm->SetPagerIDText("555-0107");
  ok &= save(windows.addNameForm.get(), dir, "add-name");
  windows.addNameForm->hide();
  ok &= save(windows.configForm.get(), dir, "config");
  windows.configForm->hide();
  ok &= save(windows.aboutform.get(), dir, "about");
  windows.aboutform->hide();
  ok &= save(windows.instructionsForm.get(), dir, "instructions");
  windows.instructionsForm->hide();
  ok &= save(windows.troubleForm.get(), dir, "trouble");
  return ok ? 0 : 1;
}
