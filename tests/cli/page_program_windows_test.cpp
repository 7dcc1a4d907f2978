// The Windows pager as a script or a scheduled task runs it: a child
// process with its arguments and standard input, against the test server on
// 127.0.0.1, on the message loop and the Windows socket library.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "snpp_test_server.h"

namespace {

using snpp::testing::DeliveredPage;
using snpp::testing::GatewayScript;
using snpp::testing::SnppTestServer;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

struct Outcome {
  DWORD status = 9999;
  std::string out;
  std::string err;
};

std::string Quoted(const std::string& arg) {
  std::string out = "\"";
  for (const char c : arg) {
    if (c == '"') out += '\\';
    out += c;
  }
  return out + "\"";
}

// A pipe's read end, drained on a thread of its own into `sink`.
std::thread Drain(HANDLE read, std::string& sink) {
  return std::thread([read, &sink] {
    char buffer[4096];
    DWORD n = 0;
    while (ReadFile(read, buffer, sizeof buffer, &n, nullptr) && n > 0) sink.append(buffer, n);
    CloseHandle(read);
  });
}

Outcome RunPage(const std::vector<std::string>& args, const std::string& input = {}) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE inRead, inWrite, outRead, outWrite, errRead, errWrite;
  CreatePipe(&inRead, &inWrite, &inherit, 0);
  CreatePipe(&outRead, &outWrite, &inherit, 0);
  CreatePipe(&errRead, &errWrite, &inherit, 0);
  for (HANDLE ours : {inWrite, outRead, errRead}) SetHandleInformation(ours, HANDLE_FLAG_INHERIT, 0);
  std::string line = Quoted(PAGE_PROGRAM);
  for (const std::string& a : args) line += " " + Quoted(a);
  STARTUPINFOA start{};
  start.cb = sizeof start;
  start.dwFlags = STARTF_USESTDHANDLES;
  start.hStdInput = inRead;
  start.hStdOutput = outWrite;
  start.hStdError = errWrite;
  PROCESS_INFORMATION process{};
  const BOOL made = CreateProcessA(PAGE_PROGRAM, line.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                                   nullptr, &start, &process);
  for (HANDLE theirs : {inRead, outWrite, errWrite}) CloseHandle(theirs);
  Outcome result;
  std::thread out = Drain(outRead, result.out);
  std::thread err = Drain(errRead, result.err);
  DWORD written = 0;
  if (made) WriteFile(inWrite, input.data(), static_cast<DWORD>(input.size()), &written, nullptr);
  CloseHandle(inWrite);
  if (made) {
    WaitForSingleObject(process.hProcess, 60000);
    GetExitCodeProcess(process.hProcess, &result.status);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
  }
  out.join();
  err.join();
  return result;
}

// Text mode on the console side: lines end in CR LF.
std::string Lines(std::string text) {
  std::erase(text, '\r');
  return text;
}

TEST(PageProgramOnWindows, PagesEveryoneInOneJobWithTheLinesKept) {
  SnppTestServer server(GatewayScript({.checkPagerIds = true}));
  server.SetLineLimit(512);
  const std::string text = "df -h\n/dev/sda1 93%\n" + std::string(600, 'x');
  const Outcome r = RunPage({"--server", "127.0.0.1:" + std::to_string(server.Port()), "5551001", "-p", "bad",
                             "555-1003"},
                            text);
  EXPECT_EQ(r.status, 1u) << r.err;
  EXPECT_EQ(Lines(r.out), "5551001: accepted\nbad: rejected: 550 Error, invalid pager ID\n5551003: accepted\n");
  const std::string arrived = "df -h\n/dev/sda1 93%\n" + std::string(509, 'x') + "\n" + std::string(91, 'x');
  EXPECT_THAT(server.Delivered(),
              ElementsAre(DeliveredPage{"5551001", arrived}, DeliveredPage{"5551003", arrived}));
}

TEST(PageProgramOnWindows, TakesItsSettingsFromAppDataAndSaysUsageErrorsInJson) {
  SnppTestServer server(GatewayScript({.requireLogin = true}));
  const std::filesystem::path appData = std::filesystem::temp_directory_path() / "snpp-page-appdata";
  std::filesystem::create_directories(appData / "Orvant");
  std::ofstream(appData / "Orvant" / "page.conf")
      << "server = 127.0.0.1:" << server.Port() << "\nlogin = pager\npassword = s3cret\n";
  char old[MAX_PATH] = {};
  const DWORD had = GetEnvironmentVariableA("APPDATA", old, MAX_PATH);
  SetEnvironmentVariableA("APPDATA", appData.string().c_str());
  Outcome r = RunPage({"-m", "hi", "5551234"});
  EXPECT_EQ(r.status, 0u) << r.err;
  EXPECT_THAT(server.ReceivedLines(), ::testing::Contains("LOGI pager s3cret"));
  r = RunPage({"--json", "--retry", "many", "5551234"});
  EXPECT_EQ(r.status, 3u);
  EXPECT_THAT(r.out, HasSubstr("{\"status\": 3, \"error\": \"--retry takes a count from 0 to 10, not 'many'\""));
  SetEnvironmentVariableA("APPDATA", had > 0 ? old : nullptr);
  std::filesystem::remove_all(appData);
}

}  // namespace
