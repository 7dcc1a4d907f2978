#include "paging/snpp_protocol.h"

#include <gtest/gtest.h>

namespace snpp {
namespace {

TEST(ClassifyReply, UsesOnlyTheFirstThreeBytesComparedExactly) {
  EXPECT_EQ(ClassifyReply("220 ready\r\n"), ReplyClass::Greeting);
  EXPECT_EQ(ClassifyReply("250"), ReplyClass::Accepted);
  EXPECT_EQ(ClassifyReply("221 bye\r\n"), ReplyClass::Closing);
  EXPECT_EQ(ClassifyReply("554 no\r\n"), ReplyClass::Failure);
  EXPECT_EQ(ClassifyReply("5"), ReplyClass::Failure);
  EXPECT_EQ(ClassifyReply("421 going down\r\n"), ReplyClass::Failure);
  EXPECT_EQ(ClassifyReply("214 help\r\n"), ReplyClass::Ignored);
  EXPECT_EQ(ClassifyReply("218\r\n"), ReplyClass::Ignored);
  EXPECT_EQ(ClassifyReply("22"), ReplyClass::Ignored);
  EXPECT_EQ(ClassifyReply("42"), ReplyClass::Ignored);
  EXPECT_EQ(ClassifyReply(""), ReplyClass::Ignored);
  EXPECT_EQ(ClassifyReply(" 250"), ReplyClass::Ignored);
}

TEST(ExtractNotice, TakesTheTextAfterTheMarkerUpToCrOrFortyCharacters) {
  EXPECT_EQ(ExtractNotice("220 \x02Hello\r\n"), "Hello");
  EXPECT_EQ(ExtractNotice("220 2Hello\r\n"), "");        // the digit is no marker
  EXPECT_EQ(ExtractNotice("220 Hello\r\n"), "");
  EXPECT_EQ(ExtractNotice("220 \x02Hello"), "Hell");      // the last byte is never taken
  EXPECT_EQ(ExtractNotice("220 \x02H"), "");               // exactly six bytes
  EXPECT_EQ(ExtractNotice("220 \x02\r\n"), "");
  const std::string fifty(50, 'n');
  EXPECT_EQ(ExtractNotice("220 \x02" + fifty + "\r\n"), std::string(40, 'n'));
  EXPECT_EQ(ExtractNotice("220 \x02" + std::string(41, 'n')), std::string(40, 'n'));
}

TEST(ExtractNotice, CountsUtf8CharactersWholeAndNeverSplitsOne) {
  std::string accents;
  for (int i = 0; i < 45; ++i) accents += "\xC3\xA9";
  const std::string notice = ExtractNotice("220 \x02" + accents + "\r\n");
  EXPECT_EQ(notice.size(), 80u);  // forty two-byte characters
  EXPECT_EQ(ExtractNotice("220 \x02""ab\xC3\xA9"), "ab");
  // Bytes that are not UTF-8 are characters of their own.
  EXPECT_EQ(ExtractNotice("220 \x02" + std::string(50, '\xB0')), std::string(40, '\xB0'));
  EXPECT_EQ(ExtractNotice("220 \x02""abc\xB0"), "abc");
  EXPECT_EQ(ExtractNotice("220 \x02""a\xE9\xC3\xA9\n"), "a\xE9\xC3\xA9");
}

TEST(Commands, AreExactAndEachStaysOneLine) {
  EXPECT_EQ(PageCommand("12345"), "PAGE 12345\r\n");
  EXPECT_EQ(PageCommand(""), "PAGE \r\n");
  EXPECT_EQ(PageCommand("12-3 x"), "PAGE 12-3 x\r\n");
  EXPECT_EQ(MessCommand("   "), "MESS    \r\n");
  EXPECT_EQ(MessCommand("hi\r\nQUIT"), "MESS hi QUIT\r\n");
  EXPECT_EQ(MessCommand("a\nb\rc\r\n\r\nd"), "MESS a b c  d\r\n");
  EXPECT_EQ(PageCommand("1\r\nSEND"), "PAGE 1 SEND\r\n");
  EXPECT_EQ(MessCommand(std::string("a\0b", 3)), std::string("MESS a\0b\r\n", 10));
  EXPECT_EQ(std::string(kSendCommand), "SEND\r\n");
  EXPECT_EQ(std::string(kQuitCommand), "QUIT\r\n");
}

// No wire line of the text is longer than a gateway reads, CR LF included;
// a line that can't be sent whole is broken at a blank, else at the limit,
// and never inside a character.
TEST(DataText, LinesFitTheGatewayAndEndWithALoneDot) {
  EXPECT_EQ(DataText("hi\r\n.hidden\r..\nlast\n"), "hi\r\n..hidden\r\n...\r\nlast\r\n.\r\n");
  EXPECT_EQ(DataText("a\r\n\r\nb"), "a\r\n\r\nb\r\n.\r\n");

  const std::string words = std::string(300, 'a') + " " + std::string(300, 'b') + " c";
  EXPECT_EQ(DataText(words), std::string(300, 'a') + " \r\n" + std::string(300, 'b') + " c\r\n.\r\n");

  std::string accents;
  for (int i = 0; i < 400; ++i) accents += "\xC3\xA9";
  const std::string dots = "." + std::string(998, 'x');
  for (const std::string& message : {accents, dots, std::string(999, 'z')}) {
    const std::string text = DataText(message);
    std::string joined;
    for (std::size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2) {
      const std::string line = text.substr(at, end - at);
      EXPECT_LE(line.size() + 2, kMaxCommandLine);
      if (line == ".") break;
      joined += line.front() == '.' ? line.substr(1) : line;
      if (message == accents) {
        EXPECT_NE(static_cast<unsigned char>(line.front()) & 0xC0, 0x80);
      }
    }
    EXPECT_EQ(joined, message);
  }
}

}  // namespace
}  // namespace snpp
