#include "directory/recipient_directory.h"

#include <gtest/gtest.h>

#include "test_support.h"

#include <algorithm>
#include <cctype>
#include <new>
#include <optional>
#include <utility>
#include <vector>

namespace snpp {
namespace {

std::string lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// A names list that sorts like the real one and counts what the commands do.
class FakeDirectoryView : public DirectoryView {
 public:
  struct Item {
    std::string text;
    bool checked = false;
  };
  std::vector<Item> items;
  int current = -1;
  std::string pager = "untouched";
  bool pagerEnabled = true;
  int pagerEnablings = 0;
  bool hintVisible = false;
  std::string refused;
  int stateChanges = 0;
  std::optional<std::pair<std::string, std::string>> dialogAnswer;  // nullopt = Cancel
  std::pair<std::string, std::string> dialogShown;
  RecipientDirectory* directory = nullptr;
  int addsBeforeOutOfMemory = -1;  // -1: never

  int NameCount() const override { return static_cast<int>(items.size()); }
  std::string NameItem(int i) const override { return items.at(static_cast<std::size_t>(i)).text; }
  int NameItemIndex() const override { return current; }
  void AddName(const std::string& entry) override {
    if (addsBeforeOutOfMemory == 0) throw std::bad_alloc();
    if (addsBeforeOutOfMemory > 0) --addsBeforeOutOfMemory;
    auto at = std::find_if(items.begin(), items.end(),
                           [&](const Item& it) { return lower(it.text) > lower(entry); });
    const int pos = static_cast<int>(at - items.begin());
    items.insert(at, Item{entry, false});
    if (current >= pos) ++current;
  }
  void DeleteName(int i) override {
    items.erase(items.begin() + i);
    if (current == i) current = -1;
    else if (current > i) --current;
  }
  void ClearNames() override { items.clear(); current = -1; }
  int CheckedCount() const override {
    return static_cast<int>(std::count_if(items.begin(), items.end(), [](const Item& it) { return it.checked; }));
  }
  void SetNameChecked(int i, bool checked) override {
    items.at(static_cast<std::size_t>(i)).checked = checked;
    ++stateChanges;
    if (directory) directory->namesListboxStateChange(i, checked);
  }
  void SetPagerNumber(const std::string& id) override { pager = id; }
  void SetPagerNumberEnabled(bool e) override {
    pagerEnabled = e;
    ++pagerEnablings;
  }
  void SetSelectingHintVisible(bool v) override { hintVisible = v; }
  void ShowRefusedPagerId(const std::string& text) override { refused = text; }
  bool AskForName(std::string& name, std::string& id) override {
    dialogShown = {name, id};
    if (!dialogAnswer) return false;
    std::tie(name, id) = *dialogAnswer;
    return true;
  }

