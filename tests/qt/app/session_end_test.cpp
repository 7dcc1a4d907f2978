// The real program, ended by a signal the way a terminal or the system ends
// it: it must save the names list as File > Exit does, then exit normally.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <string>
#include <thread>

#include "directory/test_support.h"

namespace {

using namespace std::chrono_literals;

// Whether pid has a handler for signo: then the program is up, list loaded.
bool Catches(pid_t pid, int signo) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("SigCgt:", 0) == 0) return (std::stoull(line.substr(7), nullptr, 16) >> (signo - 1)) & 1;
  }
  return false;
}

bool WaitFor(const std::function<bool()>& done) {
  for (auto end = std::chrono::steady_clock::now() + 20s; std::chrono::steady_clock::now() < end;) {
    if (done()) return true;
    std::this_thread::sleep_for(20ms);
  }
  return false;
}

TEST(SessionEnd, SigintSigtermAndSighupSaveTheNamesList) {
  for (int signo : {SIGINT, SIGTERM, SIGHUP}) {
    SCOPED_TRACE(strsignal(signo));
    snpp::test::TempDir dir;
    snpp::test::WriteBytes(dir / "names.txt", "b, 2\r\na, 1\r\n");  // saving sorts it
    const pid_t pid = ::fork();
    if (pid == 0) {
      if (::chdir(dir.path().c_str()) != 0) ::_exit(127);
      ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
      ::setenv("XDG_CONFIG_HOME", (dir / "config").c_str(), 1);
      ::setenv("XDG_DATA_HOME", (dir / "data").c_str(), 1);
      for (int s : {SIGINT, SIGTERM, SIGHUP}) ::signal(s, SIG_DFL);
      ::execl(SNPP_CLIENT_PATH, SNPP_CLIENT_PATH, static_cast<char*>(nullptr));
      ::_exit(127);
    }
    ASSERT_GT(pid, 0);
    const bool up = WaitFor([&] { return Catches(pid, signo); });
    if (up) ::kill(pid, signo);
    int status = 0;
    const bool ended = WaitFor([&] { return ::waitpid(pid, &status, WNOHANG) == pid; });
    if (!ended) {
      ::kill(pid, SIGKILL);
      ::waitpid(pid, &status, 0);
    }
    EXPECT_TRUE(up && ended) << "the program does not handle the signal";
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    EXPECT_EQ(snpp::test::ReadBytes(dir / "names.txt"), "a, 1\r\nb, 2\r\n");
  }
}

}  // namespace
