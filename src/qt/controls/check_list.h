#pragma once

#include <QAbstractScrollArea>
#include <QColor>

#include <functional>
#include <string>

#include "controls/check_list_model.h"
#include "controls/check_list_state.h"
#include "forms/check_list_events.h"

namespace snpp {
class TEntryController;
}

namespace snpp::qt {

// A single-selection list of text items, each with a check box. Items are
// byte strings kept exactly as added (shown decoded as UTF-8), sorted
// ignoring case. Every row is composed off screen and copied in one go.
// The rules live in CheckListModel; this class turns mouse, keys and
// painting into calls on it and raises the events.
class TCheckList : public QAbstractScrollArea, private forms::CheckListSteps {
  Q_OBJECT

 public:
  using TNotifyEvent = std::function<void(TCheckList* Sender)>;
  using TStateChangeEvent =
      std::function<void(TCheckList* Sender, int Index, TCheckBoxState OldState, TCheckBoxState NewState)>;

  explicit TCheckList(QWidget* parent = nullptr);

  // Items: Add returns the sorted position the text landed at (unchecked);
  // Delete ignores a bad index and says whether it removed one;
  // ItemText throws std::out_of_range for a bad index.
  int AddItem(std::string text);
  bool DeleteItem(int index);
  void ClearItems();
  int ItemCount() const { return model_.Count(); }
  const std::string& ItemText(int index) const { return model_.Item(index); }

  // The current item, -1 for none. Setting it brings the item into view;
  // like the program's own assignments it raises no OnClick.
  int ItemIndex() const { return model_.ItemIndex(); }
  void SetItemIndex(int index);

  // Every write inside the list raises OnStateChange, changed or not.
  TCheckBoxState ItemState(int index) const { return model_.ItemState(index); }
  void SetItemState(int index, TCheckBoxState state);
  int StateCount(TCheckBoxState state) const { return model_.StateCount(state); }

  bool BoxClickOnly() const { return model_.BoxClickOnly(); }
  void SetBoxClickOnly(bool v) { model_.SetBoxClickOnly(v); }
  QColor BoxColor() const { return boxColor_; }
  void SetBoxColor(const QColor& c);
  int BoxMargin() const { return model_.BoxMargin(); }
  void SetBoxMargin(int margin);
  QColor CheckColor() const;  // the window-text colour unless set
  void SetCheckColor(const QColor& c);
  TCheckStyle CheckStyle() const { return checkStyle_; }
  void SetCheckStyle(TCheckStyle style);
  bool ThreeState() const { return model_.ThreeState(); }
  void SetThreeState(bool v) { model_.SetThreeState(v); }
  bool WantDblClicks() const { return wantDblClicks_; }
  void SetWantDblClicks(bool v) { wantDblClicks_ = v; }
  bool Sorted() const { return model_.Sorted(); }
  void SetSorted(bool v);
  int ItemHeight() const { return model_.ItemHeight(); }
  void SetItemHeight(int height);

  // First visible item, and the rectangle an item occupies in the client
  // area (which may lie outside it); an empty rectangle for a bad index.
  int TopIndex() const override;
  void SetTopIndex(int index);
  QRect ItemRect(int index) const;
  int ItemAtPos(QPoint clientPos) const { return model_.ItemAt(clientPos.y(), TopIndex()); }

  const CheckListModel& Model() const override { return model_; }

  // A press on an item's box (`onBox`) or text without a pointer, as
  // assistive technology asks for it: the same events as a click.
  void PressItem(int index, bool onBox);
  // Moving to an item without a pointer: the same events as an arrow key.
  void NavigateTo(int index);

  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TStateChangeEvent OnStateChange;

  // The window's shared entry-field controller. The list keeps it for the
  // window's fields to share; none of its own rules depend on it.
  TEntryController* Controller() const { return controller_; }
  void SetController(TEntryController* controller) { controller_ = controller; }

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  int NavigationTarget(int key) const;
  // The steps of a user's action; their order is forms::PressAt and the rest.
  void CycleState(int index) override;
  void TakeFocus() override;
  void StartTracking() override { tracking_ = true; }
  void SelectByUser(int index) override;
  void MoveCurrent(int index);
  void EnsureVisible(int index);
  int FullRows() const;
  void UpdateScrollRange();
  void ScheduleScrollRange();
  void SyncScrollRange();
  void InvalidateRow(int index) override;
  void InvalidateFrom(int index);
  void RaiseClick() override;

  CheckListModel model_;
  TEntryController* controller_ = nullptr;
  QColor boxColor_ = Qt::white;
  QColor checkColor_;  // invalid: follow the palette
  TCheckStyle checkStyle_ = csCheck;
  bool wantDblClicks_ = true;
  bool tracking_ = false;  // a press on an item is held; its release clicks
  bool rangePending_ = false;  // adds have outgrown the scroll bar's range
};

}  // namespace snpp::qt
