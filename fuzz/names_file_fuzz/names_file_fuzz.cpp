// names.txt bytes: load -> save -> load keeps the entries, a read cut short
// gives a prefix of them, and every entry splits without reading past its end.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
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
  return 0;
}
