#include "controls/check_list_model.h"

#include <algorithm>
#include <climits>
#include <numeric>
#include <stdexcept>
#include <vector>

namespace snpp {
namespace {

bool LessIgnoreCase(const std::string& a, const std::string& b) { return CompareIgnoreCase(a, b) < 0; }

// Rows taller than this make no sense for a list of names.
constexpr int kMaxItemHeight = 255;

}  // namespace

int CheckListModel::CompareIgnoreCase(std::string_view a, std::string_view b) { return snpp::CompareIgnoreCase(a, b); }

std::optional<std::array<int, 3>> CheckListModel::MoveCurrent(int index) {
  const int oldFocus = FocusIndex();
  const int oldCurrent = itemIndex_;
  SetItemIndex(index);
  if (oldCurrent == itemIndex_) return std::nullopt;
  return std::array<int, 3>{oldFocus, oldCurrent, itemIndex_};
}

int CheckListModel::Add(std::string text) {
  if (Count() == INT_MAX) return -1;
  // Behind any equal entries, so a file saved in list order loads back in
  // the same order even where entries differ only in case. Such a file
  // comes in sorted: one comparison with the last entry places each line.
  int at = Count();
  if (sorted_ && at > 0 && LessIgnoreCase(text, store_.Back().text)) at = store_.UpperBound(text);
  store_.Insert(at, std::move(text), cbUnchecked);
  ++stateCounts_[cbUnchecked];
  if (itemIndex_ >= at) ++itemIndex_;
  return at;
}

bool CheckListModel::Delete(int index) {
  if (!IsValidIndex(index)) return false;
  --stateCounts_[store_.At(index).state];
  store_.Erase(index);
  if (itemIndex_ == index) itemIndex_ = -1;
  else if (itemIndex_ > index) --itemIndex_;
  return true;
}

void CheckListModel::Clear() {
  store_.Clear();
  stateCounts_ = {};
  itemIndex_ = -1;
}

const std::string& CheckListModel::Item(int index) const {
  if (!IsValidIndex(index)) throw std::out_of_range("List index out of bounds (" + std::to_string(index) + ")");
  return store_.At(index).text;
}

TCheckBoxState CheckListModel::ItemState(int index) const {
  return IsValidIndex(index) ? store_.At(index).state : cbUnchecked;
}

std::optional<CheckListModel::StateChange> CheckListModel::SetItemState(int index, TCheckBoxState state) {
  if (!IsValidIndex(index) || !IsValidState(state)) return std::nullopt;
  StateChange change{index, store_.At(index).state, state};
  --stateCounts_[change.oldState];
  store_.SetState(index, state);
  ++stateCounts_[state];
  return change;
}

std::optional<CheckListModel::StateChange> CheckListModel::CycleState(int index) {
  return SetItemState(index, NextState(ItemState(index), threeState_));
}

int CheckListModel::StateCount(TCheckBoxState state) const {
  return IsValidState(state) ? stateCounts_[state] : 0;
}

void CheckListModel::SetSorted(bool sorted) {
  if (sorted == sorted_) return;
  sorted_ = sorted;
  if (sorted_) Resort();
}

void CheckListModel::Resort() {
  auto entries = store_.TakeAll();
  std::vector<int> order(entries.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(),
                   [&](int a, int b) { return LessIgnoreCase(entries[a].text, entries[b].text); });
  std::vector<CheckListStore::Entry> sortedEntries;
  sortedEntries.reserve(entries.size());
  int newIndex = -1;
  for (std::size_t i = 0; i < order.size(); ++i) {
    if (order[i] == itemIndex_) newIndex = static_cast<int>(i);
    sortedEntries.push_back(std::move(entries[order[i]]));
  }
  store_.Assign(std::move(sortedEntries));
  itemIndex_ = newIndex;  // the current item stays current
}

bool CheckListModel::SetItemHeight(int height) {
  if (height > kMaxItemHeight || height - 2 * boxMargin_ <= 0) return false;
  itemHeight_ = height;
  return true;
}

bool CheckListModel::SetBoxMargin(int margin) {
  if (margin <= 0 || itemHeight_ - 2 * margin <= 0) return false;
  boxMargin_ = margin;
  return true;
}

int CheckListModel::ItemAt(int y, int topIndex) const {
  if (y < 0 || topIndex < 0) return -1;
  long long index = static_cast<long long>(topIndex) + y / itemHeight_;
  return index < Count() ? static_cast<int>(index) : -1;
}

CheckListModel::PressPlan CheckListModel::PlanPress(int x, int y, int topIndex) const {
  PressPlan plan;
  plan.item = ItemAt(y, topIndex);
  // Rows start at the left edge; without an item the row rectangle is all
  // zero, which also starts there.
  const bool inZone = InBoxZone(x, 0, itemHeight_, boxMargin_);
  if (plan.item < 0) {
    plan.ordinary = x > itemHeight_ - boxMargin_ / 2;
    return plan;
  }
  plan.invalidateRow = inZone;
  plan.cycle = !boxClickOnly_ || inZone;
  plan.ordinary = true;
  return plan;
}

int CheckListModel::FindPrefix(int start, std::string_view prefix) const {
  const int n = Count();
  if (prefix.empty() || n == 0) return -1;
  int from = IsValidIndex(start) ? start : -1;
  for (int step = 1; step <= n; ++step) {
    int i = (from + step) % n;
    const std::string& text = store_.At(i).text;
    if (text.size() >= prefix.size() && CompareIgnoreCase(std::string_view(text).substr(0, prefix.size()), prefix) == 0)
      return i;
  }
  return -1;
}

int CheckListModel::NavigationTarget(ListMove move, int fullRows) const {
  const int last = Count() - 1;
  const int current = itemIndex_;
  const int page = std::max(1, fullRows - 1);
  switch (move) {
    case ListMove::Previous: return std::max(0, current - 1);
    case ListMove::Next: return std::min(last, current + 1);
    case ListMove::PageUp: return std::max(0, current - page);
    case ListMove::PageDown: return std::min(last, std::max(0, current) + page);
    case ListMove::First: return 0;
    case ListMove::Last: return last;
  }
  return current;
}

int CheckListModel::TypedTarget(std::string_view typed) const {
  const int found = FindPrefix(itemIndex_, typed);
  return found == itemIndex_ ? -1 : found;
}

bool CheckListModel::IsListCharacter(std::string_view typed) {
  return !typed.empty() && typed != "\t" && typed != "\x7f";
}

int CheckListModel::FullRows(int clientHeight, int rowHeight) {
  return rowHeight > 0 ? std::max(1, clientHeight / rowHeight) : 1;
}

int CheckListModel::MaxTopIndex(int fullRows) const { return std::max(0, Count() - fullRows); }

int CheckListModel::TopIndexShowing(int index, int topIndex, int fullRows) {
  if (index < 0) return topIndex;
  if (index < topIndex) return index;
  if (index >= topIndex + fullRows) return index - fullRows + 1;
  return topIndex;
}

RowLook CheckListModel::DecideRow(int index, bool listHasFocus) const {
  RowLook look;
  look.valid = IsValidIndex(index);
  if (!look.valid) return look;
  const TCheckBoxState state = ItemState(index);
  look.grayFill = state == cbGrayed;
  look.mark = state == cbChecked || state == cbGrayed;
  look.selected = index == itemIndex_;
  look.focused = listHasFocus && index == FocusIndex();
  return look;
}

}  // namespace snpp
