#include "dialogs/byte_text.h"

namespace snpp::dialogs {
namespace {

constexpr char16_t kEscapeBase = 0xDC00;  // U+DC80 ... U+DCFF carry bytes 0x80 ... 0xFF

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// Length of the well-formed UTF-8 sequence starting at `pos`, or 0.
// Overlong forms, encoded surrogates and values past U+10FFFF are not
// well-formed, so they travel as escaped bytes.
std::size_t SequenceLength(std::string_view s, std::size_t pos) {
  const auto lead = static_cast<unsigned char>(s[pos]);
  if (lead < 0x80) return 1;
  std::size_t len = 0;
  unsigned char lo = 0x80, hi = 0xBF;  // allowed range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    len = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    len = 3;
    if (lead == 0xE0) lo = 0xA0;
    if (lead == 0xED) hi = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    len = 4;
    if (lead == 0xF0) lo = 0x90;
    if (lead == 0xF4) hi = 0x8F;
  } else {
    return 0;
  }
  if (s.size() - pos < len) return 0;
  const auto second = static_cast<unsigned char>(s[pos + 1]);
  if (second < lo || second > hi) return 0;
  for (std::size_t k = 2; k < len; ++k) {
    if (!IsContinuation(static_cast<unsigned char>(s[pos + k]))) return 0;
  }
  return len;
}

char32_t Decode(std::string_view s, std::size_t pos, std::size_t len) {
  const auto lead = static_cast<unsigned char>(s[pos]);
  if (len == 1) return lead;
  char32_t cp = lead & (0x7F >> len);
  for (std::size_t k = 1; k < len; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[pos + k]) & 0x3F);
  return cp;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

}  // namespace

QString BytesToText(std::string_view bytes) {
  QString text;
  text.reserve(static_cast<qsizetype>(bytes.size()));
  std::size_t pos = 0;
  while (pos < bytes.size()) {
    const std::size_t len = SequenceLength(bytes, pos);
    if (len == 0) {
      text.append(QChar(static_cast<char16_t>(kEscapeBase + static_cast<unsigned char>(bytes[pos]))));
      ++pos;
      continue;
    }
    const char32_t cp = Decode(bytes, pos, len);
    if (cp >= 0x10000) {
      text.append(QChar(QChar::highSurrogate(cp)));
      text.append(QChar(QChar::lowSurrogate(cp)));
    } else {
      text.append(QChar(static_cast<char16_t>(cp)));
    }
    pos += len;
  }
  return text;
}

std::string TextToBytes(const QString& text) {
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(text.size()));
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t u = text[i].unicode();
    if (QChar::isHighSurrogate(u) && i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode())) {
      AppendUtf8(bytes, QChar::surrogateToUcs4(u, text[i + 1].unicode()));
      ++i;
    } else if (u >= kEscapeBase + 0x80 && u <= kEscapeBase + 0xFF) {
      bytes += static_cast<char>(u - kEscapeBase);
    } else if (QChar::isSurrogate(u)) {
      AppendUtf8(bytes, 0xFFFD);  // a stray half of a pair has no bytes of its own
    } else {
      AppendUtf8(bytes, u);
    }
  }
  return bytes;
}

}  // namespace snpp::dialogs
