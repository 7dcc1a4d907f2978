#pragma once
// Turns what the user typed into a pager ID: digits (dashes allowed, and
// dropped) are an ID, anything else is looked up in the names list the way
// the window shows it.

#include <string>
#include <string_view>
#include <vector>

namespace snpp::cli {

struct Recipient {
  std::string given;    // as typed
  std::string name;     // the name in the list; empty for a typed pager ID
  std::string pagerId;  // what PAGE carries
};

struct RecipientMatch {
  Recipient recipient;
  std::string error;  // not empty: a usage error, candidates included
};

bool LooksLikePagerId(std::string_view given);

// entries: the names list's lines. A name matches when it equals the given
// text or starts with it, letters compared without regard to case; a name
// that equals it wins over longer ones. Several names for one pager ID are
// one recipient. An unknown name's error lists the names that hold it.
RecipientMatch MatchRecipient(std::string_view given, const std::vector<std::string>& entries);

}  // namespace snpp::cli
