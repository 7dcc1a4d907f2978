// The real main window sending pages to the test server on 127.0.0.1, on
// Qt's own event loop, read back from its status label, log and status bar.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

#include <cstdlib>
#include <memory>

#include "qt/app/error_display.h"
#include "qt/app/main_form.h"
#include "qt/app/main_form_paging.h"
#include "qt/app/message_memo.h"
#include "qt/app/program_windows.h"
#include "qt/controls/check_list.h"
#include "qt/controls/simple_field.h"
#include "qt/support/qt_unwind_leaks.h"
#include "screen_reader_log.h"
#include "snpp_test_server.h"

using namespace snpp::qt;

namespace {

using snpp::testing::AcceptingScript;
using snpp::testing::SequenceScript;
using snpp::testing::ServerAction;
using snpp::testing::SnppTestServer;

class MainFormPaging : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    previous_ = QDir::currentPath();
    QDir::setCurrent(dir_.path());
    setenv("XDG_CONFIG_HOME", dir_.path().toLocal8Bit().constData(), 1);
  }
  void TearDown() override {
    windows_.reset();
    server_.reset();
    QDir::setCurrent(previous_);
  }

  void Start(snpp::testing::ServerScript script = AcceptingScript(),
             std::string greeting = SnppTestServer::kDefaultGreeting) {
    server_ = std::make_unique<SnppTestServer>(std::move(script), std::move(greeting));
    snpp::SetPagingServerForTesting("127.0.0.1", server_->Port());
    windows_ = std::make_unique<ProgramWindows>();
    form().show();
    QApplication::processEvents();
  }
  Tmainform& form() { return *windows_->mainform; }
  SnppTestServer& server() { return *server_; }
  void CloseProgram() {
    form().close();
    windows_.reset();
  }

  QString status() { return form().messageStatusLabel->text(); }
  QString log() { return form().sendingMemo->toPlainText(); }
  QString statusBar() { return form().StatusBar1->currentMessage(); }
  bool serverDone() { return server_->Connections() > 0 && server_->ClosedConnections() == server_->Connections(); }

  void TypeAndSend(const QString& number, const QString& message) {
    if (!number.isEmpty()) {
      form().idEditField->setFocus();
      QTest::keyClicks(form().idEditField, number);
    }
    QTest::keyClicks(form().messageMemo, message);
    QTest::mouseClick(form().sendButton, Qt::LeftButton);
  }

 protected:
  std::unique_ptr<ProgramWindows> windows_;

 private:
  QTemporaryDir dir_;
  QString previous_;
  std::unique_ptr<SnppTestServer> server_;
};

TEST_F(MainFormPaging, TypedNumberAndMessageArePaged) {
  Start(AcceptingScript(), "220 \x02Welcome\r\n");
  TypeAndSend("5551234", "Hello pager");
  EXPECT_EQ(status(), "CONNECTING...");
  ASSERT_TRUE(QTest::qWaitFor([&] { return serverDone(); }, 10000));
  EXPECT_EQ(server().Received(), "PAGE 5551234\r\nMESS Hello pager\r\nSEND\r\nQUIT\r\n");
  EXPECT_EQ(status(), "SUCCESS");
  EXPECT_EQ(log(), "trying 127.0.0.1...\nConnected");
  EXPECT_EQ(statusBar(), "");
  EXPECT_EQ(form().messageLabel->text(), "Welcome");
}

