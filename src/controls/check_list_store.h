#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "controls/check_list_state.h"

namespace snpp {

// The items of a check list with their states, in list order. Kept in blocks
// of a few hundred entries so that inserting anywhere in a list of tens of
// thousands of names costs a short move instead of shifting the whole list.
class CheckListStore {
 public:
  struct Entry {
    std::string text;
    TCheckBoxState state = cbUnchecked;
  };

  int Count() const { return count_; }
  const Entry& At(int index) const;
  Entry& At(int index);

  void Insert(int index, Entry entry);  // 0 <= index <= Count()
  void Erase(int index);                // 0 <= index < Count()
  void Clear();

  // Position behind the last entry that does not sort after `text`, for a
  // list kept in the order of `less`.
  template <class Less>
  int UpperBound(const std::string& text, Less less) const;

  // All entries in order; used for whole-list rearrangements only.
  std::vector<Entry> TakeAll();
  void Assign(std::vector<Entry> entries);

 private:
  static constexpr std::size_t kMaxBlock = 256;

  struct Place {
    std::size_t block;
    std::size_t offset;
  };
  Place Locate(int index) const;
  void ShiftStarts(std::size_t fromBlock, int delta);

  std::vector<std::vector<Entry>> blocks_;
  std::vector<int> starts_;  // list index of each block's first entry
  int count_ = 0;
};

template <class Less>
int CheckListStore::UpperBound(const std::string& text, Less less) const {
  // First block whose first entry sorts after `text`; the answer lies in
  // the block before it.
  std::size_t lo = 0, hi = blocks_.size();
  while (lo < hi) {
    std::size_t mid = (lo + hi) / 2;
    if (less(text, blocks_[mid].front().text)) hi = mid; else lo = mid + 1;
  }
  if (lo == 0) return 0;
  const auto& block = blocks_[lo - 1];
  std::size_t a = 0, b = block.size();
  while (a < b) {
    std::size_t mid = (a + b) / 2;
    if (less(text, block[mid].text)) b = mid; else a = mid + 1;
  }
  return starts_[lo - 1] + static_cast<int>(a);
}

}  // namespace snpp
