#pragma once

namespace snpp {

// Where a send stands. The numbers are fixed: other code and logs refer to them.
enum class SendState {
  Idle = 1,
  Connecting = 2,
  AwaitGreeting = 3,
  AwaitPageReply = 4,
  AwaitMessReply = 5,
  AwaitSendReply = 6,
  AwaitQuitReply = 7,
  AwaitDataReply = 8,  // DATA written for a message too long for MESS; waiting for "354"
};

}  // namespace snpp
