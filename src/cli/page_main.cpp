// orvant-snpp-page: pages one or more recipients from the command line, for
// scripts, cron jobs and monitoring, with the window's line client, protocol
// code and names list.
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "cli/page_options.h"
#include "cli/page_protocol.h"
#include "cli/page_report.h"
#include "cli/page_run.h"
#include "cli/page_session.h"
#include "cli/printable.h"
#include "cli/recipient_match.h"
#include "directory/names_file.h"
#include "paging/snpp_protocol.h"

namespace {

using namespace snpp::cli;

// Far more than any pager shows; reading stops here, so an endless input
// cannot exhaust memory.
constexpr std::size_t kMostInputBytes = 64 * 1024;

volatile sig_atomic_t gStop = 0;

void OnStopSignal(int) { gStop = 1; }

void Say(const std::string& text) {
  const std::string line = std::string(kProgramName) + ": " + text + "\n";
  std::fwrite(line.data(), 1, line.size(), stderr);
}

int UsageError(const std::string& text, bool pointToHelp = false) {
  Say(text);
  if (pointToHelp) Say(std::string("try '") + kProgramName + " --help'");
  return kUsageError;
}

struct Message {
  std::string text;
  std::string error;
};

// Standard input up to its end, without the line break(s) that end it.
Message ReadStandardInput() {
  if (::isatty(STDIN_FILENO)) Say("type the message, then Ctrl-D on a line of its own");
  Message m;
  char buffer[4096];
  for (;;) {
    const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return {{}, std::string("cannot read standard input: ") + std::strerror(errno)};
    if (n == 0) break;
    m.text.append(buffer, static_cast<std::size_t>(n));
    if (m.text.size() > kMostInputBytes) return {{}, "the message on standard input is far too long"};
  }
  while (!m.text.empty() && (m.text.back() == '\n' || m.text.back() == '\r')) m.text.pop_back();
  return m;
}

// Every recipient, or the usage errors of all that could not be found.
std::vector<Recipient> FindRecipients(const PageOptions& o, std::vector<std::string>& errors) {
  std::vector<std::string> entries;
  std::string listProblem;
  bool listRead = false;
  std::vector<Recipient> found;
  const std::string listName = Printable(o.namesFile);
  for (const std::string& given : o.recipients) {
    if (!LooksLikePagerId(given) && !listRead) {
      listRead = true;
      snpp::NamesFile file(o.namesFile);
      entries = file.Load();
      if (file.LoadState() == snpp::NamesLoad::Missing) listProblem = "there is no names list " + listName;
      if (file.LoadState() == snpp::NamesLoad::Incomplete) listProblem = "cannot read the names list " + listName;
    }
    if (!LooksLikePagerId(given) && !listProblem.empty()) {
      errors.push_back(listProblem + " to look up '" + Printable(given) + "' in");
      continue;
    }
    RecipientMatch match = MatchRecipient(given, entries);
    if (!match.error.empty()) {
      errors.push_back(listName + ": " + match.error);
    } else if (snpp::PageCommand(match.recipient.pagerId).size() > kMaxLineBytes) {
      errors.push_back("the pager ID '" + Printable(given).substr(0, 20) + "...' is too long for a PAGE line");
    } else {
      found.push_back(std::move(match.recipient));
    }
  }
  return found;
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

int Page(const PageOptions& o) {
  std::vector<std::string> errors;
  std::vector<Recipient> recipients = FindRecipients(o, errors);
  for (const std::string& e : errors) Say(e);
  if (!errors.empty()) return kUsageError;

  Message message = o.message ? Message{*o.message, {}} : ReadStandardInput();
  if (!message.error.empty()) return UsageError(message.error);
  if (message.text.empty()) return UsageError("the message is empty");
  std::optional<std::string> login;
  if (o.loginUser) {
    login = LoginCommand(*o.loginUser, o.loginPassword);
    if (login->size() > kMaxLineBytes) return UsageError("the login is too long for a LOGI line");
  }

  CatchStopSignals();
  const bool progress = ::isatty(STDERR_FILENO) == 1;
  const std::string server = o.host + ":" + std::to_string(o.port);
  if (progress) Say("connecting to " + Printable(server));
  PageSession session({o.host, o.port, o.timeout});
  PageRun run(std::move(recipients), {message.text, login, {}, false}, session.Wire());
  if (progress) {
    run.OnRecipientStart = [](const PageResult& r) { Say("paging " + Printable(RecipientLabel(r.recipient))); };
    run.OnRecipientDone = [](const PageResult& r) {
      const std::string line = TextReport({r});
      Say(line.substr(0, line.size() - 1));
    };
  }
  session.Run(run, [] { return gStop != 0; });

  std::string error = run.EndText();
  if (run.End() == RunEnd::TimedOut) error += " within " + Seconds(o.timeout);
  if (!error.empty()) Say(Printable(error));
  if (!run.LoginRefusal().empty()) Say("the login was refused: " + Printable(run.LoginRefusal()));

  const int status = RunStatus(run.Results());
  const std::string report = o.json ? JsonReport(run.Results(), server, status, error) : TextReport(run.Results());
  if (std::fwrite(report.data(), 1, report.size(), stdout) != report.size() || std::fflush(stdout) != 0) {
    Say(std::string("cannot write the results: ") + std::strerror(errno));
  }
  return status;
}

}  // namespace

int main(int argc, char** argv) {
  const ParsedOptions parsed = ParsePageOptions(std::vector<std::string>(argv + 1, argv + argc));
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
