// Pages sent from the window, keys and all, to the test server on this
// machine; and the names list saved however the window is closed.
#include "main_window_fixture.h"

#include <commctrl.h>

#include "snpp_test_server.h"
#include "win32/check_list_window.h"
#include "win32/entry_field_window.h"

namespace snpp::win32::test {
namespace {

using snpp::testing::SnppTestServer;

// What screen readers were asked to speak unasked, as the text then shown.
std::vector<std::string> spoken;
void CALLBACK HearLiveRegion(HWINEVENTHOOK, DWORD, HWND window, LONG, LONG, DWORD, DWORD) {
  spoken.push_back(WindowTextBytes(window));
}

class MainWindowSend : public MainWindowTest {
 protected:
  void Serve(std::string greeting = SnppTestServer::kDefaultGreeting) {
    server = std::make_unique<SnppTestServer>(snpp::testing::AcceptingScript(), std::move(greeting));
    SetPagingServerForTesting("127.0.0.1", server->Port());
  }
  // Alt+S from where the typing ended, then until the server saw the close.
  void SendByKeyboard(int from = IDC_MESSAGEMEMO) {
    Mnemonic(Control(from), 's');
    ASSERT_TRUE(Run([&] { return server->Connections() == 1 && server->ClosedConnections() == 1; }));
    ASSERT_TRUE(Run([&] { return Text(IDC_MESSAGESTATUSLABEL) == "SUCCESS"; }));
  }
  std::string StatusBar() {
    char text[256] = {};
    SendMessageA(Control(IDC_STATUSBAR1), SB_GETTEXTA, SB_SIMPLEID, reinterpret_cast<LPARAM>(text));
    return text;
  }
  std::unique_ptr<SnppTestServer> server;
};

TEST_F(MainWindowSend, OneRecipientFromThePagerNumberFieldAndTheServersNotice) {
  Serve("220 \x02Service news\r\n");
  Start();
  HWND field = Control(IDC_IDEDITFIELD);
  SetFocus(field);
  Type(Control(IDC_MESSAGEMEMO), "hello");
  Type(field, "5551234");
  spoken.clear();
  HWINEVENTHOOK hook = SetWinEventHook(EVENT_OBJECT_LIVEREGIONCHANGED, EVENT_OBJECT_LIVEREGIONCHANGED, nullptr,
                                       HearLiveRegion, GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
  SendByKeyboard(IDC_IDEDITFIELD);
  Run([] { return !spoken.empty(); });
  UnhookWinEvent(hook);
  EXPECT_EQ(spoken, std::vector<std::string>{"SUCCESS"});  // the outcome only, not the steps
  EXPECT_EQ(server->Received(), "PAGE 5551234\r\nMESS hello\r\nSEND\r\nQUIT\r\n");
  EXPECT_EQ(Text(IDC_SENDINGMEMO), "trying 127.0.0.1...\r\nConnected");
  EXPECT_EQ(StatusBar(), "");

  // The notice scrolls 4 pixels a tick along the top panel.
  HWND notice = Control(IDC_MESSAGELABEL);
  EXPECT_EQ(WindowTextBytes(notice), "Service news");
  RECT before{}, after{};
  GetWindowRect(notice, &before);
  form().Timer1Timer();
  GetWindowRect(notice, &after);
  const double scale = WindowScale(form().Window());
  EXPECT_EQ(after.left - before.left, Scaled(4, scale));
  EXPECT_GT(before.right - before.left, Scaled(50, scale));
}

TEST_F(MainWindowSend, CheckedNamesOverOneConnection) {
  WriteFile("names.txt", "Cy, 333\r\nAnn, 111\r\nBob, 22-2\r\n");
  Serve();
  Start();
  Click(IDC_CHECKALLBUTTON);
  EXPECT_FALSE(IsWindowEnabled(Control(IDC_IDEDITFIELD)));
  EXPECT_TRUE(IsWindowVisible(Control(IDC_SELECTINGPANEL)));
  Type(Control(IDC_MESSAGEMEMO), "hi there");
  SendByKeyboard();
  EXPECT_EQ(server->Received(),
            "PAGE 111\r\nMESS hi there\r\nSEND\r\n"
            "PAGE 222\r\nMESS hi there\r\nSEND\r\n"
            "PAGE 333\r\nMESS hi there\r\nSEND\r\nQUIT\r\n");
  EXPECT_EQ(Text(IDC_SENDINGMEMO),
            "trying 127.0.0.1...\r\nConnected\r\nSending to: Ann, 111 ...\r\nMESSAGE SENT OK\r\n"
            "Sending to: Bob, 22-2 ...\r\nMESSAGE SENT OK\r\nSending to: Cy, 333 ...\r\nMESSAGE SENT OK");
}

// A send the gateway ends half-way: the log names whoever was not paged and
// only the paged name loses its check mark, so Send pages exactly the rest.
TEST_F(MainWindowSend, AnUnfinishedSendUnchecksOnlyThePagedNames) {
  WriteFile("names.txt", "Cy, 333\r\nAnn, 111\r\nBob, none\r\n");
  snpp::testing::GatewayRules rules;
  rules.checkPagerIds = true;
  server = std::make_unique<SnppTestServer>(snpp::testing::GatewayScript(rules));
  SetPagingServerForTesting("127.0.0.1", server->Port());
  Start();
  Click(IDC_CHECKALLBUTTON);
  Type(Control(IDC_MESSAGEMEMO), "hi");
  Mnemonic(Control(IDC_MESSAGEMEMO), 's');
  ASSERT_TRUE(Run([&] { return server->Connections() == 1 && server->ClosedConnections() == 1; }));
  ASSERT_TRUE(Run([&] { return Text(IDC_MESSAGESTATUSLABEL).rfind("FAIL - 550", 0) == 0; }));
  const std::string log = Text(IDC_SENDINGMEMO);
  EXPECT_EQ(log.substr(log.find("FAIL, ")),
            "FAIL, Send process terminated\r\nNOT SENT: Bob, none\r\nNOT SENT: Cy, 333");
  CheckListWindow& names = *form().namesListbox();
  EXPECT_EQ(names.ItemState(0), cbUnchecked);
  EXPECT_EQ(names.ItemState(1), cbChecked);
  EXPECT_EQ(names.ItemState(2), cbChecked);
}

TEST_F(MainWindowSend, AnErrorEscapingSendReachesTheErrorBoxAndTheProgramGoesOn) {
  SetPagingServerForTesting("no-such-host.invalid", 444);
  Start();
  std::vector<std::string> shown;
  windows().loop.OnException = [&](std::exception_ptr error) {
    shown.push_back(net::Win32EventLoop::ErrorBoxText(error));
  };
  form().idEditField()->SetStringValueBytes("5551234");
  Type(Control(IDC_MESSAGEMEMO), "hi");
  Mnemonic(Control(IDC_MESSAGEMEMO), 's');
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].substr(0, 7), "11001: ");
  EXPECT_EQ(shown[0].back(), '.');
  EXPECT_EQ(Text(IDC_MESSAGESTATUSLABEL), "FAIL");
  Mnemonic(Control(IDC_MESSAGEMEMO), 'c');
  EXPECT_EQ(Text(IDC_MESSAGESTATUSLABEL), "CANCEL");
}

// File > Exit, as the keyboard reaches it.
void Exit(Tmainform& form) { SendMessageA(form.Window(), WM_COMMAND, IDM_EXIT, 0); }

TEST_F(MainWindowSend, EveryWayOfClosingSavesTheNamesList) {
  WriteFile("names.txt", "Bob, 2\r\nAnn, 1\r\n");
  Start();
  form().namesListbox()->AddItem("Cy, 3");
  SendMessageA(form().Window(), WM_QUERYENDSESSION, 0, 0);
  EXPECT_EQ(ReadFile("names.txt"), "Ann, 1\r\nBob, 2\r\nCy, 3\r\n");

  form().namesListbox()->SetItemIndex(0);
  Click(IDC_DELETEBUTTON);
  SendMessageA(form().Window(), WM_SYSCOMMAND, SC_CLOSE, 0);  // the close box, Alt+F4
  EXPECT_FALSE(IsWindowVisible(form().Window()));
  EXPECT_EQ(ReadFile("names.txt"), "Bob, 2\r\nCy, 3\r\n");
  EXPECT_TRUE(told.empty());
}

TEST_F(MainWindowSend, AListThatCannotBeSavedIsKeptAndTheUserToldAtCloseAndNextStart) {
  WriteFile("names.txt", "Ann, 1\r\n");
  SetFileAttributesA("names.txt", FILE_ATTRIBUTE_READONLY);
  Start();
  form().namesListbox()->AddItem("Bob, 2");
  Exit(form());
  ASSERT_EQ(told.size(), 1u);
  EXPECT_NE(told[0].find("It has been kept in"), std::string::npos) << told[0];
  EXPECT_EQ(ReadFile("names.txt"), "Ann, 1\r\n");

  told.clear();
  Start();
  Run([&] { return !told.empty(); }, 2000);
  ASSERT_EQ(told.size(), 1u);
  EXPECT_EQ(told[0].rfind("Names that could not be saved in an earlier run are kept in:", 0), 0u) << told[0];
  SetFileAttributesA("names.txt", FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
}  // namespace snpp::win32::test
