// Feeds the line buffer random chunks under random capacities and
// terminators, changed midway too. Whatever comes out as lines, their
// terminators and the rests must be exactly the bytes that went in.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "net/line_buffer.h"

namespace {

struct Input {
  const std::uint8_t* data;
  std::size_t size;
  std::uint8_t Byte() {
    if (size == 0) return 0;
    --size;
    return *data++;
  }
  std::string Bytes(std::size_t n) {
    n = n < size ? n : size;
    std::string s(reinterpret_cast<const char*>(data), n);
    data += n;
    size -= n;
    return s;
  }
};

void Check(bool ok) {
  if (!ok) std::abort();
}

// Takes every line the buffer gives, as the receive pass does.
void TakeLines(snpp::net::LineBuffer& b, std::string& out) {
  std::string_view line;
  while (b.TakeLine(line)) {
    if (!b.Terminator().empty()) Check(line.find(b.Terminator()) == std::string_view::npos);
    out.append(line);
    out.append(b.Terminator());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input in{data, size};
  const std::uint8_t capacityByte = in.Byte();
  const auto capacity = static_cast<std::uint16_t>(capacityByte < 200 ? capacityByte % 40 + 1 : capacityByte * 97);
  snpp::net::LineBuffer b(capacity);
  b.SetTerminator(in.Bytes(in.Byte() % 5));

  std::string fed;
  std::string out;
  while (in.size > 0) {
    const std::uint8_t op = in.Byte();
    if (op < 200) {
      const std::string chunk = in.Bytes(op % 50 + 1);
      std::size_t done = 0;
      while (done < chunk.size()) {
        auto room = b.FreeSpace();
        Check(room.size() + b.Count() == b.Capacity());
        if (room.empty()) {
          // A full buffer without a line must give its bytes up as a rest.
          std::string_view rest;
          Check(b.TakeRest(rest));
          out.append(rest);
          continue;
        }
        const std::size_t n = std::min(room.size(), chunk.size() - done);
        std::memcpy(room.data(), chunk.data() + done, n);
        b.Commit(n);
        fed.append(chunk, done, n);
        done += n;
        TakeLines(b, out);
      }
    } else if (op < 240) {
      b.SetTerminator(in.Bytes(op % 5));
      TakeLines(b, out);
    } else {
      std::string_view rest;
      b.TakeRest(rest);
      out.append(rest);
    }
  }
  TakeLines(b, out);
  std::string_view rest;
  b.TakeRest(rest);
  out.append(rest);
  Check(out == fed);
  return 0;
}
