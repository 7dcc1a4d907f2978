#include "directory/profile_text.h"

#include <gtest/gtest.h>

namespace snpp {
namespace {

std::string Read(std::string_view text, std::string_view section, std::string_view key) {
  return ReadProfileValue(text, section, key, "<default>");
}

std::string Write(std::string_view text, std::string_view section, std::string_view key,
                  std::string_view value) {
  const std::optional<std::string> out = WriteProfileValue(text, section, key, value);
  EXPECT_TRUE(out.has_value()) << key << "=" << value;
  return out.value_or(std::string(text));
}

const char kMixed[] =
    "; settings kept by hand\r\n"
    "top=outside any section\r\n"
    "[Other]\r\n"
    "message1=not ours\r\n"
    "\r\n"
    "[ general ]\r\n"
    "  MESSAGE1 =  Hello there  \r\n"
    ";message2=commented out\r\n"
    "message3=\r\n"
    "message4=\"quoted\"\r\n"
    "message5='single'\r\n"
    "message6\r\n"
    "\r\n"
    "[Tail]\r\n"
    "x=1\r\n";

TEST(ProfileRead, FindsKeysIgnoringCaseAndLayout) {
  EXPECT_EQ(Read(kMixed, "General", "message1"), "Hello there");
  EXPECT_EQ(Read(kMixed, "GENERAL", "Message1"), "Hello there");
  EXPECT_EQ(Read(kMixed, "Other", "message1"), "not ours");
  EXPECT_EQ(Read(kMixed, "General", "message2"), "<default>");  // comment
  EXPECT_EQ(Read(kMixed, "General", "message3"), "");           // present but empty
  EXPECT_EQ(Read(kMixed, "General", "message4"), "quoted");
  EXPECT_EQ(Read(kMixed, "General", "message5"), "single");
  EXPECT_EQ(Read(kMixed, "General", "message6"), "<default>");  // no '='
  EXPECT_EQ(Read(kMixed, "General", "x"), "<default>");         // other section
  EXPECT_EQ(Read(kMixed, "General", "top"), "<default>");
  EXPECT_EQ(Read(kMixed, "Missing", "x"), "<default>");
  EXPECT_EQ(Read("", "General", "message1"), "<default>");
  EXPECT_EQ(Read("[General]\nk=lf only\n", "General", "k"), "lf only");
  EXPECT_EQ(Read("[General]\rk=cr only\r", "General", "k"), "cr only");
  EXPECT_EQ(Read("[General]\r\nk=no break at end", "General", "k"), "no break at end");
  // The first match wins, across repeated sections too.
  EXPECT_EQ(Read("[A]\nk=1\nk=2\n[a]\nk=3\nj=4\n", "A", "k"), "1");
  EXPECT_EQ(Read("[A]\nk=1\n[a]\nj=4\n", "A", "j"), "4");
}

TEST(ProfileRead, CutsToTheBuffer) {
  const std::string longValue(3000, 'v');
  const std::string text = "[General]\r\nmessage1=" + longValue + "\r\n";
  EXPECT_EQ(ReadProfileValue(text, "General", "message1", ""), std::string(2047, 'v'));
  EXPECT_EQ(ReadProfileValue(text, "General", "message1", "", 5), "vvvv");
  EXPECT_EQ(ReadProfileValue(text, "General", "message1", "", 0), "");
  EXPECT_EQ(ReadProfileValue("", "General", "message1", "abcdef", 4), "abc");
  // A character of two bytes that the cut would split is dropped whole.
  const std::string text2 = "[G]\nk=" + std::string(2046, 'v') + "\xc3\xa9" + "\n";
  EXPECT_EQ(ReadProfileValue(text2, "G", "k", ""), std::string(2046, 'v'));
  // Bytes that are not UTF-8 are cut at the plain limit.
  const std::string text3 = "[G]\nk=" + std::string(2046, 'v') + "\xe9\xe9" + "\n";
  EXPECT_EQ(ReadProfileValue(text3, "G", "k", ""), std::string(2046, 'v') + "\xe9");
}

TEST(ProfileWrite, ReplacesInPlaceAndKeepsEveryOtherByte) {
  std::string text = Write(kMixed, "General", "message1", "New text");
  std::string expected = kMixed;
  expected.replace(expected.find("Hello there  "), 13, "New text");
  EXPECT_EQ(text, expected);

  text = Write(text, "general", "MESSAGE3", "now set");
  expected.replace(expected.find("message3=") + 9, 0, "now set");
  EXPECT_EQ(text, expected);
}

TEST(ProfileWrite, AddsKeyAtTheEndOfItsSection) {
  const std::string text = Write(kMixed, "General", "message2", "added");
  std::string expected = kMixed;
  expected.insert(expected.find("message6\r\n") + 10, "message2=added\r\n");
  EXPECT_EQ(text, expected);
  EXPECT_EQ(Read(text, "General", "message2"), "added");

  // Into a last section whose last line has no break; LF files stay LF.
  EXPECT_EQ(Write("[A]\nk=1", "A", "j", "2"), "[A]\nk=1\nj=2\n");
  EXPECT_EQ(Write("[A]\n\n\n[B]\n", "A", "j", "2"), "[A]\nj=2\n\n\n[B]\n");
  // A CR-only file with a blank LF line after the section keeps that line.
  EXPECT_EQ(Write("a\r[A]\n\n[B]", "A", "j", "2"), "a\r[A]\nj=2\r\n\n[B]");
}

TEST(ProfileWrite, AddsSectionAndCreatesText) {
  EXPECT_EQ(Write("", "General", "message1", "a"), "[General]\r\nmessage1=a\r\n");
  EXPECT_EQ(Write("[Other]\r\nx=1", "General", "message1", "a"),
            "[Other]\r\nx=1\r\n[General]\r\nmessage1=a\r\n");
  std::string text;
  for (int n = 1; n <= 3; ++n) {
    text = Write(text, "General", "message" + std::to_string(n), "m" + std::to_string(n));
  }
  EXPECT_EQ(text, "[General]\r\nmessage1=m1\r\nmessage2=m2\r\nmessage3=m3\r\n");
}

TEST(ProfileWrite, EveryValueReadsBackUnchanged) {
  const std::string values[] = {
      "",          " lead",        "trail ",     "\tboth\t", "\"quoted\"", "'single'",
      "\"",        "\"half",       "half'",      "  ",       "a=b;c[d]",   "Click the \"Configure\" button",
      "\xff\xfe\x80 bytes", std::string("nul\0in", 6), "\"a\" ",
  };
  for (const std::string& value : values) {
    SCOPED_TRACE(testing::PrintToString(value));
    const std::string fresh = Write("", "General", "message1", value);
    EXPECT_EQ(Read(fresh, "General", "message1"), value);
    const std::string replaced = Write(kMixed, "General", "message1", value);
    EXPECT_EQ(Read(replaced, "General", "message1"), value);
    EXPECT_EQ(Read(replaced, "Other", "message1"), "not ours");
  }
}

TEST(ProfileWrite, RefusesWhatCouldNotBeReadBack) {
  EXPECT_FALSE(WriteProfileValue("", "General", "message1", "two\r\nlines"));
  EXPECT_FALSE(WriteProfileValue("", "General", "message1", "lone\rcr"));
  EXPECT_FALSE(WriteProfileValue("", "General", "message1", "lone\nlf"));
  EXPECT_FALSE(WriteProfileValue("", "General", "bad=key", "v"));
  EXPECT_FALSE(WriteProfileValue("", "General", ";key", "v"));
  EXPECT_FALSE(WriteProfileValue("", "General", " key", "v"));
  EXPECT_FALSE(WriteProfileValue("", "General", "", "v"));
  EXPECT_FALSE(WriteProfileValue("", "Gen]eral", "key", "v"));
  EXPECT_FALSE(WriteProfileValue("", "", "key", "v"));
  EXPECT_FALSE(WriteProfileValue("", "General\n[X", "key", "v"));
}

}  // namespace
}  // namespace snpp