  // A box click: the state changes first, then the list's click event.
  void clickBox(int i) {
    current = i;
    SetNameChecked(i, !items.at(static_cast<std::size_t>(i)).checked);
    directory->namesListBoxClick();
  }
  void clickText(int i) {
    current = i;
    directory->namesListBoxClick();
  }
};

class RecipientDirectoryTest : public ::testing::Test {
 protected:
  RecipientDirectoryTest() : file("unused-names.txt"), directory(view, file) { view.directory = &directory; }
  void fill(std::initializer_list<const char*> entries) {
    for (const char* e : entries) view.AddName(e);
  }
  FakeDirectoryView view;
  NamesFile file;
  RecipientDirectory directory;
};

TEST_F(RecipientDirectoryTest, AddBuildsTheEntryAndIgnoresEmptyFieldsOrCancel) {
  view.dialogAnswer = {{"james", "7001"}};
  directory.AddButtonClick();
  EXPECT_EQ(view.dialogShown, std::make_pair(std::string(), std::string()));
  view.dialogAnswer = {{"Bob", "12-345"}};
  directory.AddButtonClick();
  ASSERT_EQ(view.NameCount(), 2);
  EXPECT_EQ(view.NameItem(0), "Bob, 12-345");
  EXPECT_EQ(view.NameItem(1), "james, 7001");

  view.dialogAnswer = {{"", "1"}};
  directory.AddButtonClick();
  view.dialogAnswer = {{"x", ""}};
  directory.AddButtonClick();
  view.dialogAnswer.reset();
  directory.AddButtonClick();
  EXPECT_EQ(view.NameCount(), 2);
  EXPECT_EQ(view.pager, "untouched");
}

TEST_F(RecipientDirectoryTest, EditOfACheckedEntryReturnsItUncheckedAndKeepsTheMode) {
  fill({"Ann, 1", "Bob, 12-345"});
  view.clickBox(1);
  EXPECT_FALSE(view.pagerEnabled);
  EXPECT_TRUE(view.hintVisible);
  view.current = 1;
  view.dialogAnswer = {{"Aaron", "99"}};
  directory.editNameButtonClick();
  EXPECT_EQ(view.dialogShown, std::make_pair(std::string("Bob"), std::string("12-345")));
  ASSERT_EQ(view.NameCount(), 2);
  EXPECT_EQ(view.NameItem(0), "Aaron, 99");
  EXPECT_FALSE(view.items[0].checked);
  EXPECT_EQ(view.CheckedCount(), 0);
  EXPECT_FALSE(view.pagerEnabled);  // no event was raised to leave several-mode
  EXPECT_TRUE(view.hintVisible);

  // Empty field or Cancel: the entry stays.
  view.current = 0;
  view.dialogAnswer = {{"Aaron", ""}};
  directory.editNameButtonClick();
  view.dialogAnswer.reset();
  directory.editNameButtonClick();
  EXPECT_EQ(view.NameItem(0), "Aaron, 99");
  view.current = -1;
  view.dialogShown = {"not", "shown"};
  directory.editNameButtonClick();
  EXPECT_EQ(view.dialogShown.first, "not");
}

TEST_F(RecipientDirectoryTest, CheckingAndUncheckingSwitchesBetweenTheModes) {
  fill({"Ann, 111", "Bob, 222", "Cy, 333"});
  view.clickText(1);
  EXPECT_EQ(view.pager, "222");
  view.clickBox(0);
  EXPECT_EQ(view.pager, "");
  EXPECT_FALSE(view.pagerEnabled);
  view.clickBox(2);
  view.clickBox(2);  // another stays checked: unchanged
  EXPECT_FALSE(view.pagerEnabled);
  EXPECT_TRUE(view.hintVisible);
  view.clickText(1);  // selecting while checked: unchanged
  EXPECT_EQ(view.pager, "");
  view.clickBox(0);  // the last checked one: single, with its ID
  EXPECT_TRUE(view.pagerEnabled);
  EXPECT_FALSE(view.hintVisible);
  EXPECT_EQ(view.pager, "111");
}

TEST_F(RecipientDirectoryTest, SelectingAnIdLongerThanTheFieldLeavesItEmptyAndSaysWhy) {
  fill({"Ann, 111", "Long, 12345678901234"});
  view.clickText(0);
  view.clickText(1);
  EXPECT_EQ(view.pager, "");  // never its first ten digits: someone else's pager
  EXPECT_EQ(view.refused, "Error: pager ID longer than 10 digits: Long, 12345678901234");
}

TEST_F(RecipientDirectoryTest, DeletingTheOnlyCheckedEntryKeepsSeveralModeUntilNextSelection) {
  fill({"Ann, 111", "Bob, 222"});
  view.clickText(0);
  view.clickBox(1);
  view.current = 1;
  directory.deleteButtonClick();
  EXPECT_EQ(view.NameCount(), 1);
  EXPECT_FALSE(view.pagerEnabled);
  EXPECT_TRUE(view.hintVisible);
  view.clickText(0);
  EXPECT_TRUE(view.pagerEnabled);
  EXPECT_EQ(view.pager, "111");
  view.current = -1;
  directory.deleteButtonClick();
  EXPECT_EQ(view.NameCount(), 1);
}

TEST_F(RecipientDirectoryTest, SelectAllAndDeselectAll) {
  directory.checkAllButtonClick();  // empty list: the mode still switches
  EXPECT_FALSE(view.pagerEnabled);
  EXPECT_TRUE(view.hintVisible);
  directory.uncheckAllButtonClick();
  EXPECT_TRUE(view.pagerEnabled);
  EXPECT_FALSE(view.hintVisible);
  EXPECT_EQ(view.pager, "");

  fill({"a, 1", "b, 2", "c, 3"});
  view.stateChanges = 0;
  view.pagerEnablings = 0;
  directory.checkAllButtonClick();
  EXPECT_EQ(view.stateChanges, 3);
  EXPECT_EQ(view.pagerEnablings, 1);  // the mode entered once, not per name
  EXPECT_EQ(view.CheckedCount(), 3);
  directory.uncheckAllButtonClick();
  EXPECT_EQ(view.stateChanges, 6);
  EXPECT_EQ(view.CheckedCount(), 0);
  EXPECT_TRUE(view.pagerEnabled);
}

TEST(RecipientDirectoryFile, ALoadThatFailsHalfWayNeverReplacesTheFile) {
  test::TempDir dir;
  const std::string bytes = "a, 1\r\nb, 2\r\nc, 3\r\n";
  test::WriteBytes(dir / "names.txt", bytes);
  FakeDirectoryView view;
  NamesFile file(dir / "names.txt", dir / "kept");
  RecipientDirectory directory(view, file);
  view.addsBeforeOutOfMemory = 2;
  EXPECT_THROW(directory.Load(), std::bad_alloc);
  EXPECT_EQ(view.NameCount(), 2);  // what was read stays
  EXPECT_EQ(directory.Save(), NamesSave::Kept);
  EXPECT_EQ(test::ReadBytes(dir / "names.txt"), bytes);
  EXPECT_EQ(test::ReadBytes(file.KeptPath()), "a, 1\r\nb, 2\r\n");
}

TEST(RecipientDirectoryFile, ClosingAfterAnotherCopyShowsAndSavesBothCopiesChanges) {
  test::TempDir dir;
  test::WriteBytes(dir / "names.txt", "Ann, 1\r\nBob, 2\r\n");
  FakeDirectoryView view1, view2;
  NamesFile file1(dir / "names.txt", dir / "kept"), file2(dir / "names.txt", dir / "kept");
  RecipientDirectory copy1(view1, file1), copy2(view2, file2);
  copy1.Load();
  copy2.Load();
  view1.AddName("Alice, 3");
  view2.AddName("Bob2, 4");
  view2.items[0].checked = true;  // Ann
  view2.DeleteName(1);            // Bob
  EXPECT_EQ(copy1.Save(), NamesSave::Saved);
  EXPECT_EQ(copy2.Save(), NamesSave::Saved);
  EXPECT_EQ(test::ReadBytes(dir / "names.txt"), "Alice, 3\r\nAnn, 1\r\nBob2, 4\r\n");
  ASSERT_EQ(view2.NameCount(), 3);  // the list shows what was saved, in its order
  EXPECT_EQ(view2.NameItem(0), "Alice, 3");
  EXPECT_TRUE(view2.items[1].checked);  // untouched entries keep their marks
}

}  // namespace
}  // namespace snpp
