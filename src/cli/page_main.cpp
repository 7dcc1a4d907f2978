// orvant-snpp-page: pages one or more recipients from the command line, for
// scripts, cron jobs and monitoring, with the window's line client, protocol
// code and names list.
#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <io.h>
#include <windows.h>
#else
#include <signal.h>
#include <unistd.h>
#endif

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <exception>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "cli/page_config.h"
#include "cli/page_hold.h"
#include "cli/page_inputs.h"
#include "cli/page_options.h"
#include "cli/page_protocol.h"
#include "cli/page_report.h"
#include "cli/page_run.h"
#include "cli/page_session.h"
#include "cli/printable.h"
#include "paging/snpp_protocol.h"

namespace {

using namespace snpp::cli;
using Clock = std::chrono::steady_clock;

constexpr std::chrono::seconds kLongestBackOff{30};

std::atomic<bool> gStop{false};
bool gJson = false;

#ifdef _WIN32
bool IsTerminal(int fd) { return ::_isatty(fd) != 0; }
#else
bool IsTerminal(int fd) { return ::isatty(fd) == 1; }
#endif

void Say(const std::string& text) {
  const std::string line = std::string(kProgramName) + ": " + text + "\n";
  std::fwrite(line.data(), 1, line.size(), stderr);
}

void Print(const std::string& text) {
  if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0) {
    Say(std::string("cannot write the results: ") + std::strerror(errno));
  }
}

int UsageError(const std::string& text, bool pointToHelp = false) {
  Say(text);
  if (pointToHelp) Say(std::string("try '") + kProgramName + " --help'");
  if (gJson) Print(JsonUsageError(text));
  return kUsageError;
}

Input ReadMessage(const PageOptions& o) {
  Input m;
  if (o.message) {
    m.text = *o.message;
  } else {
#ifdef _WIN32
    if (IsTerminal(0)) Say("type the message, then Ctrl-Z and Enter on a line of their own");
#else
    if (IsTerminal(0)) Say("type the message, then Ctrl-D on a line of its own");
#endif
    m = ReadStandardInput("message");
  }
  // The line breaks that end it are no part of it.
  while (!m.text.empty() && (m.text.back() == '\n' || m.text.back() == '\r')) m.text.pop_back();
  if (m.error.empty() && m.text.empty()) m.error = "the message is empty";
  if (m.error.empty() && m.text.size() > kMostInputBytes) m.error = "the message is far too long";
  return m;
}

// LEVE, HOLD, SUBJ and CALL, as the options ask for them.
std::vector<std::string> JobCommands(const PageOptions& o, std::string& error) {
  std::vector<std::string> out;
  if (o.level) out.push_back("LEVE " + std::to_string(*o.level) + "\r\n");
  if (o.at) {
    const std::optional<std::string> hold = HoldCommand(*o.at, std::time(nullptr), error);
    if (!hold) return {};
    out.push_back(*hold);
  }
  if (o.subject) out.push_back("SUBJ " + snpp::OneLine(*o.subject) + "\r\n");
  if (o.from) out.push_back("CALL " + snpp::OneLine(*o.from) + "\r\n");
  for (const std::string& line : out) {
    if (line.size() > snpp::kMaxCommandLine) error = "the " + line.substr(0, 4) + " text is too long for one line";
  }
  return out;
}

std::string Seconds(std::chrono::milliseconds ms) {
  char buf[32];
  if (ms.count() % 1000 == 0) {
    std::snprintf(buf, sizeof buf, "%lld s", static_cast<long long>(ms.count() / 1000));
  } else {
    std::snprintf(buf, sizeof buf, "%.3g s", static_cast<double>(ms.count()) / 1000);
  }
  return buf;
}

#ifdef _WIN32
// Runs on a thread of its own; the loop sees the flag within its longest wait.
BOOL WINAPI OnConsoleStop(DWORD) {
  gStop = true;
  return TRUE;
}

void CatchStopSignals() { ::SetConsoleCtrlHandler(OnConsoleStop, TRUE); }
#else
void OnStopSignal(int) { gStop = true; }

void CatchStopSignals() {
  struct sigaction action {};
  action.sa_handler = OnStopSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = 0;  // no restart: the loop's wait returns and sees the flag
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGHUP, &action, nullptr);
  // A reader that went away must not kill us before the report is tried.
  ::signal(SIGPIPE, SIG_IGN);
}
#endif

// Waits before another try; false when a signal or the deadline comes first.
bool BackOff(std::chrono::milliseconds wait, const std::optional<Clock::time_point>& deadline) {
  const Clock::time_point until = Clock::now() + wait;
  if (deadline && until >= *deadline) return false;
  while (!gStop) {
    const auto left = until - Clock::now();
    if (left <= Clock::duration::zero()) return true;
    std::this_thread::sleep_for(std::min<Clock::duration>(left, std::chrono::milliseconds(100)));
  }
  return false;
}

struct RunOutcome {
  std::vector<PageResult> results;
  std::string error;
  std::vector<std::string> refusals;
};

