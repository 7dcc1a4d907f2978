#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "controls/check_list_state.h"

namespace snpp {

// The list's order: bytes compared with ASCII letters folded to lower case.
int CompareIgnoreCase(std::string_view a, std::string_view b);

// The items of a check list with their states, in list order. Kept in blocks
// of a few hundred entries so that inserting anywhere in a list of tens of
// thousands of names costs a short move instead of shifting the whole list.
// Each entry carries its first eight folded bytes as a number, so finding a
// sorted place rarely has to follow a pointer into the text.
class CheckListStore {
 public:
  struct Entry {
    std::string text;
    TCheckBoxState state = cbUnchecked;
    std::uint64_t key = 0;  // set by the store
  };

  int Count() const { return count_; }
  const Entry& At(int index) const;
  const Entry& Back() const { return blocks_.back().back(); }  // Count() > 0
  void SetState(int index, TCheckBoxState state);

  void Insert(int index, std::string text, TCheckBoxState state);  // 0 <= index <= Count()
  void Erase(int index);                                           // 0 <= index < Count()
  void Clear();

  // Position behind the last entry that does not sort after `text`, in a
  // store kept in CompareIgnoreCase order.
  int UpperBound(const std::string& text) const;

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
  void AddBlock(std::size_t at, std::vector<Entry> entries, int start);
  void RemoveBlock(std::size_t at);

  std::vector<std::vector<Entry>> blocks_;
  std::vector<int> starts_;                // list index of each block's first entry
  std::vector<std::uint64_t> frontKeys_;  // key of each block's first entry
  int count_ = 0;
};

}  // namespace snpp
