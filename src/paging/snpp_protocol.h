#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace snpp {

// What a server reply means to the send, decided by its first three bytes.
enum class ReplyClass { Greeting, Accepted, Closing, Failure, Ignored };

ReplyClass ClassifyReply(std::string_view text);

// True when text begins with a reply code: three digits.
bool StartsWithReplyCode(std::string_view text);

// The short notice a greeting may carry after the byte 0x02 in its fifth
// position; empty when there is none.
std::string ExtractNotice(std::string_view greeting);

// Each command must stay one line on the wire, so every CR, LF or CR LF pair
// inside an argument becomes one blank; nothing else is touched.
std::string OneLine(std::string_view argument);

// Bytes of the well-formed UTF-8 character at the front of text (1 for a
// plain ASCII byte); 0 when none starts there.
std::size_t Utf8SequenceLength(std::string_view text);

// "354": the server waits for the text of a DATA command.
bool AsksForText(std::string_view reply);

// The longest command line a gateway is bound to read whole, CR LF included;
// whatever a gateway cuts off would be run as a command of its own.
inline constexpr std::size_t kMaxCommandLine = 511;

std::string PageCommand(std::string_view pagerId);
std::string MessCommand(std::string_view message);
inline constexpr char kSendCommand[] = "SEND\r\n";
inline constexpr char kQuitCommand[] = "QUIT\r\n";
inline constexpr char kDataCommand[] = "DATA\r\n";

// True when MessCommand(message) is at most kMaxCommandLine bytes; a longer
// message goes as the text of a DATA command.
bool FitsMessLine(std::string_view message);

// The text that follows "354": the message's lines (a CR LF, CR or LF ends
// one), a leading "." doubled, a blank before a line that starts like a
// command, then a line holding only ".". A line too long for
// kMaxCommandLine is broken after its last blank that fits, or at the limit
// when it has none, never inside a UTF-8 character.
std::string DataText(std::string_view message);

}  // namespace snpp
