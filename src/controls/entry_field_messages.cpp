#include "entry_field_messages.h"

#include <algorithm>
#include <array>
#include <utility>

namespace snpp {
namespace {

// Sorted by number: looked up by binary search.
constexpr std::array<std::pair<std::uint32_t, const char*>, 18> kMessages{{
    {kErrRange, "Value is not within required range"},
    {kErrInvalid, "Value is not valid for this field type"},
    {kErrRequired, "A value is required in this field"},
    {kErrDate, "Value is not a valid date"},
    {kErrTime, "Value is not a valid time"},
    {kErrBlanks, "This field should contain no blanks"},
    {kErrPartial, "This field should be either empty or completely full"},
    {kMsgTableDefault, "Default"},
    {kMsgTableWordStar, "WordStar"},
    {kMsgTableGrid, "Grid"},
    {kMsgNoController, "No Controller assigned"},
    {kMsgEntryError, "Entry Error"},
    {kMsgRestore, "&Restore"},
    {kMsgCut, "Cu&t"},
    {kMsgCopy, "&Copy"},
    {kMsgPaste, "&Paste"},
    {kMsgDelete, "&Delete"},
    {kMsgSelectAll, "Select &All"},
}};
static_assert(std::is_sorted(kMessages.begin(), kMessages.end()));

}  // namespace

std::string EntryMessage(std::uint32_t number) {
  auto it = std::lower_bound(kMessages.begin(), kMessages.end(), number,
                             [](const auto& m, std::uint32_t n) { return m.first < n; });
  if (it == kMessages.end() || it->first != number) return "Unknown";
  return it->second;
}

std::string ValidationErrorText(std::uint16_t code) {
  if (code >= kErrRange && code <= kErrPartial) return EntryMessage(code);
  return EntryMessage(kMsgEntryError);
}

}  // namespace snpp
