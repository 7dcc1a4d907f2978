// names.txt bytes: load -> save -> load keeps the entries, a read cut short
// gives a prefix of them, every entry splits without reading past its end,
// and merging two copies' changes counts every entry right.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "directory/names_file.h"
#include "directory/recipient_entry.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

void CheckEntry(const std::string& entry) {
  const snpp::EntryParts parts = snpp::SplitEntry(entry);
  const std::string id = snpp::retrieveID(entry);
  Check(id.size() <= snpp::kMaxPagedDigits);
  for (char c : id) Check(c >= '0' && c <= '9');
  const std::size_t comma = entry.find(',');
  if (comma == std::string::npos) {
    Check(parts.name == entry && parts.pagerId.empty() && id.empty());
    return;
  }
  Check(parts.name == entry.substr(0, comma));
  Check(parts.pagerId == (comma + 2 < entry.size() ? entry.substr(comma + 2) : ""));
  Check(snpp::SplitEntry(snpp::BuildEntry(parts.name, parts.pagerId)).name == parts.name);
}

// Three lists drawn from the same entries, so that they share values. The
// merge must give each value max(0, disk + current - loaded) times, and
// keep the order of what was on disk.
void CheckMerge(const std::vector<std::string>& entries) {
  std::vector<std::string> loaded, current, onDisk;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (i % 2 == 0) loaded.push_back(entries[i]);
    if (i % 3 != 0) current.push_back(entries[i]);
    if (i % 5 != 0) onDisk.push_back(entries[i]);
  }
  const std::vector<std::string> merged = snpp::MergeNames(loaded, current, onDisk);
  std::map<std::string, long> want;
  for (const auto& e : onDisk) ++want[e];
  for (const auto& e : current) ++want[e];
  for (const auto& e : loaded) --want[e];
  std::map<std::string, long> got;
  for (const auto& e : merged) ++got[e];
  for (const auto& [value, count] : want) Check(got[value] == std::max(0L, count));
  for (const auto& [value, count] : got) Check(want.count(value) == 1 || count == 0);
  std::size_t at = 0;  // what is kept of onDisk comes first, in its order
  for (const auto& e : onDisk) {
    if (at < merged.size() && merged[at] == e) ++at;
  }
  for (std::size_t i = at; i < merged.size(); ++i) Check(std::count(current.begin(), current.end(), merged[i]) > 0);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> entries = snpp::ParseNames(bytes);

  const std::string saved = snpp::FormatNames(entries);
  Check(snpp::ParseNames(saved) == entries);
  Check(snpp::FormatNames(snpp::ParseNames(saved)) == saved);

  const std::vector<std::string> partial = snpp::ParseNames(bytes, false);
  Check(partial.size() <= entries.size());
  for (std::size_t i = 0; i < partial.size(); ++i) Check(partial[i] == entries[i]);

  for (const std::string& entry : entries) CheckEntry(entry);
  CheckMerge(entries);
  return 0;
}
