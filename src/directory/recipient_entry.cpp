#include "directory/recipient_entry.h"

#include <string>

namespace snpp {
namespace {

// Where the stored ID starts: two past the first comma (the comma and the
// character after it, blank or not). npos when there is no comma.
std::size_t IdStart(std::string_view entry) {
  const std::size_t comma = entry.find(',');
  if (comma == std::string_view::npos) return std::string_view::npos;
  return comma + 2;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string BuildEntry(std::string_view name, std::string_view pagerId) {
  std::string entry;
  entry.reserve(name.size() + 2 + pagerId.size());
  entry.append(name).append(", ").append(pagerId);
  return entry;
}

EntryParts SplitEntry(std::string_view entry) {
  const std::size_t start = IdStart(entry);
  if (start == std::string_view::npos) return {std::string(entry), {}};
  EntryParts parts{std::string(entry.substr(0, entry.find(','))), {}};
  if (start < entry.size()) parts.pagerId = entry.substr(start);
  return parts;
}

std::string retrieveID(std::string_view entry) {
  std::string id;
  const std::size_t start = IdStart(entry);
  if (start == std::string_view::npos) return id;
  for (std::size_t p = start; p < entry.size() && id.size() < kMaxPagedDigits; ++p) {
    if (IsDigit(entry[p])) id.push_back(entry[p]);
  }
  return id;
}

bool PagerIdTooLong(std::string_view entry) {
  const std::size_t start = IdStart(entry);
  if (start >= entry.size()) return false;
  std::size_t digits = 0;
  for (char c : entry.substr(start)) digits += IsDigit(c) ? 1 : 0;
  return digits > kMaxPagedDigits;
}

std::string PagerIdTooLongText(std::string_view entry) {
  return "Error: pager ID longer than " + std::to_string(kMaxPagedDigits) +
         " digits: " + std::string(entry);
}

}  // namespace snpp
