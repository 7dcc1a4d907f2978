#pragma once
// What the pager prints when a run is over, and the status it exits with.

#include <string>
#include <string_view>
#include <vector>

#include "cli/page_run.h"

namespace snpp::cli {

enum ExitStatus {
  kAllAccepted = 0,
  kSomeRejected = 1,
  kNoneAccepted = 2,
  kUsageError = 3,
  kNoConnection = 4,  // also: time-out, or the connection lost before the end
};

// Any recipient left without a server's answer makes it kNoConnection.
int RunStatus(const std::vector<PageResult>& results);

std::string_view OutcomeWord(Outcome outcome);

// "Bob (5551234)" for a name from the list, the pager ID alone otherwise.
std::string RecipientLabel(const Recipient& recipient);

// One line per recipient: label, outcome, and the reply or reason if any;
// failuresOnly leaves out the accepted ones.
std::string TextReport(const std::vector<PageResult>& results, bool failuresOnly = false);

// The same as one JSON object, with the server, the exit status, when the
// run ended early why, and the commands the server refused ("refused").
std::string JsonReport(const std::vector<PageResult>& results, std::string_view server, int status,
                       std::string_view error, const std::vector<std::string>& refused = {});

// A usage error as the JSON object of a run that paged no one.
std::string JsonUsageError(std::string_view error);

// A JSON string literal. Bytes that are not UTF-8 are written as the
// characters U+0080 to U+00FF of the same value, so the output stays valid.
std::string JsonString(std::string_view bytes);

}  // namespace snpp::cli
