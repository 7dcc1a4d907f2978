#include "paging/snpp_protocol.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

namespace snpp {

namespace {

constexpr char kNoticeMarker = '\x02';
constexpr std::size_t kNoticeStart = 5;  // 0-based index of the sixth byte
constexpr std::size_t kNoticeMaxChars = 40;

// Stray bytes count as characters of their own.
std::size_t CharLength(std::string_view text) { return std::max<std::size_t>(1, Utf8SequenceLength(text)); }

}  // namespace

std::size_t Utf8SequenceLength(std::string_view text) {
  if (text.empty()) return 0;
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(0);
  if (lead < 0x80) return 1;
  // The second byte's range rules out overlong forms, surrogates and code
  // points past U+10FFFF.
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  }
  if (length == 0 || text.size() < length) return 0;
  if (byte(1) < low || byte(1) > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if ((byte(i) & 0xC0) != 0x80) return 0;
  }
  return length;
}

ReplyClass ClassifyReply(std::string_view text) {
  const std::string_view code = text.substr(0, 3);
  if (code == "220") return ReplyClass::Greeting;
  if (code == "250") return ReplyClass::Accepted;
  if (code == "221") return ReplyClass::Closing;
  if ((!text.empty() && text.front() == '5') || code == "421") return ReplyClass::Failure;
  return ReplyClass::Ignored;
}

bool StartsWithReplyCode(std::string_view text) {
  if (text.size() < 3) return false;
  for (std::size_t i = 0; i < 3; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
  }
  return true;
}

std::string ExtractNotice(std::string_view greeting) {
  if (greeting.size() <= 6 || greeting[4] != kNoticeMarker) return {};
  // The last character is never part of the notice (normally it is the LF),
  // and a CR ends it. The limit counts characters as the user sees them, so
  // a UTF-8 sequence is taken whole or not at all.
  std::size_t pos = kNoticeStart;
  std::size_t chars = 0;
  while (chars < kNoticeMaxChars && greeting[pos] != '\r') {
    const std::size_t next = pos + CharLength(greeting.substr(pos));
    if (next >= greeting.size()) break;  // pos holds the last character
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

bool AsksForText(std::string_view reply) { return reply.substr(0, 3) == "354"; }

bool FitsMessLine(std::string_view message) { return MessCommand(message).size() <= kMaxCommandLine; }

namespace {

constexpr char kLineEnd[] = "\r\n";
constexpr std::size_t kMaxTextLine = kMaxCommandLine - 2;  // without CR LF

// How many bytes of the front of a too-long line go on one wire line of room
// bytes: up to and with its last blank that fits, else whole characters up
// to the limit.
std::size_t LinePiece(std::string_view line, std::size_t room) {
  const std::size_t blank = line.substr(0, room).rfind(' ');
  if (blank != std::string_view::npos && blank > 0) return blank + 1;
  std::size_t take = 0;
  while (take < line.size()) {
    const std::size_t next = take + CharLength(line.substr(take));
    if (next > room) break;
    take = next;
  }
  return take;
}

// A gateway that finds the text too long says so at once and reads the
// lines after that as commands, known by their first four letters in any
// case ("Sending" is SEND). Such a line goes with a blank in front, which no
// command has.
bool ReadsAsCommand(std::string_view line) {
  static constexpr std::string_view kVerbs[] = {"PAGE", "MESS", "SEND", "DATA", "QUIT", "RESE", "LOGI", "LEVE",
                                                "HOLD", "SUBJ", "CALL", "ALER", "COVE", "HELP", "SITE", "2WAY",
                                                "PING", "EXPT", "NOQU", "ACKR", "RTYP", "MCRE", "MSTA", "KTAG"};
  if (line.size() < 4) return false;
  std::string word(line.substr(0, 4));
  for (char& c : word) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return std::find(std::begin(kVerbs), std::end(kVerbs), word) != std::end(kVerbs);
}

void AppendTextLine(std::string& out, std::string_view line) {
  do {
    const bool marked = !line.empty() && (line.front() == '.' || ReadsAsCommand(line));
    const std::size_t room = kMaxTextLine - (marked ? 1 : 0);
    const std::size_t take = line.size() <= room ? line.size() : LinePiece(line, room);
    if (!line.empty() && line.front() == '.') out += '.';
    else if (ReadsAsCommand(line.substr(0, take))) out += ' ';
    out.append(line.substr(0, take));
    out += kLineEnd;
    line.remove_prefix(take);
  } while (!line.empty());
}

}  // namespace

std::string DataText(std::string_view message) {
  std::string out;
  std::size_t start = 0;
  while (start < message.size()) {
    std::size_t end = message.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = message.size();
    AppendTextLine(out, message.substr(start, end - start));
    start = end;
    if (start < message.size() && message[start] == '\r') ++start;
    if (start < message.size() && message[start] == '\n' && (start == end || message[end] == '\r')) ++start;
  }
  return out + "." + kLineEnd;
}

}  // namespace snpp
