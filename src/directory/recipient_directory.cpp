#include "directory/recipient_directory.h"

#include <map>
#include <vector>

#include "directory/recipient_entry.h"

namespace snpp {

// The file counts as loaded only once every entry is in the list: should
// adding them fail (out of memory with a huge file), the list holds part of
// the file and must never be saved over it.
void RecipientDirectory::Load() {
  view_.ClearNames();
  try {
    for (const std::string& entry : file_.Load()) view_.AddName(entry);
  } catch (...) {
    file_.MarkIncomplete();
    throw;
  }
}

NamesSave RecipientDirectory::Save() {
  return file_.Save(Entries(), [this](const std::vector<std::string>& merged) {
    ShowOnly(merged);
    return Entries();
  });
}

std::vector<std::string> RecipientDirectory::Entries() const {
  std::vector<std::string> entries;
  entries.reserve(static_cast<std::size_t>(view_.NameCount()));
  for (int i = 0; i < view_.NameCount(); ++i) entries.push_back(view_.NameItem(i));
  return entries;
}

// Makes the list hold exactly `wanted`, touching only the entries that
// differ, so the others keep their check marks and the list its order.
void RecipientDirectory::ShowOnly(const std::vector<std::string>& wanted) {
  std::map<std::string, int> missing;
  for (const std::string& entry : wanted) ++missing[entry];
  for (int i = view_.NameCount() - 1; i >= 0; --i) {
    int& count = missing[view_.NameItem(i)];
    if (count > 0) --count;
    else view_.DeleteName(i);
  }
  for (const auto& [entry, count] : missing) {
    for (int n = 0; n < count; ++n) view_.AddName(entry);
  }
}

void RecipientDirectory::AddButtonClick() {
  std::string name, id;
  if (!view_.AskForName(name, id)) return;
  if (name.empty() || id.empty()) return;
  view_.AddName(BuildEntry(name, id));
}

// The edited entry is replaced by delete and add, so it moves to its sorted
// place and comes back unchecked.
void RecipientDirectory::editNameButtonClick() {
  const int index = view_.NameItemIndex();
  if (index < 0) return;
  EntryParts parts = SplitEntry(view_.NameItem(index));
  if (!view_.AskForName(parts.name, parts.pagerId)) return;
  if (parts.name.empty() || parts.pagerId.empty()) return;
  view_.DeleteName(index);
  view_.AddName(BuildEntry(parts.name, parts.pagerId));
}

void RecipientDirectory::deleteButtonClick() {
  const int index = view_.NameItemIndex();
  if (index >= 0) view_.DeleteName(index);
}

void RecipientDirectory::namesListBoxClick() {
  if (view_.CheckedCount() > 0) return;
  const int index = view_.NameItemIndex();
  if (index < 0) return;
  const std::string entry = view_.NameItem(index);
  const bool refused = PagerIdTooLong(entry);
  view_.SetPagerNumberEnabled(true);
  view_.SetSelectingHintVisible(false);
  view_.SetPagerNumber(refused ? std::string() : retrieveID(entry));
  if (refused) view_.ShowRefusedPagerId(PagerIdTooLongText(entry));
}

void RecipientDirectory::namesListboxStateChange(int /*index*/, bool nowChecked) {
  if (nowChecked && !checkingAll_) EnterSeveralMode();
}

void RecipientDirectory::checkAllButtonClick() {
  checkingAll_ = true;
  for (int i = 0; i < view_.NameCount(); ++i) view_.SetNameChecked(i, true);
  checkingAll_ = false;
  EnterSeveralMode();
}

void RecipientDirectory::uncheckAllButtonClick() {
  for (int i = 0; i < view_.NameCount(); ++i) view_.SetNameChecked(i, false);
  view_.SetPagerNumber("");
  view_.SetPagerNumberEnabled(true);
  view_.SetSelectingHintVisible(false);
}

void RecipientDirectory::EnterSeveralMode() {
  view_.SetPagerNumber("");
  view_.SetPagerNumberEnabled(false);
  view_.SetSelectingHintVisible(true);
}

}  // namespace snpp
