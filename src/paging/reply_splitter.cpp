#include "paging/reply_splitter.h"

#include "paging/snpp_protocol.h"

namespace snpp {

namespace {

// The start of a code the send acts on ("220", "250", "221", "354", "421");
// a lone "5" is a failure already and is never held back.
bool IsCutCode(std::string_view text) {
  return text == "2" || text == "22" || text == "25" || text == "3" || text == "35" || text == "4" ||
         text == "42";
}

}  // namespace

// A held-back piece joins the next read's first line only when that makes a
// reply the send acts on and the line does not begin with a code of its own:
// "25" + "0 OK" is joined, while a stray "2" before "554 Rejected" stays apart.
std::string ReplySplitter::JoinFragment(std::string_view piece) {
  std::string joined = fragment_ + std::string(piece);
  fragment_.clear();
  if (StartsWithReplyCode(piece)) return std::string(piece);
  if (ClassifyReply(joined) != ReplyClass::Ignored || AsksForText(joined) || IsCutCode(joined)) return joined;
  return std::string(piece);
}

std::vector<std::string> ReplySplitter::Take(std::string_view text) {
  std::vector<std::string> replies;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t lf = text.find('\n', start);
    const std::size_t end = lf == std::string_view::npos ? text.size() : lf + 1;
    const std::string_view piece = text.substr(start, end - start);
    const bool terminated = lf != std::string_view::npos;
    start = end;
    if (midLine_ && !StartsWithReplyCode(piece)) {  // the rest of a reply already acted on
      midLine_ = !terminated;
      continue;
    }
    std::string reply = !fragment_.empty() ? JoinFragment(piece) : std::string(piece);
    if (!terminated && IsCutCode(reply)) {
      fragment_ = std::move(reply);
    } else {
      replies.push_back(std::move(reply));
      midLine_ = !terminated;
    }
  }
  return replies;
}

}  // namespace snpp
