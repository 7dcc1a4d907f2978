#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace snpp {

// What a server reply means to the send, decided by its first three bytes.
enum class ReplyClass { Greeting, Accepted, Closing, Failure, Ignored };

ReplyClass ClassifyReply(std::string_view text);

// The short notice a greeting may carry after the byte 0x02 in its fifth
// position; empty when there is none.
std::string ExtractNotice(std::string_view greeting);

// Each command must stay one line on the wire, so every CR, LF or CR LF pair
// inside an argument becomes one blank; nothing else is touched.
std::string OneLine(std::string_view argument);

// Bytes of the well-formed UTF-8 character at the front of text (1 for a
// plain ASCII byte); 0 when none starts there.
std::size_t Utf8SequenceLength(std::string_view text);

std::string PageCommand(std::string_view pagerId);
std::string MessCommand(std::string_view message);
inline constexpr char kSendCommand[] = "SEND\r\n";
inline constexpr char kQuitCommand[] = "QUIT\r\n";

}  // namespace snpp
