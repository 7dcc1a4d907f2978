#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace snpp {

// Cuts what the server sends into replies, so that replies sharing a read are
// each seen and a reply cut by the network is joined again. Each line, its
// LF included, is one reply; text without a line end is a reply as it stands
// (servers that omit CR LF), except a piece of one or two bytes that can only
// be the start of a reply code, which waits for the next read. After a reply
// that had no line end, the next read up to its first LF is that reply's
// rest unless it begins with a code of its own, so a server that trickles a
// line byte by byte is not read as a "5" somewhere inside it.
class ReplySplitter {
 public:
  std::vector<std::string> Take(std::string_view text);
  void Clear() {
    fragment_.clear();
    midLine_ = false;
  }

 private:
  std::string JoinFragment(std::string_view piece);

  std::string fragment_;
  bool midLine_ = false;  // the last reply acted on had no line end yet
};

}  // namespace snpp
