#include "net/socket_library.h"

#include <cerrno>

#include <gtest/gtest.h>

#include "net/winsock_errors.h"
#include "net_test_support.h"

namespace snpp::net {
namespace {

using testing::NetTest;

int StartupVersionTooHigh(std::uint16_t, StartupData&) { return kWsaVernotsupported; }
int StartupNotReady(std::uint16_t, StartupData&) { return kWsaSysnotready; }
int StartupVersion20(std::uint16_t, StartupData& data) {
  data.version = 0x0002;
  data.description = "2.0";
  return 0;
}

const SocketFunctions* WithStartup(int (*startup)(std::uint16_t, StartupData&)) {
  static SocketFunctions table;
  table = *SystemSocketFunctions(Library().Path());
  table.Startup = startup;
  return &table;
}

class SocketLibraryTest : public NetTest {
 protected:
  void TearDown() override {
    Library().SetLoader(nullptr);
    NetTest::TearDown();
  }
};

TEST_F(SocketLibraryTest, EachWayOfFailingToLoadLeavesAUsableComponent) {
  struct Case {
    SocketLibrary::Loader loader;
    const char* reason;
  };
  const Case cases[] = {
      {[](const std::string&) -> const SocketFunctions* { return nullptr; }, "Could not load Winsock DLL."},
      {[](const std::string&) { return WithStartup(StartupVersionTooHigh); }, "Version not supported."},
      {[](const std::string&) { return WithStartup(StartupNotReady); }, "Network subsystem not ready."},
      {[](const std::string&) { return WithStartup(StartupVersion20); }, "Incompatible Winsock version."},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.reason);
    Library().SetLoader(c.loader);
    TLineClient client(loop);
    EXPECT_FALSE(client.WinsockLoaded());
    EXPECT_EQ(client.WinsockInfo(), c.reason);
    EXPECT_EQ(client.WinsockStatus(), "Down");
    EXPECT_EQ(Library().LoadCount(), 0);  // a failed start holds nothing
    EXPECT_FALSE(Library().ModuleLoaded());
    EXPECT_EQ(Library().Api().GetLastError(), kWsaNotinitialised);

    // Addresses stay unresolved without an error, so connecting finds none.
    client.SetRemoteHost("127.0.0.1");
    EXPECT_EQ(client.RemoteHost(), "");
    client.SetRemotePort(444);
    try {
      client.SetConnected(true);
      ADD_FAILURE() << "connected without a library";
    } catch (const ELineClient& e) {
      EXPECT_EQ(e.Code(), 102);
    }
  }
}

TEST_F(SocketLibraryTest, ReleasingInOneClientLeavesTheOtherWorking) {
  TLineClient a(loop);
  TLineClient b(loop);
  EXPECT_EQ(Library().LoadCount(), 2);
  EXPECT_EQ(a.WinsockStatus(), "Running");
  EXPECT_FALSE(a.WinsockInfo().empty());
  a.SetWinsockLoaded(false);
  EXPECT_FALSE(a.WinsockLoaded());
  EXPECT_TRUE(b.WinsockLoaded());
  EXPECT_EQ(b.WinsockInfo(), "");
  EXPECT_EQ(b.WinsockStatus(), "Down");

  testing::Peer peer;
  testing::EventLog log;
  log.Attach(b);
  ConnectTo(b, peer, log);
  EXPECT_TRUE(b.Connected());

  // The client that let go may not open a socket on the other's reference.
  a.SetRemoteHost("127.0.0.1");
  a.SetRemotePort(peer.Port());
  try {
    a.SetConnected(true);
    ADD_FAILURE();
  } catch (const ELineClient& e) {
    EXPECT_EQ(e.Code(), kWsaNotinitialised);
  }
  a.SetWinsockLoaded(true);
  EXPECT_TRUE(a.WinsockLoaded());
  EXPECT_EQ(Library().LoadCount(), 2);
}

TEST_F(SocketLibraryTest, ReleasingUnderAnOpenSocketClosesItFirst) {
  testing::Peer peer;
  testing::EventLog log;
  TLineClient client(loop);
  log.Attach(client);
  ConnectTo(client, peer, log);
  client.SetWinsockLoaded(false);
  EXPECT_EQ(log.entries, (std::vector<std::string>{"disconnected 0 OK"}));
  EXPECT_FALSE(client.Connected());
  EXPECT_EQ(peer.WaitForEnd(loop), 0);
}

TEST(ErrorText, DescribesByTableOrSaysThereIsNone) {
  EXPECT_EQ(DescribeError(10061), "[10061] Connection refused");
  EXPECT_EQ(DescribeError(11002), "[11002] Non-authoritative 'Host not found' (try again or check DNS setup)");
  EXPECT_EQ(DescribeError(10100), "[10100] (no description available)");
  EXPECT_EQ(DescribeError(10061 + 65536), "[75597] Connection refused");  // a 16-bit code
  EXPECT_EQ(DescribeError(-1), "[-1] (no description available)");
#ifndef _WIN32
  EXPECT_EQ(ErrorFromErrno(ECONNREFUSED), 10061);
  EXPECT_EQ(ErrorFromErrno(EWOULDBLOCK), 10035);
  EXPECT_EQ(ErrorFromErrno(EHOSTUNREACH), 10065);
  EXPECT_EQ(ErrorFromErrno(EPIPE), 10054);  // only ever seen after the peer reset
  EXPECT_EQ(ErrorFromErrno(ENODATA), kUnmappedErrnoBase + ENODATA);  // not "Connection refused"
#endif
  const ECodedError e(-1, "Line client: Error creating component");
  EXPECT_STREQ(e.what(), "-1: Line client: Error creating component");
  EXPECT_EQ(e.Code(), -1);
  EXPECT_EQ(e.Text(), "Line client: Error creating component");
}

}  // namespace
}  // namespace snpp::net
