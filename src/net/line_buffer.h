#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace snpp::net {

// Inbound bytes waiting to be cut into lines at a terminator. Pieces handed
// out are views into the buffer, valid until the next call that changes it.
class LineBuffer {
 public:
  static constexpr std::uint16_t kDefaultCapacity = 2048;

  explicit LineBuffer(std::uint16_t capacity = kDefaultCapacity);

  std::uint16_t Capacity() const { return capacity_; }
  // Empties the buffer. A capacity of 0 is raised to 1: an empty buffer could
  // never make room and a reader would loop for ever.
  void SetCapacity(std::uint16_t capacity);

  const std::string& Terminator() const { return terminator_; }
  void SetTerminator(std::string_view terminator);

  void Clear();
  std::size_t Count() const { return count_; }
  bool Full() const { return count_ == capacity_; }

  // Next line without its terminator; with no terminator set, everything.
  bool TakeLine(std::string_view& line);
  // Everything left, unterminated.
  bool TakeRest(std::string_view& rest);

  // Room behind the data for the next read; empty when full.
  std::span<char> FreeSpace();
  // Adds `n` bytes just written into FreeSpace().
  void Commit(std::size_t n);

 private:
  void Compact();

  std::vector<char> data_;
  std::uint16_t capacity_ = 0;
  std::uint16_t start_ = 0;
  std::uint16_t count_ = 0;
  // Offset from start_ where the next terminator search begins: the bytes
  // before it are known not to start one, so slow senders cost no rescans.
  std::uint16_t searchFrom_ = 0;
  std::string terminator_;
};

}  // namespace snpp::net