// One connection after another while connections fail and --retry allows,
// each for the recipients not yet tried.
RunOutcome PageAll(std::vector<Recipient> recipients, const PageRequest& request, const PageSettings& settings,
                   const PageOptions& o, bool progress) {
  RunOutcome out;
  for (Recipient& r : recipients) out.results.push_back({std::move(r), Outcome::NotAttempted, {}});
  std::optional<Clock::time_point> deadline;
  if (o.deadline) deadline = Clock::now() + *o.deadline;
  std::vector<std::size_t> todo(out.results.size());
  for (std::size_t i = 0; i < todo.size(); ++i) todo[i] = i;
  for (int attempt = 0;; ++attempt) {
    std::vector<Recipient> these;
    for (const std::size_t i : todo) these.push_back(out.results[i].recipient);
    PageSession session({settings.server.host, settings.server.port, o.timeout, deadline,
                         o.deadline ? "the deadline of " + Seconds(*o.deadline) + " passed" : ""});
    PageRun run(std::move(these), request, session.Wire());
    if (progress) {
      run.OnRecipientStart = [](const PageResult& r) { Say("paging " + Printable(RecipientLabel(r.recipient))); };
      run.OnRecipientDone = [](const PageResult& r) {
        const std::string line = TextReport({r});
        Say(line.substr(0, line.size() - 1));
      };
    }
    session.Run(run, [] { return gStop.load(); });
    for (std::size_t k = 0; k < todo.size(); ++k) out.results[todo[k]] = run.Results()[k];
    out.error = run.EndText();
    if (run.End() == RunEnd::TimedOut) out.error += " within " + Seconds(o.timeout);
    if (!run.LoginRefusal().empty()) Say("the login was refused: " + Printable(run.LoginRefusal()));
    for (const std::string& refusal : run.Refusals()) {
      if (std::find(out.refusals.begin(), out.refusals.end(), refusal) == out.refusals.end())
        out.refusals.push_back(refusal);
    }
    if (!run.ConnectionFailed() || attempt >= o.retries) break;
    std::vector<std::size_t> left;
    for (const std::size_t i : todo) {
      if (out.results[i].outcome == Outcome::NotAttempted) left.push_back(i);
    }
    if (left.empty()) break;
    const std::chrono::milliseconds wait =
        std::min<std::chrono::seconds>(std::chrono::seconds(1L << std::min(attempt, 5)), kLongestBackOff);
    if (!o.quiet) Say(Printable(out.error) + "; trying again in " + Seconds(wait));
    if (!BackOff(wait, deadline)) break;
    todo = std::move(left);
  }
  return out;
}

int Page(const PageOptions& o) {
  std::string error;
  const std::optional<ConfigValues> config = LoadConfig(ConfigCandidates(), error);
  if (!config) return UsageError(error);
  const std::optional<PageSettings> settings = ResolveSettings(
      o, [](const char* name) { return std::getenv(name); }, *config, error);
  if (!settings) return UsageError(error);

  std::vector<RecipientArg> given = o.recipients;
  if (o.recipientsFile) {
    const std::vector<RecipientArg> listed = ReadRecipientsFile(*o.recipientsFile, error);
    if (!error.empty()) return UsageError(error);
    given.insert(given.end(), listed.begin(), listed.end());
    if (given.empty()) return UsageError("no recipient given");
  }
  std::vector<std::string> errors;
  std::vector<Recipient> recipients = FindRecipients(given, *settings, errors);
  if (!errors.empty()) {
    for (std::size_t i = 0; i + 1 < errors.size(); ++i) Say(errors[i]);
    return UsageError(errors.back());
  }

  const Input message = ReadMessage(o);
  if (!message.error.empty()) return UsageError(message.error);
  PageRequest request{message.text, std::nullopt, JobCommands(o, error), o.strict};
  if (!error.empty()) return UsageError(error);
  if (settings->loginUser) {
    request.loginCommand = LoginCommand(*settings->loginUser, settings->password);
    if (request.loginCommand->size() > snpp::kMaxCommandLine) {
      return UsageError("the login is too long for a LOGI line");
    }
  }

  CatchStopSignals();
  const bool progress = IsTerminal(2) && !o.quiet;
  const std::string server = settings->server.host + ":" + std::to_string(settings->server.port);
  if (progress) Say("connecting to " + Printable(server));
  const RunOutcome outcome = PageAll(std::move(recipients), request, *settings, o, progress);
  if (!outcome.error.empty()) Say(Printable(outcome.error));
  for (const std::string& refusal : outcome.refusals) {
    Say("the server refused " + Printable(refusal) + (o.strict ? "" : "; paged without it"));
  }

  const int status = RunStatus(outcome.results);
  Print(o.json ? JsonReport(outcome.results, server, status, outcome.error, outcome.refusals)
               : TextReport(outcome.results, o.quiet));
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  gJson = WantsJson(args);
  const ParsedOptions parsed = ParsePageOptions(args);
  if (!parsed.error.empty()) return UsageError(parsed.error, true);
  if (parsed.options.help) {
    std::cout << HelpText();
    return 0;
  }
  if (parsed.options.version) {
    std::cout << VersionText();
    return 0;
  }
  try {
    return Page(parsed.options);
  } catch (const std::exception& e) {
    Say(e.what());
    return kNoConnection;
  }
}
