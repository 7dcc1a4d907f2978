#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "qt/app/error_display.h"
#include "qt/support/qt_unwind_leaks.h"

namespace {

TEST(GeneralErrorText, AddsFullStopOnlyAfterCharactersSortingAfterIt) {
  EXPECT_EQ(snpp::generalErrorText("11001: [11001] Host not found"),
            "11001: [11001] Host not found.");
  EXPECT_EQ(snpp::generalErrorText("Unable to write to snppCl.ini"),
            "Unable to write to snppCl.ini.");
  EXPECT_EQ(snpp::generalErrorText("code 7"), "code 7.");
  EXPECT_EQ(snpp::generalErrorText("Done."), "Done.");
  EXPECT_EQ(snpp::generalErrorText("Really!"), "Really!");
  EXPECT_EQ(snpp::generalErrorText("x -"), "x -");
  EXPECT_EQ(snpp::generalErrorText("caf\xC3\xA9"), "caf\xC3\xA9.");
  EXPECT_EQ(snpp::generalErrorText(""), "");
}

TEST(GeneralErrorDisplay, ErrorEscapingAHandlerIsShownAndTheProgramGoesOn) {
  QtUnwindLeaksIgnored unwinding;  // first in, last out: covers the button's whole life
  std::vector<std::string> shown;
  auto old = snpp::setErrorPresenter([&](const std::string& text) { shown.push_back(text); });
  QPushButton button("boom");
  int clicks = 0;
  QObject::connect(&button, &QPushButton::clicked, [&] {
    ++clicks;
    throw std::runtime_error("11001: [11001] Host not found");
  });
  button.show();
  QTest::mouseClick(&button, Qt::LeftButton);
  QTest::mouseClick(&button, Qt::LeftButton);
  snpp::setErrorPresenter(old);
  EXPECT_EQ(clicks, 2);
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0], "11001: [11001] Host not found.");
}

TEST(GeneralErrorDisplay, OneBoxAtATimeAndSocketErrorsWaitForTheMainLoop) {
  std::vector<std::string> shown;
  int depth = 0, deepest = 0;
  bool raiseMore = true;
  auto old = snpp::setErrorPresenter([&](const std::string& text) {
    deepest = std::max(deepest, ++depth);
    shown.push_back(text);
    if (std::exchange(raiseMore, false)) {  // errors raised while the first box is open
      snpp::showGeneralError(std::string("10035: write"));
      snpp::showGeneralError(std::string("10035: write"));
      snpp::showGeneralError(std::string("first"));
    }
    --depth;
  });
  snpp::showGeneralError(std::string("first"));
  EXPECT_EQ(shown, (std::vector<std::string>{"first.", "10035: write."}));
  EXPECT_EQ(deepest, 1);

  shown.clear();
  snpp::postGeneralError(std::make_exception_ptr(std::runtime_error("from a socket event")));
  EXPECT_TRUE(shown.empty());
  QCoreApplication::processEvents();
  snpp::setErrorPresenter(old);
  EXPECT_EQ(shown, (std::vector<std::string>{"from a socket event."}));
}

}  // namespace
