#include "paging/snpp_protocol.h"

#include <cstddef>

namespace snpp {

namespace {

constexpr char kNoticeMarker = '\x02';
constexpr std::size_t kNoticeStart = 5;  // 0-based index of the sixth byte
constexpr std::size_t kNoticeMaxChars = 40;

bool IsUtf8Continuation(unsigned char c) { return (c & 0xC0) == 0x80; }

}  // namespace

ReplyClass ClassifyReply(std::string_view text) {
  const std::string_view code = text.substr(0, 3);
  if (code == "220") return ReplyClass::Greeting;
  if (code == "250") return ReplyClass::Accepted;
  if (code == "221") return ReplyClass::Closing;
  if ((!text.empty() && text.front() == '5') || code == "421") return ReplyClass::Failure;
  return ReplyClass::Ignored;
}

std::string ExtractNotice(std::string_view greeting) {
  if (greeting.size() <= 6 || greeting[4] != kNoticeMarker) return {};
  // The last byte is never part of the notice (normally it is the LF), and a
  // CR ends it. The limit counts characters as the user sees them, so a UTF-8
  // sequence is taken whole or not at all.
  std::size_t end = greeting.size() - 1;
  while (end > kNoticeStart && IsUtf8Continuation(static_cast<unsigned char>(greeting[end]))) --end;
  std::size_t pos = kNoticeStart;
  std::size_t chars = 0;
  while (pos < end && chars < kNoticeMaxChars && greeting[pos] != '\r') {
    std::size_t next = pos + 1;
    while (next < end && IsUtf8Continuation(static_cast<unsigned char>(greeting[next]))) ++next;
    pos = next;
    ++chars;
  }
  return std::string(greeting.substr(kNoticeStart, pos - kNoticeStart));
}

std::string OneLine(std::string_view argument) {
  std::string out;
  out.reserve(argument.size());
  for (std::size_t i = 0; i < argument.size(); ++i) {
    const char c = argument[i];
    if (c == '\r') {
      if (i + 1 < argument.size() && argument[i + 1] == '\n') ++i;
      out += ' ';
    } else if (c == '\n') {
      out += ' ';
    } else {
      out += c;
    }
  }
  return out;
}

std::string PageCommand(std::string_view pagerId) { return "PAGE " + OneLine(pagerId) + "\r\n"; }

std::string MessCommand(std::string_view message) { return "MESS " + OneLine(message) + "\r\n"; }

}  // namespace snpp
