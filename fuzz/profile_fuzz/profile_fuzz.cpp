// Profile text: reading never fails or overruns, a written value reads back
// unchanged, and a write leaves every other line byte-identical.

#include <fuzzer/FuzzedDataProvider.h>

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "directory/profile_text.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

// Lines with their breaks (CR LF, LF or CR), split independently of the
// code under test.
std::vector<std::string_view> Lines(std::string_view text) {
  std::vector<std::string_view> lines;
  std::size_t begin = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    lines.push_back(text.substr(begin, i + 1 - begin));
    begin = i + 1;
  }
  if (begin < text.size()) lines.push_back(text.substr(begin));
  return lines;
}

std::string_view Content(std::string_view line) {
  while (!line.empty() && (line.back() == '\r' || line.back() == '\n')) line.remove_suffix(1);
  return line;
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) {
      return false;
    }
  }
  return true;
}

// Another key's value must not move when this one is written.
void CheckUnchanged(std::string_view before, std::string_view after, std::string_view section,
                    std::string_view key) {
  Check(snpp::ReadProfileValue(before, section, key, "-", SIZE_MAX) ==
        snpp::ReadProfileValue(after, section, key, "-", SIZE_MAX));
}

std::string PickName(FuzzedDataProvider& in, std::vector<std::string_view> common) {
  const std::size_t pick = in.ConsumeIntegralInRange<std::size_t>(0, common.size());
  return pick < common.size() ? std::string(common[pick]) : in.ConsumeRandomLengthString(12);
}

void CheckOnlyTheKeyChanged(std::string_view before, std::string_view after) {
  if (before == after) return;  // the key already held this value
  const auto a = Lines(before);
  const auto b = Lines(after);
  std::size_t head = 0;
  while (head < a.size() && head < b.size() && a[head] == b[head]) ++head;
  std::size_t tail = 0;
  while (tail < a.size() - head && tail < b.size() - head &&
         a[a.size() - 1 - tail] == b[b.size() - 1 - tail]) {
    ++tail;
  }
  const std::size_t oldCount = a.size() - head - tail;
  const std::size_t newCount = b.size() - head - tail;
  if (oldCount == 0) {  // lines added: a key, or a section and its key
    Check(newCount >= 1 && newCount <= 2);
    return;
  }
  Check(oldCount == 1);
  const std::string_view oldLine = a[head];
  const std::string_view newLine = b[head];
  if (newCount == 1) {  // the key's value replaced in place
    const std::size_t eq = oldLine.find('=');
    Check(eq != std::string_view::npos && newLine.substr(0, eq + 1) == oldLine.substr(0, eq + 1));
    Check(oldLine.substr(Content(oldLine).size()) == newLine.substr(Content(newLine).size()));
    return;
  }
  // The last line had no break: it gains one, then lines follow.
  Check(head + 1 == a.size() && Content(oldLine) == oldLine);
  Check(newCount >= 2 && newCount <= 3 && Content(newLine) == oldLine);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  const std::string section = PickName(in, {"General", "gEnErAl", "A"});
  const std::string key = PickName(in, {"message1", "MESSAGE1", "k"});
  const std::string otherKey = PickName(in, {"message2", "k", "x"});
  const std::string value = in.ConsumeRandomLengthString(64);
  const std::size_t buffer = in.ConsumeIntegralInRange<std::size_t>(0, 64);
  const std::string text = in.ConsumeRemainingBytesAsString();

  const std::string cut = snpp::ReadProfileValue(text, section, key, value, buffer);
  Check(buffer == 0 ? cut.empty() : cut.size() < buffer);

  const std::optional<std::string> written = snpp::WriteProfileValue(text, section, key, value);
  if (!written) return 0;
  Check(snpp::ReadProfileValue(*written, section, key, "", SIZE_MAX) == value);
  if (!SameName(otherKey, key)) CheckUnchanged(text, *written, section, otherKey);
  if (!SameName(section, "Other")) CheckUnchanged(text, *written, "Other", key);
  CheckOnlyTheKeyChanged(text, *written);
  return 0;
}
