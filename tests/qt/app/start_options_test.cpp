// The window program's command line: answers and refusals come before any
// window, so they work where there is no display at all.
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "directory/test_support.h"
#include "qt/app/start_options.h"

namespace {

using snpp::qt::ReadStartCommand;
using Action = snpp::qt::StartCommand::Action;

struct Outcome {
  int status = -1;
  std::string out, err;
};

// The real program, with no display to open a window on; a window it tried
// to open would end it with an error, not the status asked for.
Outcome RunClient(const std::vector<std::string>& args) {
  snpp::test::TempDir dir;
  const pid_t pid = ::fork();
  if (pid == 0) {
    if (::chdir(dir.path().c_str()) != 0) ::_exit(127);
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) ::unsetenv(name);
    if (!::freopen("out", "w", stdout) || !::freopen("err", "w", stderr)) ::_exit(127);
    std::vector<char*> argv{const_cast<char*>(SNPP_CLIENT_PATH)};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    ::execv(SNPP_CLIENT_PATH, argv.data());
    ::_exit(127);
  }
  Outcome o;
  int status = 0;
  if (pid > 0 && ::waitpid(pid, &status, 0) == pid && WIFEXITED(status)) o.status = WEXITSTATUS(status);
  o.out = snpp::test::ReadBytes(dir / "out");
  o.err = snpp::test::ReadBytes(dir / "err");
  EXPECT_FALSE(std::filesystem::exists(dir / "names.txt"));
  return o;
}

TEST(StartOptions, VersionAndHelpAnswerOnStdoutWithoutAWindow) {
  const Outcome version = RunClient({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "orvant-snpp-client 2.05\n");
  EXPECT_EQ(version.err, "");
  const Outcome help = RunClient({"--help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out.rfind("usage: orvant-snpp-client [--help | --version]\n", 0), 0u) << help.out;
  EXPECT_EQ(help.err, "");
}

TEST(StartOptions, AnUnknownOptionGivesUsageOnStderrAndStatus2) {
  for (const char* arg : {"--verbose", "names.txt", "-platform"}) {
    SCOPED_TRACE(arg);
    const Outcome o = RunClient({arg});
    EXPECT_EQ(o.status, 2);
    EXPECT_EQ(o.out, "");
    EXPECT_NE(o.err.find("usage: orvant-snpp-client"), std::string::npos) << o.err;
  }
}

// Qt's own options go on to the application object, whichever way written;
// the session manager restarts the program with -session.
TEST(StartOptions, QtsOwnOptionsAreLetThrough) {
  for (const std::vector<std::string>& args : std::vector<std::vector<std::string>>{
           {"-platform", "offscreen"}, {"--style=Fusion"}, {"-session", "1234_5", "-reverse"}, {}}) {
    EXPECT_EQ(ReadStartCommand(args).action, Action::OpenWindow) << (args.empty() ? "" : args[0]);
  }
  EXPECT_EQ(ReadStartCommand({"-platform", "offscreen", "--version"}).action, Action::Print);
}

}  // namespace
