#include "directory/recipient_entry.h"

#include <gtest/gtest.h>

namespace snpp {
namespace {

struct Example {
  const char* entry;
  const char* name;
  const char* storedId;
  const char* paged;
};

constexpr Example kExamples[] = {
    {"Bob, 12-345", "Bob", "12-345", "12345"},
    {"james, 7001", "james", "7001", "7001"},
    {"Ann, 123456789012", "Ann", "123456789012", "1234567890"},
    {"Smith, Jo, 123", "Smith", "Jo, 123", "123"},
    {"Lee,123", "Lee", "23", "23"},
    {"Kim, ", "Kim", "", ""},
};

TEST(RecipientEntry, ExamplesSplitAndRetrieve) {
  for (const Example& ex : kExamples) {
    SCOPED_TRACE(ex.entry);
    EXPECT_EQ(SplitEntry(ex.entry), (EntryParts{ex.name, ex.storedId}));
    EXPECT_EQ(retrieveID(ex.entry), ex.paged);
  }
}

TEST(RecipientEntry, BuildGivesTheStoredEntry) {
  EXPECT_EQ(BuildEntry("Bob", "12-345"), "Bob, 12-345");
  EXPECT_EQ(BuildEntry("james", "7001"), "james, 7001");
  EXPECT_EQ(BuildEntry("Ann", "123456789012"), "Ann, 123456789012");
  EXPECT_EQ(BuildEntry("Smith, Jo", "123"), "Smith, Jo, 123");
  // Nothing is trimmed, and the split hands back what was typed.
  const std::string entry = BuildEntry(" Al ", " 55 x");
  EXPECT_EQ(entry, " Al ,  55 x");
  EXPECT_EQ(SplitEntry(entry), (EntryParts{" Al ", " 55 x"}));
}

TEST(RecipientEntry, DigitsOnlyAtMostTen) {
  EXPECT_EQ(retrieveID("X, a1b2-c3 4d5e6f7g8h9i0j1k2"), "1234567890");
  EXPECT_EQ(retrieveID("X, no digits here"), "");
  EXPECT_EQ(retrieveID("X, 1,2,3"), "123");  // later commas are just non-digits
  EXPECT_EQ(retrieveID("12, 34"), "34");     // digits of the name never count
}

TEST(RecipientEntry, EntriesWithoutACommaOrShortAfterIt) {
  EXPECT_EQ(retrieveID(""), "");
  EXPECT_EQ(retrieveID("Nobody 12345"), "");
  EXPECT_EQ(SplitEntry(""), (EntryParts{"", ""}));
  EXPECT_EQ(SplitEntry("Nobody 12345"), (EntryParts{"Nobody 12345", ""}));
  // A comma at the very end, or followed by one character only.
  EXPECT_EQ(retrieveID("Kim,"), "");
  EXPECT_EQ(SplitEntry("Kim,"), (EntryParts{"Kim", ""}));
  EXPECT_EQ(retrieveID("Kim,7"), "");
  EXPECT_EQ(SplitEntry("Kim,7"), (EntryParts{"Kim", ""}));
  EXPECT_EQ(SplitEntry(","), (EntryParts{"", ""}));
}

}  // namespace
}  // namespace snpp
