#pragma once
// A recipient entry is one byte string: name, ", ", pager ID. The same string
// is a names-list item, a line of names.txt and a send-queue element.

#include <string>
#include <string_view>

namespace snpp {

// The most digits a pager ID that is actually paged can hold.
inline constexpr std::size_t kMaxPagedDigits = 10;

struct EntryParts {
  std::string name;
  std::string pagerId;  // as stored: dashes, blanks and letters kept

  bool operator==(const EntryParts&) const = default;
};

// name + ", " + pagerId, both unchanged.
std::string BuildEntry(std::string_view name, std::string_view pagerId);

// Splits at the first comma; the comma and the one character after it
// belong to neither part. An entry without a comma is all name.
EntryParts SplitEntry(std::string_view entry);

// The digits after the separator, at most ten, in order. Empty for an entry
// without a comma.
std::string retrieveID(std::string_view entry);

// True when the stored ID holds more digits than retrieveID gives: paging
// its first ten would reach someone else's pager, so such an entry is not
// paged at all.
bool PagerIdTooLong(std::string_view entry);
// What the user is told about such an entry.
std::string PagerIdTooLongText(std::string_view entry);

}  // namespace snpp
