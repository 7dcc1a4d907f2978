#include "qt/dialogs/byte_text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

using snpp::dialogs::BytesToText;
using snpp::dialogs::TextToBytes;

TEST(ByteText, Utf8IsShownAsItsCharactersAndOtherBytesOneCharacterEach) {
  EXPECT_EQ(BytesToText("Gr\xC3\xBC\xC3\x9F" "e \xE2\x82\xAC \xF0\x9F\x93\x9F"), QString::fromUtf8("Grüße € \xF0\x9F\x93\x9F"));
  const std::string malformed[] = {
      "caf\xE9",           "\xC0\x80",  "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80",
      "ab\xE2\x82",        "\xC3",      "\x80\xBF",     "\xFF\xFE",     std::string("nul\0inside", 10),
  };
  for (const std::string& bytes : malformed) EXPECT_EQ(TextToBytes(BytesToText(bytes)), bytes) << bytes;
  EXPECT_EQ(BytesToText("caf\xE9").size(), 4);
  EXPECT_EQ(BytesToText("\xED\xA0\x80").size(), 3);  // an encoded surrogate is three stray bytes
  EXPECT_EQ(TextToBytes(QString(QChar(0xD83D))), "\xEF\xBF\xBD");  // half a pair has no bytes of its own
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
