#include "directory/names_file.h"
#include "forms/names_save_report.h"

#ifndef _WIN32
#include <sys/stat.h>
#endif

#include <algorithm>

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

// Starting the program in a folder leaves nothing there while the list
// stays empty; once the file exists, an emptied list is written.
TEST(NamesFile, MissingFileIsEmptyAndOnlyANonEmptyListCreatesIt) {
  TempDir dir;
  test::ScopedCwd cwd(dir.path());
  NamesFile file;  // the bare name, in the working directory
  EXPECT_EQ(file.Path(), "names.txt");
  EXPECT_TRUE(file.Load().empty());
  EXPECT_EQ(file.LoadState(), NamesLoad::Missing);
  EXPECT_EQ(file.Save({}), NamesSave::Saved);
  EXPECT_EQ(test::CountFiles(dir.path()), 0);
  EXPECT_EQ(file.Save({"Bob, 1"}), NamesSave::Saved);
  EXPECT_EQ(ReadBytes(dir / "names.txt"), "Bob, 1\r\n");
  EXPECT_EQ(file.Save({}), NamesSave::Saved);
  EXPECT_EQ(ReadBytes(dir / "names.txt"), "");
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

// No load shows what follows a Ctrl-Z, so a save keeps the file as it was
// before replacing it, tells where, and replaces nothing if it can't keep it.
TEST(NamesFile, TextAfterACtrlZIsKeptBeforeTheFileIsReplaced) {
  TempDir dir, kept;
  const std::string old = "Ann, 1\r\n\x1a" "Bob, 2\r\n";
  WriteBytes(dir / "names.txt", old);
  NamesFile file(dir / "names.txt", kept.path());
  EXPECT_EQ(file.Load(), Entries{"Ann, 1"});
  EXPECT_EQ(file.Save({"Ann, 1", "Cy, 3"}), NamesSave::SavedOldKept);
  EXPECT_EQ(ReadBytes(dir / "names.txt"), "Ann, 1\r\nCy, 3\r\n");
  EXPECT_EQ(ReadBytes(file.OldCopyPath()), old);
  EXPECT_EQ(file.ReportedPath(NamesSave::SavedOldKept), file.OldCopyPath());
  EXPECT_NE(UnsavedNamesText(NamesSave::SavedOldKept, "names.txt", "copy.txt").find("Ctrl-Z"), std::string::npos);
  EXPECT_TRUE(FindKeptCopies(kept.path(), dir / "names.txt").empty());  // no unsaved list to offer
  EXPECT_EQ(file.Save({"Ann, 1"}), NamesSave::Saved);  // told once

  WriteBytes(dir / "names.txt", "Ann, 1\r\n\x1a\x1a\x1a");  // padding only: nothing to keep
  NamesFile padded(dir / "names.txt", kept.path());
  padded.Load();
  EXPECT_EQ(padded.Save({"Ann, 1", "Bob, 2"}), NamesSave::Saved);

  WriteBytes(dir / "names.txt", old);
  WriteBytes(dir / "not-a-folder", "");
  NamesFile nowhere(dir / "names.txt", dir / "not-a-folder");
  nowhere.Load();
  EXPECT_EQ(nowhere.Save({"Ann, 1", "Cy, 3"}), NamesSave::Failed);
  EXPECT_EQ(ReadBytes(dir / "names.txt"), old);
}

// Full disks, owners, links and FIFOs are made here the POSIX way.
#ifndef _WIN32
TEST(NamesFile, FailedWriteLeavesTheOldFile) {
  TempDir dir, kept;
  const std::string old = "Ann, 1\r\nBob, 2\r\n";
  WriteBytes(dir / "names.txt", old);
  NamesFile file(dir / "names.txt", kept.path());
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

TEST(NamesFile, UnreadableFileIsKeptAndTheListGoesToTheDataFolder) {
  TempDir dir;
  const auto path = dir / "names.txt";
  const auto keptDir = dir / "data" / "orvant-snpp-client";
  std::filesystem::create_directory(path);  // exists, but reads fail
  WriteBytes(path / "inside", "keep");
  NamesFile file(path, keptDir);
  EXPECT_TRUE(file.Load().empty());
  EXPECT_EQ(file.LoadState(), NamesLoad::Incomplete);

  EXPECT_EQ(file.Save({"Cy, 3"}), NamesSave::Kept);
  const auto firstCopy = file.KeptPath();
  EXPECT_EQ(firstCopy.parent_path(), keptDir);
  EXPECT_EQ(ReadBytes(firstCopy), "Cy, 3\r\n");
  EXPECT_EQ(ReadBytes(path / "inside"), "keep");
  // The same run rewrites its own copy.
  EXPECT_EQ(file.Save({"Cy, 4"}), NamesSave::Kept);
  EXPECT_EQ(file.KeptPath(), firstCopy);
  EXPECT_EQ(ReadBytes(firstCopy), "Cy, 4\r\n");

  // The next run must not overwrite the copy the last one left, and every
  // kept copy is found again, an earlier version's beside names.txt too.
  NamesFile nextRun(path, keptDir);
  nextRun.Load();
  EXPECT_EQ(nextRun.Save({"Di, 5"}), NamesSave::Kept);
  EXPECT_NE(nextRun.KeptPath(), firstCopy);
  EXPECT_EQ(ReadBytes(firstCopy), "Cy, 4\r\n");
  WriteBytes(dir / "names.txt.unsaved.3", "Old, 6\r\n");
  WriteBytes(keptDir / "unrelated.txt", "");
  const std::vector<std::filesystem::path> found = FindKeptCopies(keptDir, path);
  EXPECT_EQ(found.size(), 3u);
  EXPECT_EQ(std::count(found.begin(), found.end(), nextRun.KeptPath()), 1);
  EXPECT_EQ(std::count(found.begin(), found.end(), dir / "names.txt.unsaved.3"), 1);
}

TEST(NamesFile, NothingLoadedNeverReplacesAnExistingFile) {
  TempDir dir;
  WriteBytes(dir / "names.txt", "Ann, 1\r\n");
  NamesFile file(dir / "names.txt", dir / "kept");
  EXPECT_EQ(file.Save({}), NamesSave::Kept);
  EXPECT_EQ(ReadBytes(dir / "names.txt"), "Ann, 1\r\n");

  NamesFile fresh(dir / "new.txt");
  EXPECT_EQ(fresh.Save({"B, 2"}), NamesSave::Saved);
}

TEST(NamesFile, TwoCopiesInOneFolderKeepEachOthersChanges) {
  TempDir dir;
  WriteBytes(dir / "names.txt", "Ann, 1\r\nBob, 2\r\nCy, 3\r\n");
  NamesFile first(dir / "names.txt", dir / "kept"), second(dir / "names.txt", dir / "kept");
  first.Load();
  second.Load();
  // The first adds Alice and deletes Cy; the second adds Bob2 and edits Ann.
  EXPECT_EQ(first.Save({"Alice, 9", "Ann, 1", "Bob, 2"}), NamesSave::Saved);
  EXPECT_EQ(second.Save({"Ann, 11", "Bob, 2", "Bob2, 5", "Cy, 3"}), NamesSave::Saved);
  EXPECT_EQ(ParseNames(ReadBytes(dir / "names.txt")), (Entries{"Alice, 9", "Bob, 2", "Ann, 11", "Bob2, 5"}));
  // The first closes again: its own changes are on disk already.
  EXPECT_EQ(first.Save({"Alice, 9", "Ann, 1", "Bob, 2"}), NamesSave::Saved);
  EXPECT_EQ(ParseNames(ReadBytes(dir / "names.txt")), (Entries{"Alice, 9", "Bob, 2", "Ann, 11", "Bob2, 5"}));

  // Duplicates count: each copy deleted one of two equal entries, so both
  // are gone; an entry both copies added is there twice.
  EXPECT_EQ(MergeNames({"A", "A", "B"}, {"A", "B", "N"}, {"A", "B", "N"}), (Entries{"B", "N", "N"}));
  EXPECT_EQ(MergeNames({"A", "B"}, {"B"}, {"B"}), (Entries{"B"}));
}

#ifndef _WIN32
// Whatever the folder and file allow, the list ends up in a file: the real
// one when it can be written without changing anything but its content,
// else a kept copy; a file the user made read-only is never written.
TEST(NamesFile, SaveWritesWhereItMayAndKeepsTheListElsewhereOtherwise) {
  TempDir dir, kept;
  ::chmod(dir.path().c_str(), 0755);
  ::chmod(kept.path().c_str(), 0777);
  WriteBytes(dir / "names.txt", "Ann, 1\r\n");
  ::chmod((dir / "names.txt").c_str(), 0666);

  // A folder the user may not create files in: written in place.
  ::chmod(dir.path().c_str(), 0555);
  EXPECT_TRUE(test::AsOrdinaryUser([&] {
    NamesFile file(dir / "names.txt", kept.path());
    file.Load();
    return file.Save({"Ann, 1", "Bob, 2"}) == NamesSave::Saved;
  }));
  ::chmod(dir.path().c_str(), 0755);
  EXPECT_EQ(ReadBytes(dir / "names.txt"), "Ann, 1\r\nBob, 2\r\n");

  // A hard link stays one file; a temporary left by a crash goes.
  std::filesystem::create_hard_link(dir / "names.txt", dir / "hard-link.txt");
  const pid_t gone = ::fork();
  if (gone == 0) ::_exit(0);
  ::waitpid(gone, nullptr, 0);
  const std::string leftover = "names.txt.tmp" + std::to_string(gone) + "-0";
  const std::string running = "names.txt.tmp" + std::to_string(::getpid()) + "-99";
  WriteBytes(dir / leftover, "");
  WriteBytes(dir / running, "");  // a running copy's: not ours to remove
  NamesFile file(dir / "names.txt", kept.path());
  file.Load();
  EXPECT_EQ(file.Save({"Cy, 3"}), NamesSave::Saved);
  EXPECT_EQ(ReadBytes(dir / "hard-link.txt"), "Cy, 3\r\n");
  EXPECT_FALSE(std::filesystem::exists(dir / leftover));
  EXPECT_TRUE(std::filesystem::exists(dir / running));

  // Read-only: neither replaced nor written, whoever we are; kept instead.
  ::chmod((dir / "names.txt").c_str(), 0444);
  EXPECT_EQ(file.Save({"Cy, 3"}), NamesSave::Saved);  // nothing changed: nothing to keep
  EXPECT_TRUE(file.KeptPath().empty());
  EXPECT_EQ(file.Save({"Cy, 3", "Di, 4"}), NamesSave::Kept);
  EXPECT_EQ(ReadBytes(dir / "names.txt"), "Cy, 3\r\n");
  EXPECT_EQ(ReadBytes(file.KeptPath()), "Cy, 3\r\nDi, 4\r\n");
}

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
