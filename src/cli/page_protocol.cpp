#include "cli/page_protocol.h"

#include <algorithm>

#include "paging/snpp_protocol.h"

namespace snpp::cli {
namespace {

constexpr char kLineEnd[] = "\r\n";

}  // namespace

std::string LoginCommand(std::string_view user, std::string_view password) {
  std::string line = "LOGI " + OneLine(user);
  if (!password.empty()) line += " " + OneLine(password);
  return line + kLineEnd;
}

bool NeedsData(std::string_view message) {
  return message.find_first_of("\r\n") != std::string_view::npos || !FitsMessLine(message);
}

ReplyKind KindOfReply(std::string_view line) {
  if (!StartsWithReplyCode(line)) return ReplyKind::NotFinal;
  if (line.size() > 3 && line[3] == '-') return ReplyKind::NotFinal;
  const std::string_view code = line.substr(0, 3);
  // Help lines come unasked from some gateways and answer nothing we sent.
  if (code == "214" || code == "218") return ReplyKind::NotFinal;
  switch (ClassifyReply(line)) {
    case ReplyClass::Greeting:
    case ReplyClass::Accepted:
      return ReplyKind::Success;
    case ReplyClass::Closing:
      return ReplyKind::Ending;
    case ReplyClass::Failure:
      return code == "421" ? ReplyKind::Ending : ReplyKind::Rejected;
    case ReplyClass::Ignored:
      break;
  }
  switch (line[0]) {
    case '2': return ReplyKind::Success;
    case '3': return ReplyKind::GoAhead;
    case '4': return ReplyKind::Ending;
    default: return ReplyKind::Unexpected;
  }
}

}  // namespace snpp::cli
