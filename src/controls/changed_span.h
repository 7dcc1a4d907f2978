#pragma once
// Where one edit changed a text: the items both versions share at their
// start, then, of what is left, at their end. What lies between is what the
// edit removed and inserted.

#include <cstddef>

namespace snpp {

struct ChangedSpan {
  std::size_t head = 0;  // items shared at the start
  std::size_t tail = 0;  // items shared at the end, not counting the head
};

// `same(i, j)`: whether item i of the old version equals item j of the new.
template <class Same>
ChangedSpan FindChangedSpan(std::size_t wasCount, std::size_t isCount, Same same) {
  ChangedSpan span;
  while (span.head < wasCount && span.head < isCount && same(span.head, span.head)) ++span.head;
  while (span.tail < wasCount - span.head && span.tail < isCount - span.head &&
         same(wasCount - 1 - span.tail, isCount - 1 - span.tail))
    ++span.tail;
  return span;
}

}  // namespace snpp
