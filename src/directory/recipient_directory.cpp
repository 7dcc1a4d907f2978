#include "directory/recipient_directory.h"

#include <vector>

#include "directory/recipient_entry.h"

namespace snpp {

void RecipientDirectory::Load() {
  view_.ClearNames();
  for (const std::string& entry : file_.Load()) view_.AddName(entry);
}

void RecipientDirectory::Save() {
  std::vector<std::string> entries;
  entries.reserve(static_cast<std::size_t>(view_.NameCount()));
  for (int i = 0; i < view_.NameCount(); ++i) entries.push_back(view_.NameItem(i));
  file_.Save(entries);
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
  if (nowChecked) EnterSeveralMode();
}

void RecipientDirectory::checkAllButtonClick() {
  for (int i = 0; i < view_.NameCount(); ++i) view_.SetNameChecked(i, true);
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
