// Runs the GUI tests inside the program's own application object, so the
// general error display and the program's look are the real ones. Each run
// works in a fresh folder so it never touches the user's names.txt or
// settings.
#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <cstdlib>

#include "qt/app/snpp_application.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  // These tests need no display, however they are started.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir work;
  if (!work.isValid()) return 1;
  const QString config = work.filePath("config");
  QDir().mkpath(config);
  setenv("XDG_CONFIG_HOME", config.toLocal8Bit().constData(), 1);
  setenv("XDG_DATA_HOME", work.filePath("data").toLocal8Bit().constData(), 1);
  QDir::setCurrent(work.path());
  SnppApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
