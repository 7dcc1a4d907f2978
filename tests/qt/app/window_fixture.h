#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

#include "qt/app/main_form.h"
#include "qt/app/program_windows.h"
#include "qt/controls/check_list.h"

using namespace snpp::qt;

// A fresh working folder and settings folder for each test, and the
// program's windows created in them, so files start and end as the test
// says and the user's own files are never touched.
class WindowTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    previous_ = QDir::currentPath();
    QDir::setCurrent(dir_.path());
    QDir().mkpath(configDir());
    setenv("XDG_CONFIG_HOME", configDir().toLocal8Bit().constData(), 1);
    setenv("XDG_DATA_HOME", dataDir().toLocal8Bit().constData(), 1);
  }
  void TearDown() override {
    windows_.reset();
    QDir::setCurrent(previous_);
  }

  QString configDir() const { return dir_.filePath("config"); }
  QString dataDir() const { return dir_.filePath("data"); }
  QString namesPath() const { return dir_.filePath("names.txt"); }
  QString iniPath() const { return dir_.filePath("config/orvant-snpp-client/snppCl.ini"); }
  QString oldIniPath() const { return dir_.filePath("config/snppCl.ini"); }  // up to 2.05-1

  static void writeFile(const QString& path, const std::string& bytes) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes.data(), static_cast<qint64>(bytes.size()));
  }
  static std::string readFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) return "<missing>";
    const QByteArray data = f.readAll();
    return std::string(data.constData(), static_cast<std::size_t>(data.size()));
  }

  // Starts the program: windows created, main window shown.
  void start() {
    windows_ = std::make_unique<ProgramWindows>();
    form().show();
    QApplication::processEvents();
  }
  // Closes the main window the way the user does, then drops the windows.
  void closeProgram() {
    form().close();
    QApplication::processEvents();
    windows_.reset();
  }

  Tmainform& form() { return *windows_->mainform; }
  ProgramWindows& windows() { return *windows_; }
  snpp::qt::TCheckList& list() { return *form().namesListbox; }

  // Row i of the names list, at x within the row (box zone is x <= 16).
  void clickRow(int row, int x) {
    QTest::mouseClick(list().viewport(), Qt::LeftButton, {}, QPoint(x, row * 16 + 8));
  }
  void clickBox(int row) { clickRow(row, 8); }
  void clickText(int row) { clickRow(row, 60); }

  // Runs `act` on the modal dialog once it is up; `open` opens it.
  static void whileModal(const std::function<void()>& open, const std::function<void(QWidget*)>& act) {
    bool acted = false;
    QTimer::singleShot(0, [&] {
      QWidget* modal = QApplication::activeModalWidget();
      acted = modal != nullptr;
      if (modal) act(modal);
    });
    open();
    EXPECT_TRUE(acted) << "no modal dialog came up";
  }

private:
  QTemporaryDir dir_;
  QString previous_;
  std::unique_ptr<ProgramWindows> windows_;
};
