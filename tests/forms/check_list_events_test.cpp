// The order of a check list's events, which both window faces follow.
#include "forms/check_list_events.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace snpp::forms {
namespace {

// A list that records each step, with a hook for a state handler that
// changes or destroys the list as a program's handler may.
class RecordingList : public CheckListSteps {
 public:
  CheckListModel model;
  std::vector<std::string> steps;
  std::function<void(int)> onCycle;
  bool destroyed = false;

  const CheckListModel& Model() const override { return model; }
  int TopIndex() const override { return 0; }
  void InvalidateRow(int) override {}
  void CycleState(int index) override {
    steps.push_back("cycle " + std::to_string(index));
    model.CycleState(index);
    if (onCycle) onCycle(index);
  }
  void TakeFocus() override { steps.push_back("focus"); }
  void SelectByUser(int index) override {
    steps.push_back("select " + std::to_string(index));
    model.SetItemIndex(index);
  }
  void RaiseClick() override { steps.push_back("click"); }
  void StartTracking() override { steps.push_back("track"); }
  bool Destroyed() const override { return destroyed; }
};

class CheckListEvents : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* name : {"Ann, 1", "Bob, 2", "Bea, 3"}) list.model.Add(name);  // Ann, Bea, Bob
  }
  RecordingList list;
  using Steps = std::vector<std::string>;
};

TEST_F(CheckListEvents, TypedCharacterCyclesAndClicksTheCurrentItemThenJumps) {
  list.model.SetItemIndex(0);
  TypeCharacter(list, "b");
  EXPECT_EQ(list.steps, (Steps{"cycle 0", "click", "select 1", "click"}));
  EXPECT_EQ(list.model.ItemState(0), cbChecked);
}

TEST_F(CheckListEvents, NothingCurrentMeansOnlyTheJump) {
  TypeCharacter(list, "z");
  EXPECT_TRUE(list.steps.empty());
  NavigateTo(list, 2);
  EXPECT_EQ(list.steps, (Steps{"select 2", "click"}));
}

TEST_F(CheckListEvents, AHandlerThatEmptiesTheListLeavesNothingToSelect) {
  list.onCycle = [this](int) { list.model.Clear(); };
  PressItem(list, 2, true);
  EXPECT_EQ(list.steps, (Steps{"cycle 2", "focus"}));
}

TEST_F(CheckListEvents, AHandlerThatDestroysTheListEndsTheSequence) {
  list.onCycle = [this](int) { list.destroyed = true; };
  list.model.SetItemIndex(1);
  TypeCharacter(list, "a");
  EXPECT_EQ(list.steps, (Steps{"cycle 1"}));
  list.steps.clear();
  PressItem(list, 0, true);
  EXPECT_EQ(list.steps, (Steps{"cycle 0"}));
}

TEST_F(CheckListEvents, APressOnTheTextSelectsAndClicksWithoutCycling) {
  PressItem(list, 1, false);
  EXPECT_EQ(list.steps, (Steps{"focus", "select 1", "click"}));
  EXPECT_EQ(list.model.ItemState(1), cbUnchecked);
}

}  // namespace
}  // namespace snpp::forms
