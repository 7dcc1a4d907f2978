#include "qt/dialogs/byte_text.h"

#include "controls/entry_field_text.h"

// The escaping itself is the entry fields' (one scheme for every control);
// this only moves between their code points and Qt's UTF-16, keeping the
// lone surrogates that carry escaped bytes.
namespace snpp::dialogs {

QString BytesToText(std::string_view bytes) {
  const std::u32string points = TextFromBytes(bytes);
  QString text;
  text.reserve(static_cast<qsizetype>(points.size()));
  for (const char32_t cp : points) {
    if (QChar::requiresSurrogates(cp)) {
      text.append(QChar(QChar::highSurrogate(cp)));
      text.append(QChar(QChar::lowSurrogate(cp)));
    } else {
      text.append(QChar(static_cast<char16_t>(cp)));
    }
  }
  return text;
}

std::string TextToBytes(const QString& text) {
  std::u32string points;
  points.reserve(static_cast<std::size_t>(text.size()));
  for (qsizetype i = 0; i < text.size(); ++i) {
    const char16_t u = text[i].unicode();
    if (QChar::isHighSurrogate(u) && i + 1 < text.size() && QChar::isLowSurrogate(text[i + 1].unicode())) {
      points += QChar::surrogateToUcs4(u, text[i + 1].unicode());
      ++i;
    } else {
      points += u;
    }
  }
  return BytesFromText(points);
}

}  // namespace snpp::dialogs
