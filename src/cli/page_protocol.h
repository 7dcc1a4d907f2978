#pragma once
// The parts of SNPP the command-line pager adds to the window's dialogue:
// the login and reset commands, the message as MESS or as DATA, and reading
// replies that may span several lines.

#include <string>
#include <string_view>

#include "paging/snpp_protocol.h"

namespace snpp::cli {

inline constexpr char kResetCommand[] = "RESE\r\n";

// "LOGI user" or "LOGI user password", as one line.
std::string LoginCommand(std::string_view user, std::string_view password);

// A message with line breaks, or one too long for MESS, goes with DATA.
bool NeedsData(std::string_view message);

enum class ReplyKind {
  NotFinal,    // a continuation ("214-..."), help text, or no reply code at all
  Success,     // 2xx: go on
  GoAhead,     // 3xx: send the text now (DATA's 354)
  Rejected,    // 5xx: this command failed, the session goes on
  Ending,      // 4xx such as 421, or 221: the server ends the session
  Unexpected,  // any other code: we cannot know what the server holds now
};

// line: one received line without its line break.
ReplyKind KindOfReply(std::string_view line);

}  // namespace snpp::cli
