#include "controls/check_list_store.h"

#include <algorithm>
#include <iterator>

namespace snpp {
namespace {

unsigned char Fold(char c) {
  auto u = static_cast<unsigned char>(c);
  return (u >= 'A' && u <= 'Z') ? static_cast<unsigned char>(u + ('a' - 'A')) : u;
}

// Orders like CompareIgnoreCase on the first eight bytes (shorter texts
// padded with zero bytes): different keys decide, equal keys need the text.
std::uint64_t SortKey(std::string_view text) {
  std::uint64_t key = 0;
  for (std::size_t i = 0; i < 8; ++i) key = (key << 8) | (i < text.size() ? Fold(text[i]) : 0u);
  return key;
}

int Compare(std::uint64_t key, const std::string& text, const CheckListStore::Entry& e) {
  if (key != e.key) return key < e.key ? -1 : 1;
  return CompareIgnoreCase(text, e.text);
}

}  // namespace

int CompareIgnoreCase(std::string_view a, std::string_view b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const unsigned char x = Fold(a[i]), y = Fold(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

CheckListStore::Place CheckListStore::Locate(int index) const {
  auto it = std::upper_bound(starts_.begin(), starts_.end(), index);
  std::size_t block = static_cast<std::size_t>(std::distance(starts_.begin(), it)) - 1;
  return {block, static_cast<std::size_t>(index - starts_[block])};
}

const CheckListStore::Entry& CheckListStore::At(int index) const {
  Place p = Locate(index);
  return blocks_[p.block][p.offset];
}

void CheckListStore::SetState(int index, TCheckBoxState state) {
  Place p = Locate(index);
  blocks_[p.block][p.offset].state = state;
}

void CheckListStore::ShiftStarts(std::size_t fromBlock, int delta) {
  for (std::size_t b = fromBlock; b < starts_.size(); ++b) starts_[b] += delta;
}

void CheckListStore::AddBlock(std::size_t at, std::vector<Entry> entries, int start) {
  const auto pos = static_cast<std::ptrdiff_t>(at);
  frontKeys_.insert(frontKeys_.begin() + pos, entries.front().key);
  starts_.insert(starts_.begin() + pos, start);
  blocks_.insert(blocks_.begin() + pos, std::move(entries));
}

void CheckListStore::RemoveBlock(std::size_t at) {
  const auto pos = static_cast<std::ptrdiff_t>(at);
  frontKeys_.erase(frontKeys_.begin() + pos);
  starts_.erase(starts_.begin() + pos);
  blocks_.erase(blocks_.begin() + pos);
}

void CheckListStore::Insert(int index, std::string text, TCheckBoxState state) {
  const std::uint64_t key = SortKey(text);
  Entry entry{std::move(text), state, key};
  if (blocks_.empty()) {
    std::vector<Entry> first;
    first.reserve(kMaxBlock + 1);
    first.push_back(std::move(entry));
    AddBlock(0, std::move(first), 0);
    count_ = 1;
    return;
  }
  // Appending goes to the last block; anything else to the block holding
  // the entry now at `index`.
  Place p = index == count_ ? Place{blocks_.size() - 1, blocks_.back().size()} : Locate(index);
  auto& block = blocks_[p.block];
  block.insert(block.begin() + static_cast<std::ptrdiff_t>(p.offset), std::move(entry));
  frontKeys_[p.block] = block.front().key;
  ShiftStarts(p.block + 1, 1);
  ++count_;
  if (block.size() <= kMaxBlock) return;

  const auto half = static_cast<std::ptrdiff_t>(block.size() / 2);
  // Blocks get their full size at once, so filling one never reallocates.
  std::vector<Entry> tail;
  tail.reserve(kMaxBlock + 1);
  tail.insert(tail.end(), std::make_move_iterator(block.begin() + half), std::make_move_iterator(block.end()));
  block.erase(block.begin() + half, block.end());
  AddBlock(p.block + 1, std::move(tail), starts_[p.block] + static_cast<int>(half));
}

void CheckListStore::Erase(int index) {
  Place p = Locate(index);
  auto& block = blocks_[p.block];
  block.erase(block.begin() + static_cast<std::ptrdiff_t>(p.offset));
  ShiftStarts(p.block + 1, -1);
  --count_;
  if (block.empty()) RemoveBlock(p.block);
  else frontKeys_[p.block] = block.front().key;
}

void CheckListStore::Clear() {
  blocks_.clear();
  starts_.clear();
  frontKeys_.clear();
  count_ = 0;
}

int CheckListStore::UpperBound(const std::string& text) const {
  const std::uint64_t key = SortKey(text);
  // First block whose first entry sorts after `text`; the answer lies in
  // the block before it.
  std::size_t lo = 0, hi = blocks_.size();
  while (lo < hi) {
    const std::size_t mid = (lo + hi) / 2;
    const bool after = key != frontKeys_[mid] ? key < frontKeys_[mid] : Compare(key, text, blocks_[mid].front()) < 0;
    if (after) hi = mid; else lo = mid + 1;
  }
  if (lo == 0) return 0;
  const auto& block = blocks_[lo - 1];
  std::size_t a = 0, b = block.size();
  while (a < b) {
    const std::size_t mid = (a + b) / 2;
    if (Compare(key, text, block[mid]) < 0) b = mid; else a = mid + 1;
  }
  return starts_[lo - 1] + static_cast<int>(a);
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
  const std::size_t step = kMaxBlock / 2;
  for (std::size_t i = 0; i < entries.size(); i += step) {
    const std::size_t end = std::min(entries.size(), i + step);
    std::vector<Entry> block(std::make_move_iterator(entries.begin() + static_cast<std::ptrdiff_t>(i)),
                             std::make_move_iterator(entries.begin() + static_cast<std::ptrdiff_t>(end)));
    for (auto& e : block) e.key = SortKey(e.text);
    AddBlock(blocks_.size(), std::move(block), static_cast<int>(i));
  }
  count_ = static_cast<int>(entries.size());
}

}  // namespace snpp