TEST_F(MainFormPaging, APastedLineBreakInThePagerNumberStaysOneCommandLine) {
  Start();
  QApplication::clipboard()->setText("555 1234\r\n");
  form().idEditField->setFocus();
  QTest::keyClick(form().idEditField, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(form().idEditField->StringValueBytes(), "555 1234\r\n");
  TypeAndSend("", "Hi");
  ASSERT_TRUE(QTest::qWaitFor([&] { return serverDone(); }, 10000));
  EXPECT_EQ(server().Received(), "PAGE 555 1234 \r\nMESS Hi\r\nSEND\r\nQUIT\r\n");
}

// The log names whoever was not paged, and only the paged name is unchecked.
TEST_F(MainFormPaging, CheckedNamesAndAFailureReply) {
  Start(SequenceScript({ServerAction::Reply("250 OK\r\n"), ServerAction::Reply("250 OK\r\n"),
                        ServerAction::Reply("250 OK\r\n"), ServerAction::Reply("250 OK\r\n"),
                        ServerAction::Reply("550 Pager unknown\r\n")}));
  snpp::qt::TCheckList& names = *form().namesListbox;
  names.AddItem("Ann, 111");
  names.AddItem("Bob, 222");
  names.AddItem("Cy, 333");
  for (int i = 0; i < 3; ++i) names.SetItemState(i, snpp::cbChecked);
  snpp::qt::ScreenReaderLog reader;
  TypeAndSend("", "Meeting at 3");
  ASSERT_TRUE(QTest::qWaitFor([&] { return serverDone(); }, 10000));
  // The outcome is spoken unasked, and only the outcome.
  std::vector<std::string> spoken;
  for (const std::string& line : reader.lines)
    if (line.rfind("show ", 0) == 0) spoken.push_back(line);
  EXPECT_EQ(spoken, (std::vector<std::string>{"show " + status().toStdString()}));
  EXPECT_EQ(server().Received(),
            "PAGE 111\r\nMESS Meeting at 3\r\nSEND\r\nPAGE 222\r\nMESS Meeting at 3\r\n");
  EXPECT_TRUE(status().startsWith("FAIL - 550 Pager unknown"));
  EXPECT_EQ(log(),
            "trying 127.0.0.1...\nConnected\nSending to: Ann, 111 ...\nMESSAGE SENT OK\n"
            "Sending to: Bob, 222 ...\nFAIL, Send process terminated\nNOT SENT: Bob, 222\nNOT SENT: Cy, 333");
  EXPECT_TRUE(statusBar().startsWith("550 Pager unknown"));
  EXPECT_EQ(names.ItemState(0), snpp::cbUnchecked);
  EXPECT_EQ(names.ItemState(1), snpp::cbChecked);
  EXPECT_EQ(names.ItemState(2), snpp::cbChecked);
}

TEST_F(MainFormPaging, CancelStopsASendTheServerLeftHanging) {
  Start(SequenceScript({ServerAction::Silence()}));
  TypeAndSend("42", "Anyone there?");
  ASSERT_TRUE(QTest::qWaitFor([&] { return server().ReceivedLines().size() == 1; }, 10000));
  QTest::mouseClick(form().cancelSendButton, Qt::LeftButton);
  EXPECT_EQ(status(), "CANCEL");
  ASSERT_TRUE(QTest::qWaitFor([&] { return serverDone(); }, 10000));
  EXPECT_EQ(server().Received(), "PAGE 42\r\n");
}

TEST_F(MainFormPaging, ClosingDuringASendDropsTheConnectionAndStillSavesTheNames) {
  Start(SequenceScript({ServerAction::Silence()}));
  form().namesListbox->AddItem("Ann, 111");
  TypeAndSend("42", "Going away");
  ASSERT_TRUE(QTest::qWaitFor([&] { return server().ReceivedLines().size() == 1; }, 10000));
  CloseProgram();
  ASSERT_TRUE(QTest::qWaitFor([&] { return serverDone(); }, 10000));
  EXPECT_EQ(server().Received(), "PAGE 42\r\n");  // dropped without QUIT
  QFile names("names.txt");
  ASSERT_TRUE(names.open(QIODevice::ReadOnly));
  EXPECT_EQ(names.readAll(), QByteArray("Ann, 111\r\n"));
}

TEST_F(MainFormPaging, UnresolvableServerIsShownAsAnErrorAndTheSendEndsAtOnce) {
  std::vector<std::string> shown;
  QtUnwindLeaksIgnored unwinding;
  auto old = snpp::qt::SetErrorPresenter([&](const std::string& text) { shown.push_back(text); });
  snpp::SetPagingServerForTesting("no-such-host.invalid", 444);
  windows_ = std::make_unique<ProgramWindows>();
  form().show();
  TypeAndSend("42", "Hello");
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0], "11001: [11001] Host not found.");
  EXPECT_EQ(status(), "FAIL");
  // Nothing is left waiting: the next Send is taken at once and fails alike.
  QTest::mouseClick(form().sendButton, Qt::LeftButton);
  snpp::qt::SetErrorPresenter(old);
  EXPECT_EQ(shown.size(), 2u);
  EXPECT_EQ(status(), "FAIL");
}

}  // namespace
