#include "qt/controls/user_characters.h"

#include <gtest/gtest.h>

namespace snpp {
namespace {

const QString kAccented = QString::fromUtf8("e\xcc\x81");            // e + combining acute
const QString kThumb = QString::fromUtf8("\xf0\x9f\x91\x8d\xf0\x9f\x8f\xbd");  // thumbs up, skin tone
const QString kFlag = QString::fromUtf8("\xf0\x9f\x87\xa9\xf0\x9f\x87\xaa");   // two regional letters
const QString kGrin = QString::fromUtf8("\xf0\x9f\x98\x81");
const QString kSmile = QString::fromUtf8("\xf0\x9f\x98\x80");

TEST(UserCharacters, CountsWhatAPersonSees) {
  EXPECT_EQ(UserCharacterCount(""), 0);
  EXPECT_EQ(UserCharacterCount("ab"), 2);
  EXPECT_EQ(UserCharacterCount(kAccented + kThumb + kFlag + "\r\n"), 4);
}

TEST(UserCharacters, InsertionsAreCutBetweenCharacters) {
  EXPECT_EQ(FittingInsertion("abc", "de" + kThumb + "f", "", 5), "de");
  EXPECT_EQ(FittingInsertion("abc", "de" + kThumb + "f", "", 6), "de" + kThumb);
  EXPECT_EQ(FittingInsertion("a", kFlag + kFlag, "z", 3), kFlag);
  // An accent joins the letter before it, so it takes no room.
  EXPECT_EQ(FittingInsertion("abce", QString::fromUtf8("\xcc\x81"), "", 4), QString::fromUtf8("\xcc\x81"));
  EXPECT_EQ(FittingInsertion("abcd", "x", "", 4), "");
}

TEST(UserCharacters, AnEditKeepsWholeCharactersAndMayStillShrink) {
  int cursor = -1;
  EXPECT_EQ(LimitEdit("abcd", "ab" + kSmile + "cd", 4, cursor), "abcd");
  EXPECT_EQ(cursor, 2);
  EXPECT_EQ(LimitEdit("ab", "axyzb", 4, cursor), "axyb");
  EXPECT_EQ(cursor, 3);
  // The new character shares its first code unit with the one after it;
  // the change must still be taken as a whole character.
  EXPECT_EQ(LimitEdit(kSmile, kGrin + kSmile, 1, cursor), kSmile);
  EXPECT_EQ(LimitEdit(kSmile, kGrin + kSmile, 2, cursor), kGrin + kSmile);
  // A stored text over the limit can lose characters but gain none.
  EXPECT_EQ(LimitEdit("abcdef", "abdef", 4, cursor), "abdef");
  EXPECT_EQ(LimitEdit("abcdef", "abXdef", 4, cursor), "abdef");
}

}  // namespace
}  // namespace snpp
