#include "forms/check_list_events.h"

namespace snpp::forms {

void PressAt(CheckListSteps& list, int x, int y) {
  const auto plan = list.Model().PlanPress(x, y, list.TopIndex());
  if (plan.invalidateRow) list.InvalidateRow(plan.item);
  if (plan.item < 0) {
    // Below the last item only the text side of the rows takes the focus.
    if (plan.ordinary) list.TakeFocus();
    return;
  }
  if (plan.cycle) list.CycleState(plan.item);
  if (list.Destroyed()) return;
  list.TakeFocus();
  // A state handler may have changed the list; select only what is there.
  if (list.Destroyed() || !list.Model().IsValidIndex(plan.item)) return;
  list.SelectByUser(plan.item);
  list.StartTracking();
}

void PressItem(CheckListSteps& list, int index, bool onBox) {
  if (!list.Model().IsValidIndex(index)) return;
  if (onBox) list.CycleState(index);
  if (list.Destroyed()) return;
  list.TakeFocus();
  if (list.Destroyed() || !list.Model().IsValidIndex(index)) return;
  list.SelectByUser(index);
  list.RaiseClick();
}

void NavigateTo(CheckListSteps& list, int target) {
  if (!list.Model().IsValidIndex(target)) return;
  list.SelectByUser(target);
  list.RaiseClick();
}

void TypeCharacter(CheckListSteps& list, std::string_view typed) {
  const int current = list.Model().ItemIndex();
  if (list.Model().IsValidIndex(current)) {
    list.CycleState(current);
    if (list.Destroyed()) return;
    list.RaiseClick();
    if (list.Destroyed()) return;
  }
  // Then what any list does with a typed character: jump to the next item
  // that starts with it.
  const int found = list.Model().TypedTarget(typed);
  if (found < 0) return;
  list.SelectByUser(found);
  list.RaiseClick();
}

}  // namespace snpp::forms
