#include "cli/page_protocol.h"

#include <algorithm>

#include "paging/snpp_protocol.h"

namespace snpp::cli {
namespace {

constexpr char kLineEnd[] = "\r\n";
// What a line may hold before its CR LF.
constexpr std::size_t kMaxLineText = kMaxLineBytes - 2;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The longest front of `line` that fits `room` bytes without splitting a
// UTF-8 character; at least one byte, so a cut always moves on.
std::size_t CutAt(std::string_view line, std::size_t room) {
  std::size_t at = 0;
  while (at < line.size()) {
    const std::size_t n = std::max<std::size_t>(1, Utf8SequenceLength(line.substr(at)));
    if (at + n > room) break;
    at += n;
  }
  return at == 0 ? 1 : at;
}

// A gateway that finds the text too long says so at once and reads the
// lines after that as commands, known by their first four letters in any
// case ("Sending" is SEND). Such a line starts with a blank, which no
// command does.
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

// One line of the message, as one or more DATA lines.
//
// A lone "." would end the text. Gateways differ on a leading dot: some
// take one off a doubled dot, some keep every dot. Doubling the dot of "."
// and of lines starting ".." only keeps every other line intact on both.
void AppendDataLines(std::string& out, std::string_view line) {
  do {
    const bool doubled = line.starts_with("..");
    const bool guarded = ReadsAsCommand(line);
    const std::size_t room = kMaxLineText - (doubled || guarded ? 1 : 0);
    std::size_t take = line.size();
    std::size_t skip = 0;
    if (line.size() > room) {
      const std::size_t blank = line.substr(0, room + 1).rfind(' ');
      if (blank != std::string_view::npos && blank > 0) {
        take = blank;
        skip = 1;  // the blank becomes the line break
      } else {
        take = CutAt(line, room);
      }
    }
    if (doubled || (take == 1 && line.front() == '.')) out += '.';
    if (ReadsAsCommand(line.substr(0, take))) out += ' ';
    out.append(line.substr(0, take));
    out += kLineEnd;
    line.remove_prefix(take + skip);
  } while (!line.empty());
}

}  // namespace

std::string LoginCommand(std::string_view user, std::string_view password) {
  std::string line = "LOGI " + OneLine(user);
  if (!password.empty()) line += " " + OneLine(password);
  return line + kLineEnd;
}

std::optional<std::string> MessLine(std::string_view message) {
  std::string line = MessCommand(message);
  if (line.size() > kMaxLineBytes) return std::nullopt;
  return line;
}

bool NeedsData(std::string_view message) {
  return message.find_first_of("\r\n") != std::string_view::npos || !MessLine(message);
}

std::string DataBlock(std::string_view message) {
  std::string out;
  out.reserve(message.size() + message.size() / 64 + 8);
  for (;;) {
    const std::size_t end = message.find_first_of("\r\n");
    AppendDataLines(out, message.substr(0, end));
    if (end == std::string_view::npos) break;
    const bool pair = message[end] == '\r' && end + 1 < message.size() && message[end + 1] == '\n';
    message.remove_prefix(end + (pair ? 2 : 1));
  }
  return out + "." + kLineEnd;
}

ReplyKind KindOfReply(std::string_view line) {
  if (line.size() < 3 || !IsDigit(line[0]) || !IsDigit(line[1]) || !IsDigit(line[2])) return ReplyKind::NotFinal;
  if (line.size() > 3 && line[3] == '-') return ReplyKind::NotFinal;
  const std::string_view code = line.substr(0, 3);
  // Help lines come unasked from some gateways and answer nothing we sent.
  if (code == "214" || code == "218") return ReplyKind::NotFinal;
  switch (ClassifyReply(line)) {
    case ReplyClass::Greeting:
    case ReplyClass::Accepted:
      return ReplyKind::Success;
    case ReplyClass::Closing:
      return ReplyKind::Ending;
    case ReplyClass::Failure:
      return code == "421" ? ReplyKind::Ending : ReplyKind::Rejected;
    case ReplyClass::Ignored:
      break;
  }
  switch (line[0]) {
    case '2': return ReplyKind::Success;
    case '3': return ReplyKind::GoAhead;
    case '4': return ReplyKind::Ending;
    default: return ReplyKind::Unexpected;
  }
}

}  // namespace snpp::cli
