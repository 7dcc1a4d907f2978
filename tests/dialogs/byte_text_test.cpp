#include "dialogs/byte_text.h"

#include <QList>
#include <gtest/gtest.h>

#include <random>
#include <string>

using snpp::dialogs::BytesToText;
using snpp::dialogs::TextToBytes;

TEST(ByteText, ValidUtf8IsShownAsItsCharacters) {
  EXPECT_EQ(BytesToText("Call home"), QString("Call home"));
  EXPECT_EQ(BytesToText("Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC"), QString::fromUtf8("Grüße €"));
  const QString emoji = BytesToText("\xF0\x9F\x93\x9F");
  ASSERT_EQ(emoji.size(), 2);
  EXPECT_EQ(emoji.toUcs4().value(0), 0x1F4DFu);
  EXPECT_EQ(TextToBytes(QString::fromUtf8("Grüße € \xF0\x9F\x93\x9F")), "Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC \xF0\x9F\x93\x9F");
}

TEST(ByteText, MalformedBytesEachTakeOneCharacterAndComeBackUnchanged) {
  const std::string cases[] = {
      "caf\xE9",            // a Latin-1 byte
      "\xC0\x80",           // overlong NUL
      "\xE0\x80\xAF",       // overlong slash
      "\xED\xA0\x80",       // an encoded surrogate
      "\xF4\x90\x80\x80",   // past U+10FFFF
      "ab\xE2\x82",         // a sequence cut off at the end
      "\xC3",               // a lone lead byte
      "\x80\xBF",           // stray continuation bytes
      "\xFF\xFE",
      std::string("nul\0inside", 10),
  };
  for (const std::string& bytes : cases) {
    EXPECT_EQ(TextToBytes(BytesToText(bytes)), bytes) << bytes;
  }
  EXPECT_EQ(BytesToText("caf\xE9").size(), 4);
  EXPECT_EQ(BytesToText("\xED\xA0\x80").size(), 3);
}

TEST(ByteText, EveryByteStringRoundTrips) {
  std::mt19937 random(1861);
  std::uniform_int_distribution<int> byte(0, 255), length(0, 40);
  for (int i = 0; i < 20000; ++i) {
    std::string bytes(static_cast<std::size_t>(length(random)), '\0');
    for (char& c : bytes) c = static_cast<char>(byte(random));
    ASSERT_EQ(TextToBytes(BytesToText(bytes)), bytes);
  }
}

TEST(ByteText, StrayHalfOfAPairBecomesTheReplacementCharacter) {
  EXPECT_EQ(TextToBytes(QString(QChar(0xD83D))), "\xEF\xBF\xBD");
  EXPECT_EQ(TextToBytes(QString(QChar(0xDC10))), "\xEF\xBF\xBD");  // low half, but no byte escape
}
