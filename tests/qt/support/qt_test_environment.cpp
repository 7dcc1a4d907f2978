// One QApplication for a whole widget test run, with the look the program
// sets up, so that sizes and pictures are those the user gets. Linked into
// a suite as an object, its registration runs before main().
#include <QApplication>
#include <gtest/gtest.h>

#include <memory>

#include "qt/dialogs/program_look.h"

namespace {

class QtEnvironment : public ::testing::Environment {
public:
  void SetUp() override {
    // These tests need no display, however they are started.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    app_ = std::make_unique<QApplication>(argc_, argv_);
    snpp::applyProgramLook(*app_);
  }
  void TearDown() override { app_.reset(); }

private:
  int argc_ = 1;
  char name_[16] = "widget_tests";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] auto* const environment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace
