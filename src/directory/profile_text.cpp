#include "directory/profile_text.h"

namespace snpp {
namespace {

struct LineSpan {
  std::size_t begin = 0;
  std::size_t end = 0;   // end of the content, before the line break
  std::size_t next = 0;  // start of the next line
};

enum class LineKind { Blank, Comment, Section, Key, Other };

struct Line {
  LineSpan span;
  LineKind kind = LineKind::Other;
  std::string_view name;       // section or key name, trimmed
  std::size_t valueBegin = 0;  // absolute: after '=' and the blanks after it
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsBreak(char c) { return c == '\r' || c == '\n'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
  }
  return true;
}

LineSpan SpanAt(std::string_view text, std::size_t begin) {
  LineSpan span{begin, begin, begin};
  while (span.end < text.size() && !IsBreak(text[span.end])) ++span.end;
  span.next = span.end;
  if (span.next < text.size() && text[span.next] == '\r') ++span.next;
  if (span.next < text.size() && text[span.next] == '\n' &&
      (span.next == span.end || text[span.next - 1] == '\r')) {
    ++span.next;
  }
  return span;
}

Line Classify(std::string_view text, LineSpan span) {
  Line line;
  line.span = span;
  const std::string_view content = text.substr(span.begin, span.end - span.begin);
  const std::string_view trimmed = Trim(content);
  if (trimmed.empty()) {
    line.kind = LineKind::Blank;
  } else if (trimmed.front() == ';') {
    line.kind = LineKind::Comment;
  } else if (trimmed.front() == '[') {
    const std::size_t close = trimmed.find(']');
    if (close != std::string_view::npos) {
      line.kind = LineKind::Section;
      line.name = Trim(trimmed.substr(1, close - 1));
    }
  } else if (const std::size_t eq = content.find('='); eq != std::string_view::npos) {
    line.kind = LineKind::Key;
    line.name = Trim(content.substr(0, eq));
    std::size_t v = span.begin + eq + 1;
    while (v < span.end && IsBlank(text[v])) ++v;
    line.valueBegin = v;
  }
  return line;
}

// Where a key is, or where it would go.
struct Lookup {
  bool keyFound = false;
  Line keyLine;
  bool sectionFound = false;
  std::size_t insertAt = 0;  // after the last non-blank line of the first matching section
  bool insertAfterOpenLine = false;  // that line is the last one and has no break
};

Lookup Find(std::string_view text, std::string_view section, std::string_view key) {
  Lookup found;
  int matchingSections = 0;
  bool inSection = false;
  for (std::size_t pos = 0; pos < text.size();) {
    const Line line = Classify(text, SpanAt(text, pos));
    pos = line.span.next;
    if (line.kind == LineKind::Section) {
      inSection = SameName(line.name, section);
      if (inSection) ++matchingSections;
    }
    if (!inSection) continue;
    if (line.kind == LineKind::Key && SameName(line.name, key)) {
      found.keyFound = true;
      found.keyLine = line;
      return found;
    }
    if (matchingSections == 1 && line.kind != LineKind::Blank) {
      found.sectionFound = true;
      found.insertAt = line.span.next;
      found.insertAfterOpenLine = line.span.next == line.span.end;
    }
  }
  return found;
}

std::string_view DecodeValue(std::string_view raw) {
  std::string_view value = Trim(raw);
  if (value.size() >= 2 && value.front() == value.back() &&
      (value.front() == '"' || value.front() == '\'')) {
    value = value.substr(1, value.size() - 2);
  }
  return value;
}

std::optional<std::string> EncodeValue(std::string_view value) {
  if (value.find_first_of("\r\n") != std::string_view::npos) return std::nullopt;
  if (value.empty() || DecodeValue(value) == value) return std::string(value);
  return "\"" + std::string(value) + "\"";
}

bool ValidSection(std::string_view name) {
  return !name.empty() && Trim(name) == name &&
         name.find_first_of("\r\n]") == std::string_view::npos;
}

bool ValidKey(std::string_view name) {
  return !name.empty() && Trim(name) == name && name.front() != ';' && name.front() != '[' &&
         name.find_first_of("\r\n=") == std::string_view::npos;
}

// The break this text already uses, so that added lines match it.
std::string_view LineBreakOf(std::string_view text) {
  const std::size_t at = text.find_first_of("\r\n");
  if (at == std::string_view::npos) return "\r\n";
  if (text[at] == '\n') return "\n";
  return at + 1 < text.size() && text[at + 1] == '\n' ? "\r\n" : "\r";
}

bool IsContinuation(unsigned char c) { return (c & 0xC0) == 0x80; }

std::size_t Utf8Length(unsigned char lead) {
  if ((lead & 0xE0) == 0xC0) return 2;
  if ((lead & 0xF0) == 0xE0) return 3;
  if ((lead & 0xF8) == 0xF0) return 4;
  return 1;
}

// Cuts to fit a buffer of bufferSize bytes with its terminating zero, moving
// the cut back to the start of a UTF-8 character that would be split.
std::string FitBuffer(std::string_view value, std::size_t bufferSize) {
  if (bufferSize == 0) return {};
  std::size_t cut = bufferSize - 1;
  if (value.size() <= cut) return std::string(value);
  std::size_t lead = cut;
  while (lead > 0 && cut - lead < 3 && IsContinuation(static_cast<unsigned char>(value[lead]))) {
    --lead;
  }
  const std::size_t length = Utf8Length(static_cast<unsigned char>(value[lead]));
  bool wellFormed = length > 1 && lead + length <= value.size() && lead < cut;
  for (std::size_t i = lead + 1; wellFormed && i < lead + length; ++i) {
    wellFormed = IsContinuation(static_cast<unsigned char>(value[i]));
  }
  if (wellFormed && lead + length > cut) cut = lead;
  return std::string(value.substr(0, cut));
}

}  // namespace

std::string ReadProfileValue(std::string_view text, std::string_view section,
                             std::string_view key, std::string_view defaultValue,
                             std::size_t bufferSize) {
  const Lookup found = Find(text, section, key);
  if (!found.keyFound) return FitBuffer(defaultValue, bufferSize);
  const LineSpan& span = found.keyLine.span;
  const std::string_view raw = text.substr(found.keyLine.valueBegin, span.end - found.keyLine.valueBegin);
  return FitBuffer(DecodeValue(raw), bufferSize);
}

bool HasProfileKey(std::string_view text, std::string_view section, std::string_view key) {
  return Find(text, section, key).keyFound;
}

std::optional<std::string> WriteProfileValue(std::string_view text, std::string_view section,
                                             std::string_view key, std::string_view value) {
  if (!ValidSection(section) || !ValidKey(key)) return std::nullopt;
  const std::optional<std::string> encoded = EncodeValue(value);
  if (!encoded) return std::nullopt;

  const std::string_view eol = LineBreakOf(text);
  const std::string keyLine = std::string(key) + "=" + *encoded;
  const Lookup found = Find(text, section, key);
  std::string out;
  if (found.keyFound) {
    out.append(text.substr(0, found.keyLine.valueBegin)).append(*encoded);
    out.append(text.substr(found.keyLine.span.end));
  } else if (found.sectionFound) {
    // A lone CR right before an LF would swallow that LF into its break.
    const bool lfFollows = found.insertAt < text.size() && text[found.insertAt] == '\n';
    const std::string_view keyBreak = eol == "\r" && lfFollows ? "\r\n" : eol;
    out.append(text.substr(0, found.insertAt));
    if (found.insertAfterOpenLine) out.append(eol);
    out.append(keyLine).append(keyBreak).append(text.substr(found.insertAt));
  } else {
    out.append(text);
    if (!text.empty() && !IsBreak(text.back())) out.append(eol);
    out.append("[").append(section).append("]").append(eol).append(keyLine).append(eol);
  }
  return out;
}

}  // namespace snpp
