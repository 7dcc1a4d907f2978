#include "directory/names_file.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <gtest/gtest.h>

#include "test_support.h"

namespace snpp {
namespace {

using Entries = std::vector<std::string>;
using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;

TEST(NamesParse, LineRules) {
  struct Case {
    std::string bytes;
    Entries entries;
  };
  const Case cases[] = {
      {"", {}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\r\nb", {"a", "b"}},                  // last line without a break
      {"a\r\n\r\n", {"a", ""}},                // two final breaks: one empty entry
      {"\r\na\r\n", {"", "a"}},                // an empty line is an entry
      {"a\nb\nc\n", {"a\nb\nc\n"}},            // lone LF stays in the entry
      {"a\n\r\nb", {"a\n", "b"}},
      {"a\rb\r", {"a", "b"}},                  // CR alone is a break
      {"a\r\r\nb", {"a", "", "b"}},
      {"a\r\nb\x1a" "c\r\nd\r\n", {"a", "b"}},  // Ctrl-Z ends the file
      {"a\r\n\x1a", {"a"}},
      {"\x1a" "a\r\n", {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.bytes));
    EXPECT_EQ(ParseNames(c.bytes), c.entries);
  }
}

TEST(NamesParse, ReadCutShortDropsTheLineInProgress) {
  EXPECT_EQ(ParseNames("a\r\nbc", false), (Entries{"a"}));
  EXPECT_EQ(ParseNames("a\r\n", false), (Entries{"a"}));
  EXPECT_EQ(ParseNames("a\r\nb\x1a", false), (Entries{"a", "b"}));
}

TEST(NamesFormat, CrLfAfterEachEntryAndArbitraryBytesRoundTrip) {
  EXPECT_EQ(FormatNames({}), "");
  EXPECT_EQ(FormatNames({"b", "", "a\nz"}), "b\r\n\r\na\nz\r\n");

  Entries entries{""};
  for (int c = 0; c < 256; ++c) {
    if (c == '\r' || c == 26) continue;
    entries.back().push_back(static_cast<char>(c));
    if (c % 37 == 0) entries.emplace_back();
  }
  entries.push_back("\xff\xfe not UTF-8 \xc3\x28");
  EXPECT_EQ(ParseNames(FormatNames(entries)), entries);
}

TEST(NamesFormat, BytesThatWouldBreakTheFileBecomeBlanks) {
  // A CR would split the entry, a Ctrl-Z would drop every later line.
  const std::string bytes = FormatNames({"a\rb", "c\x1a" "d", "e"});
  EXPECT_EQ(bytes, "a b\r\nc d\r\ne\r\n");
  EXPECT_EQ(ParseNames(bytes), (Entries{"a b", "c d", "e"}));
}

TEST(NamesFile, MissingFileIsEmptyAndSaveCreatesIt) {
  TempDir dir;
  test::ScopedCwd cwd(dir.path());
  NamesFile file;  // the bare name, in the working directory
  EXPECT_EQ(file.Path(), "names.txt");
  EXPECT_TRUE(file.Load().empty());
  EXPECT_EQ(file.LoadState(), NamesLoad::Missing);
  EXPECT_EQ(file.Save({}), NamesSave::Saved);
  EXPECT_TRUE(std::filesystem::is_regular_file(dir / "names.txt"));
  EXPECT_EQ(ReadBytes(dir / "names.txt"), "");
  EXPECT_EQ(file.Save({"Bob, 1"}), NamesSave::Saved);
  EXPECT_EQ(ReadBytes(dir / "names.txt"), "Bob, 1\r\n");
  EXPECT_EQ(test::CountFiles(dir.path()), 1);
}

TEST(NamesFile, FileWrittenBackByteForByte) {
  TempDir dir;
  const std::string bytes = std::string("Z\xe9ro, 1\r\n\xff\xfe\x80, 2\r\n\r\nlf\ninside, 3\r\n") +
                            std::string("nul\0byte, 4\r\n", 13);
  WriteBytes(dir / "names.txt", bytes);
  NamesFile file(dir / "names.txt");
  const Entries entries = file.Load();
  ASSERT_EQ(entries.size(), 5u);
  EXPECT_EQ(entries[4], std::string("nul\0byte, 4", 11));
  EXPECT_EQ(file.Save(entries), NamesSave::Saved);
  EXPECT_EQ(ReadBytes(dir / "names.txt"), bytes);
}

// Full disks, owners, links and FIFOs are made here the POSIX way.
#ifndef _WIN32
TEST(NamesFile, FailedWriteLeavesTheOldFile) {
  TempDir dir;
  const std::string old = "Ann, 1\r\nBob, 2\r\n";
  WriteBytes(dir / "names.txt", old);
  NamesFile file(dir / "names.txt");
  Entries entries = file.Load();
  entries.push_back(std::string(4000, 'x'));
  {
    test::FileSizeLimit full(1000);  // the write stops half-way
    EXPECT_EQ(file.Save(entries), NamesSave::Failed);
  }
  EXPECT_EQ(ReadBytes(dir / "names.txt"), old);
  EXPECT_EQ(test::CountFiles(dir.path()), 1) << "temporary file left behind";
  EXPECT_EQ(file.Save(entries), NamesSave::Saved);  // and it works once there is room
  EXPECT_EQ(ParseNames(ReadBytes(dir / "names.txt")), entries);
}

#endif

TEST(NamesFile, UnreadableFileIsKeptAndTheListGoesAside) {
  TempDir dir;
  const auto path = dir / "names.txt";
  std::filesystem::create_directory(path);  // exists, but reads fail
  WriteBytes(path / "inside", "keep");
  NamesFile file(path);
  EXPECT_TRUE(file.Load().empty());
  EXPECT_EQ(file.LoadState(), NamesLoad::Incomplete);

  EXPECT_EQ(file.Save({"Cy, 3"}), NamesSave::SavedAside);
  EXPECT_EQ(file.AsidePath(), dir / "names.txt.unsaved");
  EXPECT_EQ(ReadBytes(dir / "names.txt.unsaved"), "Cy, 3\r\n");
  EXPECT_EQ(ReadBytes(path / "inside"), "keep");
  // The same run rewrites its own copy.
  EXPECT_EQ(file.Save({"Cy, 4"}), NamesSave::SavedAside);
  EXPECT_EQ(ReadBytes(dir / "names.txt.unsaved"), "Cy, 4\r\n");

  // The next run must not overwrite the copy the last one left.
  NamesFile nextRun(path);
  nextRun.Load();
  EXPECT_EQ(nextRun.Save({"Di, 5"}), NamesSave::SavedAside);
  EXPECT_EQ(nextRun.AsidePath(), dir / "names.txt.unsaved.1");
  EXPECT_EQ(ReadBytes(dir / "names.txt.unsaved"), "Cy, 4\r\n");
}

TEST(NamesFile, NothingLoadedNeverReplacesAnExistingFile) {
  TempDir dir;
  WriteBytes(dir / "names.txt", "Ann, 1\r\n");
  NamesFile file(dir / "names.txt");
  EXPECT_EQ(file.Save({}), NamesSave::SavedAside);
  EXPECT_EQ(ReadBytes(dir / "names.txt"), "Ann, 1\r\n");

  NamesFile fresh(dir / "new.txt");
  EXPECT_EQ(fresh.Save({"B, 2"}), NamesSave::Saved);
}

#ifndef _WIN32
TEST(NamesFile, SaveKeepsSymlinkOwnerAndPermissions) {
  TempDir dir;
  WriteBytes(dir / "real.txt", "A, 1\r\n");
  const bool root = ::geteuid() == 0;
  if (root) {
    ASSERT_EQ(::chown((dir / "real.txt").c_str(), 4321, 4321), 0);
  }
  ::chmod((dir / "real.txt").c_str(), 0640);
  std::filesystem::create_symlink("real.txt", dir / "names.txt");
  NamesFile file(dir / "names.txt");
  ASSERT_EQ(file.Load(), (Entries{"A, 1"}));
  EXPECT_EQ(file.Save({"A, 1", "B, 2"}), NamesSave::Saved);
  EXPECT_TRUE(std::filesystem::is_symlink(dir / "names.txt"));
  EXPECT_EQ(ReadBytes(dir / "real.txt"), "A, 1\r\nB, 2\r\n");
  struct stat st {};
  ASSERT_EQ(::stat((dir / "real.txt").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  if (root) {
    EXPECT_EQ(st.st_uid, 4321u);
  }
}

TEST(NamesFile, FifoIsNotReadAndDoesNotHang) {
  TempDir dir;
  ASSERT_EQ(::mkfifo((dir / "names.txt").c_str(), 0600), 0);
  NamesFile file(dir / "names.txt");
  EXPECT_TRUE(file.Load().empty());
  EXPECT_EQ(file.LoadState(), NamesLoad::Incomplete);
}
#endif

}  // namespace
}  // namespace snpp
