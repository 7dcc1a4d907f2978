// The receive pass: reads the socket into the line buffer and hands out lines
// (or, with no terminator, whole reads) as data-in events.
#include "socket_engine.h"
#include "socket_library.h"
#include "winsock_errors.h"

namespace snpp::net {

namespace {
// A sender faster than the handlers would otherwise keep one pass, and the
// whole program, busy for ever; the rest waits for the next read notification.
constexpr int kMaxReadsPerPass = 64;
}  // namespace

bool SocketEngine::RaiseDataIn(std::uint64_t generation, std::string_view piece, bool eol) {
  // The text lives in the engine's life record, so that events cost no
  // memory; an event raised inside another's handler gets its own string.
  const LifeRef life(life_);
  std::string own;
  const bool nested = life->textBusy;
  std::string& text = nested ? own : life->text;
  text.assign(piece.data(), piece.size());
  life->textBusy = true;
  const bool same = RaiseHeld(*life, generation, [&] { events_.EngineDataIn(text, eol); });
  if (!nested) life->textBusy = false;
  return same;
}

bool SocketEngine::DeliverLines(std::uint64_t generation) {
  std::string_view line;
  while (buffer_.TakeLine(line)) {
    if (!RaiseDataIn(generation, line, true)) return false;
  }
  return true;
}

bool SocketEngine::DeliverRest(std::uint64_t generation) {
  std::string_view rest;
  if (!buffer_.TakeRest(rest)) return true;
  return RaiseDataIn(generation, rest, false);
}

SocketEngine::PassEnd SocketEngine::ReceivePass(PassMode mode) {
  const std::uint64_t generation = generation_;
  const auto closeFromPass = [this] {
    insideReceive_ = false;
    CloseNow(0);
    return PassEnd::Stop;
  };
  int reads = 0;
  for (;;) {
    if (socket_ == kInvalidSocket) return PassEnd::Done;
    if (!DeliverLines(generation)) return PassEnd::Stop;
    if (buffer_.Full()) {
      if (!DeliverRest(generation)) return PassEnd::Stop;
      continue;
    }
    if (mode == PassMode::Read && closePending_) return closeFromPass();
    if (mode != PassMode::Read) {
      // Past the peer's close (or our own) nothing completes a line any more
      // that is not already in the buffer, so each read is flushed whole.
      if (!DeliverLines(generation) || !DeliverRest(generation)) return PassEnd::Stop;
    }
    if (mode == PassMode::Read && ++reads > kMaxReadsPerPass) return PassEnd::Done;
    const SocketFunctions& api = Library().Api();
    const std::span<char> room = buffer_.FreeSpace();
    const long n = api.Recv(socket_, room.data(), room.size(), 0);
    // A local close still takes what has arrived, so the system closes the
    // connection gracefully instead of resetting it over unread data; those
    // bytes are not delivered.
    if (mode == PassMode::Closing) return PassEnd::Done;
    if (n == 0) {
      if (mode == PassMode::Read && (!DeliverLines(generation) || !DeliverRest(generation))) return PassEnd::Stop;
      insideReceive_ = false;
      Close(0);
      return PassEnd::Stop;
    }
    if (n < 0) {
      const int err = api.GetLastError();
      if (err == kWsaEwouldblock || err == kWsaEnotsock) return PassEnd::Done;
      if (!Raise(generation, [&] { events_.EngineError(err, "Winsock error in recv()"); })) return PassEnd::Stop;
      if (mode == PassMode::Read && closePending_) return closeFromPass();
      return PassEnd::Done;
    }
    buffer_.Commit(static_cast<std::size_t>(n));
  }
}

}  // namespace snpp::net
