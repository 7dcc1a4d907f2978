#pragma once
// What the pager reads besides its arguments: standard input, a file of
// recipients, and the names list that turns names into pager IDs.

#include <cstddef>
#include <string>
#include <vector>

#include "cli/page_config.h"
#include "cli/page_options.h"
#include "cli/recipient_match.h"

namespace snpp::cli {

// Far more than any pager shows; reading stops here, so an endless input
// cannot exhaust memory.
inline constexpr std::size_t kMostInputBytes = 64 * 1024;

struct Input {
  std::string text;
  std::string error;  // not empty: what went wrong, for the user
};

// Standard input up to its end; `what` names it in the error.
Input ReadStandardInput(const char* what);

// The recipients of --recipients FILE ("-": standard input), one a line;
// blank lines and lines starting with '#' are skipped.
std::vector<RecipientArg> ReadRecipientsFile(const std::string& name, std::string& error);

// Every recipient, or the usage errors of all that could not be found. The
// names list is read only when a name needs it.
std::vector<Recipient> FindRecipients(const std::vector<RecipientArg>& given, const PageSettings& settings,
                                      std::vector<std::string>& errors);

}  // namespace snpp::cli
