#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "controls/check_list_geometry.h"
#include "controls/check_list_row.h"
#include "controls/check_list_state.h"
#include "controls/check_list_store.h"

namespace snpp {

// Everything the check list decides, without a display: the items (byte
// strings, kept exactly as given) with their check states, the current
// item, the sorted order, the state cycle and what a mouse press does.
class CheckListModel {
 public:
  struct StateChange {
    int index;
    TCheckBoxState oldState;
    TCheckBoxState newState;
  };

  // What a left press at a point of the client area leads to.
  struct PressPlan {
    int item = -1;               // the item under the point, -1 for none
    bool invalidateRow = false;  // repaint the item's row first
    bool cycle = false;          // advance the item's state
    bool ordinary = false;       // then focus, select and click as any list
  };

  // Items. Add puts the text at its sorted place (or at the end when not
  // sorted) with an unchecked state and says where it landed.
  int Add(std::string text);
  bool Delete(int index);  // false, and nothing changes, for a bad index
  void Clear();
  int Count() const { return store_.Count(); }
  bool IsValidIndex(int index) const { return index >= 0 && index < Count(); }
  const std::string& Item(int index) const;  // throws std::out_of_range

  // The current item, -1 for none; any index outside the list clears it.
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int index) { itemIndex_ = IsValidIndex(index) ? index : -1; }
  // Makes `index` current as SetItemIndex does, and names the rows that look
  // different now (where the focus mark and the current look were, and the
  // new current row); nothing when the current item stayed.
  std::optional<std::array<int, 3>> MoveCurrent(int index);
  // The row that carries the focus mark while the list has the focus: the
  // current item, or the first one when none is current; -1 when empty.
  int FocusIndex() const { return itemIndex_ >= 0 ? itemIndex_ : (Count() > 0 ? 0 : -1); }

  // Reading a position outside the list gives unchecked. Every accepted
  // write is reported, also one that leaves the state as it was; writes to
  // positions outside the list, or of values that are no state, are not.
  TCheckBoxState ItemState(int index) const;
  std::optional<StateChange> SetItemState(int index, TCheckBoxState state);
  std::optional<StateChange> CycleState(int index);
  int StateCount(TCheckBoxState state) const;

  bool Sorted() const { return sorted_; }
  void SetSorted(bool sorted);
  bool ThreeState() const { return threeState_; }
  void SetThreeState(bool v) { threeState_ = v; }
  bool BoxClickOnly() const { return boxClickOnly_; }
  void SetBoxClickOnly(bool v) { boxClickOnly_ = v; }
  int ItemHeight() const { return itemHeight_; }
  bool SetItemHeight(int height);  // false, and ignored, if the box would vanish
  int BoxMargin() const { return boxMargin_; }
  bool SetBoxMargin(int margin);   // false, and ignored, if the box would vanish
  BoxGeometry Geometry() const { return ComputeBoxGeometry(itemHeight_, boxMargin_); }

  // Rows are ItemHeight high from the top of the client area, starting with
  // item topIndex; only existing items count.
  int ItemAt(int y, int topIndex) const;
  PressPlan PlanPress(int x, int y, int topIndex) const;

  // The next item after `start` (wrapping round, `start` itself last) whose
  // text begins with `prefix`, ignoring case; -1 if none.
  int FindPrefix(int start, std::string_view prefix) const;

  // Keyboard. A navigation key moves the current item to NavigationTarget
  // (not a valid index on an empty list); `fullRows` is how many rows the
  // list shows whole. A typed character first cycles the current item, then
  // moves to TypedTarget, -1 meaning stay.
  int NavigationTarget(ListMove move, int fullRows) const;
  int TypedTarget(std::string_view typed) const;
  // Whether typed text cycles the current item: Tab moves on to the next
  // control and Delete types nothing; Escape and Enter are characters too.
  static bool IsListCharacter(std::string_view typed);

  // Scrolling: rows shown whole in a client area (at least one), the last
  // useful top index, and the top index that brings `index` into view with
  // as little movement as possible.
  static int FullRows(int clientHeight, int rowHeight);
  int MaxTopIndex(int fullRows) const;
  static int TopIndexShowing(int index, int topIndex, int fullRows);

  // What row `index` shows: the drawing's decisions, so that every front
  // end draws the same row for the same list.
  RowLook DecideRow(int index, bool listHasFocus) const;

  // The list's order: bytes compared with ASCII letters folded to lower case.
  static int CompareIgnoreCase(std::string_view a, std::string_view b);

 private:
  void Resort();

  CheckListStore store_;
  std::array<int, 3> stateCounts_{};
  int itemIndex_ = -1;
  bool sorted_ = true;
  bool threeState_ = false;
  bool boxClickOnly_ = true;
  int itemHeight_ = 16;
  int boxMargin_ = 1;
};

}  // namespace snpp
