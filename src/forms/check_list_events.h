#pragma once
// The order in which a check list answers a user's press, key or typed
// character: which state changes, focus, selection and click events come,
// and in what order. Both window faces' lists follow it, so a handler sees
// the same sequence on every platform.

#include <string_view>

#include "controls/check_list_model.h"

namespace snpp::forms {

// What one face's list does at each step. A step may run the program's
// handlers (OnStateChange, OnClick), which may change the list or even
// destroy it; the sequences check for that between steps.
class CheckListSteps {
 public:
  virtual ~CheckListSteps() = default;
  virtual const CheckListModel& Model() const = 0;
  virtual int TopIndex() const = 0;
  virtual void InvalidateRow(int index) = 0;
  virtual void CycleState(int index) = 0;  // the next state, through OnStateChange
  virtual void TakeFocus() = 0;
  virtual void SelectByUser(int index) = 0;  // current item, brought into view
  virtual void RaiseClick() = 0;
  virtual void StartTracking() = 0;  // the selection follows the pointer until release
  virtual bool Destroyed() const { return false; }
};

// A left press at (x, y), in pixels of the list's 100 % layout.
void PressAt(CheckListSteps& list, int x, int y);
// A press on an item as a whole (an assistive tool's action), on its box or
// its text; clicks at once, as a press and release would.
void PressItem(CheckListSteps& list, int index, bool onBox);
// A navigation key that moved the current item to `target`.
void NavigateTo(CheckListSteps& list, int target);
// A typed character: the current item's state advances, then the current
// item jumps to the next item that starts with it.
void TypeCharacter(CheckListSteps& list, std::string_view typed);

}  // namespace snpp::forms
