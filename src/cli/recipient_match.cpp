#include "cli/recipient_match.h"

#include <algorithm>

#include "cli/printable.h"
#include "controls/check_list_store.h"
#include "directory/recipient_entry.h"

namespace snpp::cli {
namespace {

bool StartsWithIgnoreCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() && CompareIgnoreCase(text.substr(0, prefix.size()), prefix) == 0;
}

bool EqualsIgnoreCase(std::string_view a, std::string_view b) { return CompareIgnoreCase(a, b) == 0; }

bool ContainsIgnoreCase(std::string_view text, std::string_view part) {
  for (std::size_t at = 0; at + part.size() <= text.size(); ++at) {
    if (EqualsIgnoreCase(text.substr(at, part.size()), part)) return true;
  }
  return false;
}

bool OnePager(const std::vector<std::string_view>& entries) {
  return std::all_of(entries.begin(), entries.end(),
                     [&](std::string_view e) { return retrieveID(e) == retrieveID(entries.front()); });
}

std::string Quoted(std::string_view text) { return "'" + Printable(text) + "'"; }

}  // namespace

bool LooksLikePagerId(std::string_view given) {
  const auto digit = [](char c) { return c >= '0' && c <= '9'; };
  return std::any_of(given.begin(), given.end(), digit) &&
         std::all_of(given.begin(), given.end(), [&](char c) { return digit(c) || c == '-'; });
}

RecipientMatch MatchRecipient(std::string_view given, const std::vector<std::string>& entries) {
  RecipientMatch out;
  out.recipient.given = given;
  if (LooksLikePagerId(given)) {
    // Dashes only group the digits for the eye, as in the names list.
    std::erase(out.recipient.pagerId = given, '-');
    return out;
  }
  if (given.empty()) {
    out.error = "an empty recipient";
    return out;
  }
  // Candidates in the order the list shows them.
  std::vector<std::string_view> sorted(entries.begin(), entries.end());
  std::stable_sort(sorted.begin(), sorted.end(),
                   [](std::string_view a, std::string_view b) { return CompareIgnoreCase(a, b) < 0; });
  std::vector<std::string_view> exact;
  std::vector<std::string_view> prefixed;
  for (const std::string_view entry : sorted) {
    if (!StartsWithIgnoreCase(entry, given)) continue;
    prefixed.push_back(entry);
    if (EqualsIgnoreCase(SplitEntry(entry).name, given) || EqualsIgnoreCase(entry, given)) exact.push_back(entry);
  }
  const std::vector<std::string_view>& found = exact.empty() ? prefixed : exact;
  if (found.empty()) {
    // Perhaps a surname or a middle part of the name was given.
    out.error = "no name in the list starts with " + Quoted(given);
    std::string near;
    for (const std::string_view entry : sorted) {
      if (ContainsIgnoreCase(SplitEntry(entry).name, given)) near += "\n  " + Printable(entry);
    }
    if (!near.empty()) out.error += "; these hold it:" + near;
    return out;
  }
  if (!OnePager(found)) {
    out.error = Quoted(given) + " fits more than one name:";
    for (const std::string_view entry : found) out.error += "\n  " + Printable(entry);
    return out;
  }
  out.recipient.name = SplitEntry(found.front()).name;
  out.recipient.pagerId = retrieveID(found.front());
  if (PagerIdTooLong(found.front())) {
    // Its first ten digits would reach someone else's pager.
    out.error = PagerIdTooLongText(Printable(found.front()));
  } else if (out.recipient.pagerId.empty()) {
    out.error = Quoted(given) + " has no pager ID in the list: " + Quoted(found.front());
  }
  return out;
}

}  // namespace snpp::cli
