#include <QApplication>
#include <QFile>
#include <QFontDatabase>
#include <QStyleFactory>
#include <gtest/gtest.h>

#include <memory>

namespace {

// One QApplication for the whole run, with the look the program sets up,
// so that sizes and pictures are those the user gets.
class QtEnvironment : public ::testing::Environment {
public:
  void SetUp() override {
    // These tests need no display, however they are started.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    app_ = std::make_unique<QApplication>(argc_, argv_);
    if (QStyle* style = QStyleFactory::create("Windows")) QApplication::setStyle(style);
    const char* face = "/usr/share/wine/fonts/ms_sans_serif.ttf";
    const int id = QFile::exists(face) ? QFontDatabase::addApplicationFont(face) : -1;
    if (id >= 0) {
      QFont font(QFontDatabase::applicationFontFamilies(id).value(0));
      font.setPixelSize(11);
      QApplication::setFont(font);
    }
  }
  void TearDown() override { app_.reset(); }

private:
  int argc_ = 1;
  char name_[32] = "entry_dialogs_tests";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> app_;
};

[[maybe_unused]] auto* const environment = ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace
