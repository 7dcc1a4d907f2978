#include "controls/check_list_store.h"

#include <algorithm>
#include <iterator>

namespace snpp {

CheckListStore::Place CheckListStore::Locate(int index) const {
  auto it = std::upper_bound(starts_.begin(), starts_.end(), index);
  std::size_t block = static_cast<std::size_t>(std::distance(starts_.begin(), it)) - 1;
  return {block, static_cast<std::size_t>(index - starts_[block])};
}

const CheckListStore::Entry& CheckListStore::At(int index) const {
  Place p = Locate(index);
  return blocks_[p.block][p.offset];
}

CheckListStore::Entry& CheckListStore::At(int index) {
  Place p = Locate(index);
  return blocks_[p.block][p.offset];
}

void CheckListStore::ShiftStarts(std::size_t fromBlock, int delta) {
  for (std::size_t b = fromBlock; b < starts_.size(); ++b) starts_[b] += delta;
}

void CheckListStore::Insert(int index, Entry entry) {
  if (blocks_.empty()) {
    blocks_.emplace_back().push_back(std::move(entry));
    starts_.push_back(0);
    count_ = 1;
    return;
  }
  // Appending goes to the last block; anything else to the block holding
  // the entry now at `index`.
  Place p = index == count_ ? Place{blocks_.size() - 1, blocks_.back().size()} : Locate(index);
  auto& block = blocks_[p.block];
  block.insert(block.begin() + static_cast<std::ptrdiff_t>(p.offset), std::move(entry));
  ShiftStarts(p.block + 1, 1);
  ++count_;
  if (block.size() <= kMaxBlock) return;

  std::size_t half = block.size() / 2;
  std::vector<Entry> tail(std::make_move_iterator(block.begin() + static_cast<std::ptrdiff_t>(half)),
                          std::make_move_iterator(block.end()));
  block.resize(half);
  int tailStart = starts_[p.block] + static_cast<int>(half);
  blocks_.insert(blocks_.begin() + static_cast<std::ptrdiff_t>(p.block) + 1, std::move(tail));
  starts_.insert(starts_.begin() + static_cast<std::ptrdiff_t>(p.block) + 1, tailStart);
}

void CheckListStore::Erase(int index) {
  Place p = Locate(index);
  auto& block = blocks_[p.block];
  block.erase(block.begin() + static_cast<std::ptrdiff_t>(p.offset));
  ShiftStarts(p.block + 1, -1);
  --count_;
  if (!block.empty()) return;
  blocks_.erase(blocks_.begin() + static_cast<std::ptrdiff_t>(p.block));
  starts_.erase(starts_.begin() + static_cast<std::ptrdiff_t>(p.block));
}

void CheckListStore::Clear() {
  blocks_.clear();
  starts_.clear();
  count_ = 0;
}

std::vector<CheckListStore::Entry> CheckListStore::TakeAll() {
  std::vector<Entry> all;
  all.reserve(static_cast<std::size_t>(count_));
  for (auto& block : blocks_)
    for (auto& e : block) all.push_back(std::move(e));
  Clear();
  return all;
}

void CheckListStore::Assign(std::vector<Entry> entries) {
  Clear();
  for (std::size_t i = 0; i < entries.size(); i += kMaxBlock / 2) {
    std::size_t end = std::min(entries.size(), i + kMaxBlock / 2);
    blocks_.emplace_back(std::make_move_iterator(entries.begin() + static_cast<std::ptrdiff_t>(i)),
                         std::make_move_iterator(entries.begin() + static_cast<std::ptrdiff_t>(end)));
    starts_.push_back(static_cast<int>(i));
  }
  count_ = static_cast<int>(entries.size());
}

}  // namespace snpp
