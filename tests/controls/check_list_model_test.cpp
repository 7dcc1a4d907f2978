#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "controls/check_list_model.h"

namespace snpp {
namespace {

std::vector<std::string> Items(const CheckListModel& m) {
  std::vector<std::string> out;
  for (int i = 0; i < m.Count(); ++i) out.push_back(m.Item(i));
  return out;
}

TEST(CheckListModel, AddsAtSortedPlaceIgnoringCaseAndKeepsBytes) {
  CheckListModel m;
  EXPECT_EQ(m.Add("james, 555"), 0);
  EXPECT_EQ(m.Add("Bob, 123"), 0);
  EXPECT_EQ(m.Add("alice, 9"), 0);
  EXPECT_EQ(m.Add("Carl, 1"), 2);
  const std::string latin1("Zo\xeb, 7", 6);  // not UTF-8: must survive as is
  EXPECT_EQ(m.Add(latin1), 4);
  EXPECT_EQ(m.Add(""), 0);
  EXPECT_EQ(Items(m), (std::vector<std::string>{"", "alice, 9", "Bob, 123", "Carl, 1", "james, 555", latin1}));
}

TEST(CheckListModel, EntriesEqualButForCaseKeepTheirAddingOrder) {
  // A file written in list order must load back byte for byte the same.
  CheckListModel m;
  m.Add("bob, 1");
  m.Add("Bob, 1");
  m.Add("BOB, 1");
  m.Add("bob, 1");
  EXPECT_EQ(Items(m), (std::vector<std::string>{"bob, 1", "Bob, 1", "BOB, 1", "bob, 1"}));
  CheckListModel again;
  for (const auto& s : Items(m)) again.Add(s);
  EXPECT_EQ(Items(again), Items(m));
}

TEST(CheckListModel, StatesMoveWithTheirItems) {
  CheckListModel m;
  m.Add("Anna, 1");
  m.Add("Carl, 3");
  m.SetItemState(1, cbChecked);
  EXPECT_EQ(m.Add("Bob, 2"), 1);
  EXPECT_EQ(m.ItemState(1), cbUnchecked);
  EXPECT_EQ(m.ItemState(2), cbChecked);
  EXPECT_EQ(m.Item(2), "Carl, 3");

  m.SetItemState(0, cbChecked);
  ASSERT_TRUE(m.Delete(0));  // a checked one goes with its state
  EXPECT_EQ(m.ItemState(0), cbUnchecked);
  EXPECT_EQ(m.ItemState(1), cbChecked);
  EXPECT_EQ(m.StateCount(cbChecked), 1);

  m.Clear();
  EXPECT_EQ(m.Count(), 0);
  EXPECT_EQ(m.StateCount(cbChecked), 0);
  m.Add("Dora, 4");
  EXPECT_EQ(m.ItemState(0), cbUnchecked);  // nothing left over from before
}

TEST(CheckListModel, StateWritesAreReportedEvenWhenUnchangedAndBadOnesIgnored) {
  CheckListModel m;
  EXPECT_EQ(m.StateCount(cbChecked), 0);
  EXPECT_EQ(m.ItemState(-1), cbUnchecked);
  EXPECT_FALSE(m.SetItemState(0, cbChecked));
  m.Add("a");
  m.Add("b");
  auto first = m.SetItemState(1, cbChecked);
  ASSERT_TRUE(first);
  EXPECT_EQ(first->oldState, cbUnchecked);
  auto again = m.SetItemState(1, cbChecked);
  ASSERT_TRUE(again);
  EXPECT_EQ(again->oldState, cbChecked);
  EXPECT_EQ(again->newState, cbChecked);
  EXPECT_FALSE(m.SetItemState(-1, cbChecked));
  EXPECT_FALSE(m.SetItemState(2, cbChecked));
  EXPECT_FALSE(m.SetItemState(0, static_cast<TCheckBoxState>(7)));
  EXPECT_EQ(m.ItemState(2), cbUnchecked);
  EXPECT_EQ(m.StateCount(cbChecked), 1);
  EXPECT_EQ(m.StateCount(cbUnchecked), 1);
  EXPECT_EQ(m.StateCount(static_cast<TCheckBoxState>(9)), 0);
}

TEST(CheckListModel, CycleFollowsThreeState) {
  EXPECT_EQ(NextState(cbUnchecked, false), cbChecked);
  EXPECT_EQ(NextState(cbChecked, false), cbUnchecked);
  EXPECT_EQ(NextState(cbGrayed, false), cbChecked);
  EXPECT_EQ(NextState(cbUnchecked, true), cbGrayed);
  EXPECT_EQ(NextState(cbGrayed, true), cbChecked);
  EXPECT_EQ(NextState(cbChecked, true), cbUnchecked);
  CheckListModel m;
  m.Add("x");
  m.SetThreeState(true);
  EXPECT_EQ(m.CycleState(0)->newState, cbGrayed);
  EXPECT_EQ(m.CycleState(0)->newState, cbChecked);
  EXPECT_FALSE(m.CycleState(1));
}

TEST(CheckListModel, CurrentItemFollowsInsertsAndDeletes) {
  CheckListModel m;
  m.Add("b");
  m.Add("d");
  m.SetItemIndex(1);
  m.Add("a");  // lands before the current item
  EXPECT_EQ(m.ItemIndex(), 2);
  m.Add("e");
  EXPECT_EQ(m.ItemIndex(), 2);
  m.Delete(0);
  EXPECT_EQ(m.ItemIndex(), 1);
  EXPECT_EQ(m.Item(m.ItemIndex()), "d");
  EXPECT_FALSE(m.Delete(7));
  EXPECT_FALSE(m.Delete(-1));
  m.Delete(1);
  EXPECT_EQ(m.ItemIndex(), -1);
  m.SetItemIndex(5);
  EXPECT_EQ(m.ItemIndex(), -1);
  m.SetItemIndex(0);
  m.Clear();
  EXPECT_EQ(m.ItemIndex(), -1);
  EXPECT_THROW(m.Item(0), std::out_of_range);
}

TEST(CheckListModel, UnsortedListAppendsAndSortingLaterKeepsStatesAndCurrent) {
  CheckListModel m;
  m.SetSorted(false);
  EXPECT_EQ(m.Add("c"), 0);
  EXPECT_EQ(m.Add("A"), 1);
  EXPECT_EQ(m.Add("b"), 2);
  m.SetItemState(0, cbChecked);
  m.SetItemIndex(2);
  m.SetSorted(true);
  EXPECT_EQ(Items(m), (std::vector<std::string>{"A", "b", "c"}));
  EXPECT_EQ(m.ItemState(2), cbChecked);
  EXPECT_EQ(m.ItemIndex(), 1);
}

TEST(CheckListModel, ManyInsertsAndDeletesMatchAPlainList) {
  // Crosses many block splits and empties; a sorted vector is the reference.
  CheckListModel m;
  std::vector<std::pair<std::string, TCheckBoxState>> ref;
  std::mt19937 rng(7);
  for (int i = 0; i < 6000; ++i) {
    if (!ref.empty() && rng() % 3 == 0) {
      int at = static_cast<int>(rng() % ref.size());
      ASSERT_TRUE(m.Delete(at));
      ref.erase(ref.begin() + at);
      continue;
    }
    // Half share their first eight bytes but for case, so the full texts decide.
    std::string s = (rng() % 2 ? "Longname-" : "n") + std::to_string(rng() % 2000);
    if (rng() % 2) s[0] = static_cast<char>(s[0] ^ 0x20);
    int at = m.Add(s);
    auto pos = std::upper_bound(ref.begin(), ref.end(), s, [](const std::string& a, const auto& e) {
      return CheckListModel::CompareIgnoreCase(a, e.first) < 0;
    });
    ASSERT_EQ(at, pos - ref.begin());
    auto state = rng() % 2 ? cbChecked : cbUnchecked;
    ref.insert(pos, {s, state});
    m.SetItemState(at, state);
  }
  ASSERT_EQ(m.Count(), static_cast<int>(ref.size()));
  int checked = 0;
  for (int i = 0; i < m.Count(); ++i) {
    ASSERT_EQ(m.Item(i), ref[i].first);
    ASSERT_EQ(m.ItemState(i), ref[i].second);
    checked += ref[i].second == cbChecked;
  }
  EXPECT_EQ(m.StateCount(cbChecked), checked);
}

TEST(CheckListModel, PressOnTheBoxZoneCyclesAndOnTheTextOnlySelects) {
  CheckListModel m;
  m.Add("a");
  m.Add("b");
  // Zone x = 0..16 with height 16 and margin 1; rows are 16 high.
  auto box = m.PlanPress(16, 20, 0);
  EXPECT_EQ(box.item, 1);
  EXPECT_TRUE(box.cycle && box.ordinary && box.invalidateRow);
  auto text = m.PlanPress(17, 20, 0);
  EXPECT_EQ(text.item, 1);
  EXPECT_FALSE(text.cycle || text.invalidateRow);
  EXPECT_TRUE(text.ordinary);
  EXPECT_EQ(m.PlanPress(0, 15, 0).item, 0);
  EXPECT_EQ(m.PlanPress(0, 15, 1).item, 1);  // scrolled by one row

  // Below the last item: the box side does nothing at all, the text side
  // only reaches the list's own handling.
  auto belowBox = m.PlanPress(5, 40, 0);
  EXPECT_EQ(belowBox.item, -1);
  EXPECT_FALSE(belowBox.cycle || belowBox.ordinary || belowBox.invalidateRow);
  EXPECT_TRUE(m.PlanPress(17, 40, 0).ordinary);
  EXPECT_EQ(m.PlanPress(17, -1, 0).item, -1);

  m.SetBoxClickOnly(false);
  EXPECT_TRUE(m.PlanPress(100, 0, 0).cycle);
}

TEST(CheckListModel, BoxMarginAndHeightThatLeaveNoBoxAreRefused) {
  CheckListModel m;
  EXPECT_FALSE(m.SetBoxMargin(0));
  EXPECT_FALSE(m.SetBoxMargin(8));  // 16 - 2*8 = 0
  EXPECT_EQ(m.BoxMargin(), 1);
  EXPECT_TRUE(m.SetBoxMargin(4));
  m.Add("a");
  EXPECT_TRUE(m.PlanPress(14, 0, 0).cycle);  // zone now 0..14
  EXPECT_FALSE(m.PlanPress(15, 0, 0).cycle);
  EXPECT_FALSE(m.SetItemHeight(8));
  EXPECT_FALSE(m.SetItemHeight(256));
  EXPECT_TRUE(m.SetItemHeight(20));
  EXPECT_EQ(m.ItemAt(19, 0), 0);
  EXPECT_EQ(m.ItemAt(20, 0), -1);
}

TEST(CheckListModel, PrefixSearchStartsAfterCurrentAndWraps) {
  CheckListModel m;
  for (auto s : {"Anna", "bob", "Bert", "carl"}) m.Add(s);
  EXPECT_EQ(m.FindPrefix(-1, "b"), 1);
  EXPECT_EQ(m.FindPrefix(1, "B"), 2);
  EXPECT_EQ(m.FindPrefix(2, "b"), 1);
  EXPECT_EQ(m.FindPrefix(0, "a"), 0);  // itself, as the last candidate
  EXPECT_EQ(m.FindPrefix(0, "z"), -1);
  EXPECT_EQ(m.FindPrefix(0, ""), -1);
}

}  // namespace
}  // namespace snpp
