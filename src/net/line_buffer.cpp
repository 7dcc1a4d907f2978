#include "line_buffer.h"

#include <algorithm>
#include <cstring>

namespace snpp::net {

LineBuffer::LineBuffer(std::uint16_t capacity) { SetCapacity(capacity); }

void LineBuffer::SetCapacity(std::uint16_t capacity) {
  capacity = std::max<std::uint16_t>(capacity, 1);
  if (capacity != capacity_) {
    std::vector<char> fresh(static_cast<std::size_t>(capacity) + 1);  // may throw; old buffer kept
    data_.swap(fresh);
    capacity_ = capacity;
  }
  Clear();
}

void LineBuffer::SetTerminator(std::string_view terminator) {
  terminator_.assign(terminator.data(), terminator.size());
  searchFrom_ = 0;
}

void LineBuffer::Clear() {
  start_ = 0;
  count_ = 0;
  searchFrom_ = 0;
}

bool LineBuffer::TakeLine(std::string_view& line) {
  if (terminator_.empty()) {
    if (count_ == 0) return false;
    return TakeRest(line);
  }
  const std::size_t n = terminator_.size();
  if (count_ < n) return false;
  const char* begin = data_.data() + start_;
  const std::size_t last = count_ - n;  // last position a terminator can start at
  for (std::size_t p = searchFrom_; p <= last;) {
    const void* hit = std::memchr(begin + p, terminator_[0], last - p + 1);
    if (hit == nullptr) break;
    p = static_cast<std::size_t>(static_cast<const char*>(hit) - begin);
    // The first byte matched; CR LF needs one more look, not a call.
    if (n == 1 || (begin[p + 1] == terminator_[1] &&
                   (n == 2 || std::memcmp(begin + p + 2, terminator_.data() + 2, n - 2) == 0))) {
      line = std::string_view(begin, p);
      start_ = static_cast<std::uint16_t>(start_ + p + n);
      count_ = static_cast<std::uint16_t>(count_ - p - n);
      searchFrom_ = 0;
      if (count_ == 0) start_ = 0;
      return true;
    }
    ++p;
  }
  searchFrom_ = static_cast<std::uint16_t>(last + 1);
  Compact();
  return false;
}

bool LineBuffer::TakeRest(std::string_view& rest) {
  rest = std::string_view(data_.data() + start_, count_);
  const bool any = count_ != 0;
  Clear();
  return any;
}

void LineBuffer::Compact() {
  if (start_ == 0) return;
  std::memmove(data_.data(), data_.data() + start_, count_);
  start_ = 0;
}

std::span<char> LineBuffer::FreeSpace() {
  // Reads always land right behind the data, so the data must start at 0 for
  // the room to be as large as the capacity allows.
  Compact();
  return std::span<char>(data_.data() + count_, static_cast<std::size_t>(capacity_ - count_));
}

void LineBuffer::Commit(std::size_t n) {
  n = std::min<std::size_t>(n, static_cast<std::size_t>(capacity_ - start_ - count_));
  count_ = static_cast<std::uint16_t>(count_ + n);
}

}  // namespace snpp::net
