#pragma once
// What a screen reader learns about a check list: a list whose items are
// check boxes with their text, their check mark, whether they are current and focused, and
// actions to tick or pick them; and the events that tell it of changes.

#include <QAccessibleWidget>

#include <vector>

#include "qt/controls/atspi_selection.h"

namespace snpp::qt {

class TCheckList;

class CheckListAccessible : public QAccessibleWidget, public AccessibleChildSelection {
 public:
  explicit CheckListAccessible(TCheckList* list);
  ~CheckListAccessible() override;

  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QAccessibleInterface* childAt(int x, int y) const override;
  QAccessibleInterface* focusChild() const override;
  QString text(QAccessible::Text t) const override;

  // The current row is the one selected row.
  std::vector<int> SelectedChildren() const override;
  bool SelectChild(int index) override;
  bool DeselectChild(int index) override;
  bool SelectAll() override;
  bool ClearSelection() override;

 private:
  TCheckList* List() const;
  // One interface per row position, made when first asked for; a row's
  // interface shows whatever item is at that position now.
  mutable std::vector<QAccessible::Id> items_;
};

// Lets Qt find the interface above for every check list (once per run).
void RegisterCheckListAccessible();

// Calls the list makes when something a screen reader shows has changed.
void AnnounceItemState(TCheckList* list, int index);
void AnnounceCurrentItem(TCheckList* list, int index, int previous);
void AnnounceFocusedItem(TCheckList* list);
void AnnounceItemsChanged(TCheckList* list);

}  // namespace snpp::qt
