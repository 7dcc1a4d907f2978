#include "directory/standard_messages.h"

#include <gtest/gtest.h>

#include "directory/profile_file.h"
#include "test_support.h"

namespace snpp {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

class StandardMessagesTest : public testing::Test {
 protected:
  TempDir dir_;
#ifdef _WIN32
  test::ScopedEnv appData_{"APPDATA", (dir_ / "config").string()};
  std::filesystem::path ini_ = dir_ / "config" / "Orvant" / "snppCl.ini";
#else
  test::ScopedEnv xdg_{"XDG_CONFIG_HOME", (dir_ / "config").string()};
  std::filesystem::path ini_ = dir_ / "config" / "orvant-snpp-client" / "snppCl.ini";
#endif
};

#ifdef _WIN32
TEST_F(StandardMessagesTest, SettingsAreWrittenToAppDataAndReadFromTheWindowsDirectory) {
  EXPECT_EQ(SettingsFilePath(), ini_);
  EXPECT_EQ(StandardMessages().File(), ini_);
  const std::filesystem::path legacy = LegacySettingsFilePath();
  EXPECT_EQ(legacy.filename(), "snppCl.ini");
  EXPECT_TRUE(std::filesystem::exists(legacy.parent_path() / "system32"));
}
#else
// A folder of our own; the file earlier versions left loose in the config
// folder is the one read until ours exists.
TEST_F(StandardMessagesTest, SettingsPathFollowsXdgThenHome) {
  EXPECT_EQ(SettingsFilePath(), ini_);
  EXPECT_EQ(StandardMessages().File(), ini_);
  EXPECT_EQ(LegacySettingsFilePath(), dir_ / "config" / "snppCl.ini");
  test::ScopedEnv home("HOME", dir_.path().string());
  test::ScopedEnv relative("XDG_CONFIG_HOME", "relative/dir");  // not absolute: ignored
  EXPECT_EQ(SettingsFilePath(), dir_ / ".config" / "orvant-snpp-client" / "snppCl.ini");
  EXPECT_EQ(LegacySettingsFilePath(), dir_ / ".config" / "snppCl.ini");
}
#endif

// An older installation's file is read until our own exists; the first write
// starts ours as its copy, so other sections and bytes in the code page
// (here 0xE9 and 0x80) carry over unchanged.
TEST_F(StandardMessagesTest, LegacyFileIsReadThenCopiedByTheFirstWrite) {
  const auto legacy = dir_ / "windows" / "snppCl.ini";
  std::filesystem::create_directories(legacy.parent_path());
  const std::string old = "[Other]\r\nx=1\r\n[General]\r\nmessage2=Caf\xE9 \x80\r\nmessage3=\r\n";
  WriteBytes(legacy, old);
  StandardMessages messages(ini_, legacy);
  messages.Read();
  EXPECT_EQ(messages.Message(2), "Caf\xE9 \x80");
  EXPECT_EQ(messages.Message(3), "");
  EXPECT_EQ(messages.Message(4), "Call me");
  EXPECT_FALSE(std::filesystem::exists(ini_));  // reading writes nothing

  messages.Write();
  EXPECT_EQ(ReadBytes(legacy), old);
  EXPECT_EQ(ReadBytes(ini_).substr(0, old.size()), old);  // the new keys come after
  messages.SetMessage(2, "new");
  messages.Write();
  StandardMessages again(ini_, legacy);
  again.Read();
  EXPECT_EQ(again.Message(2), "new");
  EXPECT_EQ(ReadBytes(legacy), old);  // never written
}

TEST_F(StandardMessagesTest, DefaultsWhenFileSectionOrKeyIsMissing) {
  StandardMessages messages;
  messages.Read();
  EXPECT_EQ(messages.Message(1), "Click the \"Configure\" button to set these messages");
  EXPECT_EQ(messages.Message(2), "Call home");
  EXPECT_EQ(messages.Message(3), "Call the office");
  EXPECT_EQ(messages.Message(4), "Call me");
  EXPECT_EQ(messages.Message(5), "I love you");
  EXPECT_EQ(messages.Message(6), "See you soon");
  EXPECT_EQ(messages.Message(7), "Break a leg");
  EXPECT_EQ(messages.Message(8), "Don't call");

  std::filesystem::create_directories(ini_.parent_path());
  WriteBytes(ini_, "[General]\r\nmessage5=Only five\r\nmessage7=\r\n");
  messages.Read();
  EXPECT_EQ(messages.Message(5), "Only five");
  EXPECT_EQ(messages.Message(7), "");  // empty, not the default
  EXPECT_EQ(messages.Message(6), "See you soon");
  EXPECT_THROW(messages.Message(0), std::out_of_range);
  EXPECT_THROW(messages.SetMessage(9, "x"), std::out_of_range);
}

TEST_F(StandardMessagesTest, WriteCreatesDirectoryAndFileAndReadsBack) {
  StandardMessages::Texts texts{"one", "two", "", " four ", "\"five\"", "six", "seven", "eight"};
  StandardMessages messages;
  messages.Write(texts);
  EXPECT_EQ(ReadBytes(ini_),
            "[General]\r\nmessage1=one\r\nmessage2=two\r\nmessage3=\r\nmessage4=\" four \"\r\n"
            "message5=\"\"five\"\"\r\nmessage6=six\r\nmessage7=seven\r\nmessage8=eight\r\n");
  StandardMessages later;
  later.Read();
  EXPECT_EQ(later.Messages(), texts);
}

TEST_F(StandardMessagesTest, WriteLeavesOtherSectionsKeysAndCommentsAlone) {
  std::filesystem::create_directories(ini_.parent_path());
  const std::string before =
      "; mine\n[Window]\nleft=10\n[GENERAL]\nMessage2 = old two\nextra=keep me\n\n[Z]\nz=1\n";
  WriteBytes(ini_, before);
  StandardMessages messages(ini_);
  messages.Read();
  EXPECT_EQ(messages.Message(2), "old two");
  messages.SetMessage(2, "new two");
  messages.Write();
  const std::string after = ReadBytes(ini_);
  EXPECT_EQ(after,
            "; mine\n[Window]\nleft=10\n[GENERAL]\nMessage2 = new two\nextra=keep me\n"
            "message1=Click the \"Configure\" button to set these messages\n"
            "message3=Call the office\nmessage4=Call me\nmessage5=I love you\n"
            "message6=See you soon\nmessage7=Break a leg\nmessage8=Don't call\n\n[Z]\nz=1\n");
}

#ifndef _WIN32
TEST_F(StandardMessagesTest, FailedWriteRaisesKeepsEarlierKeysAndTheOldFile) {
  std::filesystem::create_directories(ini_.parent_path());
  const std::string before = "[General]\r\nmessage1=a\r\n";
  WriteBytes(ini_, before);
  StandardMessages messages;
  StandardMessages::Texts texts{"b", "c", "d", "e", "f", "g", "h", "i"};
  {
    test::FileSizeLimit full(40);  // room for message1 and message2 only
    try {
      messages.Write(texts);
      FAIL() << "no error raised";
    } catch (const std::runtime_error& e) {
      EXPECT_STREQ(e.what(), "Unable to write to snppCl.ini");
      EXPECT_NE(dynamic_cast<const EProfileWrite*>(&e), nullptr);
    }
  }
  EXPECT_EQ(messages.Messages(), texts);  // the new texts are in use regardless
  EXPECT_EQ(ReadBytes(ini_), "[General]\r\nmessage1=b\r\nmessage2=c\r\n");
  EXPECT_EQ(test::CountFiles(ini_.parent_path()), 1) << "temporary file left behind";
}
#endif

TEST_F(StandardMessagesTest, UnreadableOrUnstorableMeansNoWrite) {
  std::filesystem::create_directories(ini_);  // a directory where the file should be
  StandardMessages messages;
  messages.Read();
  EXPECT_EQ(messages.Message(8), "Don't call");
  EXPECT_THROW(messages.Write(), EProfileWrite);
  std::filesystem::remove(ini_);

  // A value holding a line break could add a key; the break becomes a blank.
  StandardMessages::Texts texts{"ok", "line\r\nmessage8=injected", "", "", "", "", "", "eight"};
  messages.Write(texts);
  StandardMessages later(ini_);
  later.Read();
  EXPECT_EQ(later.Message(2), "line message8=injected");
  EXPECT_EQ(later.Message(8), "eight");
}

TEST_F(StandardMessagesTest, LineBreaksAreBlanksAndOnlyChangedMessagesAreWritten) {
  std::filesystem::create_directories(ini_.parent_path());
  const std::string longValue(5000, 'L');
  WriteBytes(ini_, "[General]\nmessage1=" + longValue + "\nmessage2=two\n");
  StandardMessages messages(ini_);
  messages.Read();
  ASSERT_EQ(messages.Message(1).size(), 2047u);

  StandardMessages::Texts texts = messages.Messages();
  texts[1] = "pasted\r\nover\rthree\nlines";
  messages.Write(texts);
  EXPECT_EQ(messages.Message(2), "pasted over three lines");
  const std::string after = ReadBytes(ini_);
  EXPECT_EQ(after.rfind("[General]\nmessage1=" + longValue + "\nmessage2=pasted over three lines\n"
                        "message3=Call the office\n", 0), 0u);  // missing keys are added

  // A write that failed is made up for by the next one, changed or not.
  namespace fs = std::filesystem;
  fs::permissions(ini_, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);  // never written, not even by root
  texts[2] = "three";
  EXPECT_THROW(messages.Write(texts), EProfileWrite);
  EXPECT_EQ(ReadBytes(ini_), after);
  fs::permissions(ini_, fs::perms::owner_write, fs::perm_options::add);
  messages.Write(messages.Messages());
  StandardMessages later(ini_);
  later.Read();
  EXPECT_EQ(later.Message(3), "three");
  EXPECT_EQ(ReadProfileString("General", "message1", "", 10000, ini_), longValue);
}

}  // namespace
}  // namespace snpp
