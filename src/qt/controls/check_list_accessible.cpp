#include "qt/controls/check_list_accessible.h"

#include <QPointer>

#include <mutex>

#include "qt/controls/check_list.h"
#include "qt/controls/check_list_row_painter.h"

namespace snpp::qt {
namespace {

class CheckListItemAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
 public:
  CheckListItemAccessible(TCheckList* list, int index) : list_(list), index_(index) {}

  bool isValid() const override { return list_ && index_ < list_->ItemCount(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override { return list_ ? list_->window()->windowHandle() : nullptr; }
  QAccessibleInterface* parent() const override { return QAccessible::queryAccessibleInterface(list_.data()); }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }
  QAccessibleInterface* childAt(int, int) const override { return nullptr; }
  // A check box, not a list item: a screen reader then says "not checked"
  // as well as "checked", and speaks a row's check state when it flips.
  QAccessible::Role role() const override { return QAccessible::CheckBox; }

  QString text(QAccessible::Text t) const override {
    if (t != QAccessible::Name || !isValid()) return {};
    return CheckListDisplayText(list_->ItemText(index_));
  }
  void setText(QAccessible::Text, const QString&) override {}

  QRect rect() const override {
    if (!isValid()) return {};
    const QRect r = list_->ItemRect(index_);
    return {list_->viewport()->mapToGlobal(r.topLeft()), r.size()};
  }

  QAccessible::State state() const override {
    QAccessible::State s;
    if (!isValid()) {
      s.invalid = true;
      return s;
    }
    const TCheckBoxState check = list_->ItemState(index_);
    s.checkable = true;
    s.checked = check == cbChecked;
    s.checkStateMixed = check == cbGrayed;
    s.selectable = true;
    s.selected = index_ == list_->ItemIndex();
    s.focusable = true;
    s.focused = list_->hasFocus() && index_ == list_->Model().FocusIndex();
    s.disabled = !list_->isEnabled();
    s.offscreen = !list_->viewport()->rect().intersects(list_->ItemRect(index_));
    s.invisible = !list_->isVisible();
    return s;
  }

  void* interface_cast(QAccessible::InterfaceType t) override {
    return t == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this) : nullptr;
  }

  // Ticking acts as a click on the box, picking as a click on the text.
  QStringList actionNames() const override { return {toggleAction(), pressAction(), setFocusAction()}; }
  void doAction(const QString& name) override {
    if (!isValid()) return;
    if (name == toggleAction()) list_->PressItem(index_, true);
    else if (name == pressAction() || name == setFocusAction()) list_->PressItem(index_, false);
  }
  QStringList keyBindingsForAction(const QString&) const override { return {}; }

 private:
  QPointer<TCheckList> list_;
  int index_;
};

QAccessibleInterface* CheckListFactory(const QString& className, QObject* object) {
  if (className == QLatin1String(TCheckList::staticMetaObject.className()) && object && object->isWidgetType())
    return new CheckListAccessible(static_cast<TCheckList*>(object));
  return nullptr;
}

}  // namespace

CheckListAccessible::CheckListAccessible(TCheckList* list) : QAccessibleWidget(list, QAccessible::List) {}

CheckListAccessible::~CheckListAccessible() {
  for (QAccessible::Id id : items_)
    if (id) QAccessible::deleteAccessibleInterface(id);
}

TCheckList* CheckListAccessible::List() const { return static_cast<TCheckList*>(widget()); }

int CheckListAccessible::childCount() const { return List()->ItemCount(); }

QAccessibleInterface* CheckListAccessible::child(int index) const {
  if (index < 0 || index >= childCount()) return nullptr;
  if (items_.size() <= static_cast<std::size_t>(index)) items_.resize(static_cast<std::size_t>(index) + 1, 0);
  QAccessible::Id& id = items_[static_cast<std::size_t>(index)];
  if (!id) id = QAccessible::registerAccessibleInterface(new CheckListItemAccessible(List(), index));
  return QAccessible::accessibleInterface(id);
}

int CheckListAccessible::indexOfChild(const QAccessibleInterface* child) const {
  for (std::size_t i = 0; i < items_.size(); ++i)
    if (items_[i] && QAccessible::accessibleInterface(items_[i]) == child)
      return static_cast<int>(i) < childCount() ? static_cast<int>(i) : -1;
  return -1;
}

QAccessibleInterface* CheckListAccessible::childAt(int x, int y) const {
  const QPoint local = List()->viewport()->mapFromGlobal(QPoint(x, y));
  if (!List()->viewport()->rect().contains(local)) return nullptr;
  return child(List()->ItemAtPos(local));
}

QAccessibleInterface* CheckListAccessible::focusChild() const {
  return List()->hasFocus() ? child(List()->Model().FocusIndex()) : nullptr;
}

// The list's value is the current item, as a pager-number field's is its
// number.
QString CheckListAccessible::text(QAccessible::Text t) const {
  if (t == QAccessible::Value) {
    const int current = List()->ItemIndex();
    return current >= 0 ? CheckListDisplayText(List()->ItemText(current)) : QString();
  }
  return QAccessibleWidget::text(t);
}

std::vector<int> CheckListAccessible::SelectedChildren() const {
  const int current = List()->ItemIndex();
  return current >= 0 ? std::vector<int>{current} : std::vector<int>{};
}

// Selecting is what the arrow keys do: the row becomes current and the list
// is clicked, so the name's number fills the pager number as for a sighted
// user; no tick, and the focus stays where the reader has it.
bool CheckListAccessible::SelectChild(int index) {
  if (index < 0 || index >= childCount()) return false;
  List()->NavigateTo(index);
  return true;
}

bool CheckListAccessible::DeselectChild(int index) {
  if (index < 0 || index != List()->ItemIndex()) return false;
  return ClearSelection();
}

// One row at a time: "all" can be selected only when there is one.
bool CheckListAccessible::SelectAll() { return childCount() == 1 && SelectChild(0); }

bool CheckListAccessible::ClearSelection() {
  List()->SetItemIndex(-1);
  return true;
}

void RegisterCheckListAccessible() {
  static std::once_flag once;
  std::call_once(once, [] {
    QAccessible::installFactory(CheckListFactory);
    OfferAtSpiSelection();
  });
}

// Events are built only while a screen reader listens: building one looks
// up (and so creates) the list's interface.
void AnnounceItemState(TCheckList* list, int index) {
  if (!QAccessible::isActive()) return;
  QAccessible::State changed;
  changed.checked = true;
  QAccessibleStateChangeEvent event(list, changed);
  event.setChild(index);
  QAccessible::updateAccessibility(&event);
}

// The row that lost the selection is told too, after the one that gained
// it, so a reader never sees two selected rows; and also when no row is
// current any more.
void AnnounceCurrentItem(TCheckList* list, int index, int previous) {
  if (!QAccessible::isActive()) return;
  if (index >= 0) {
    QAccessibleEvent selection(list, QAccessible::Selection);
    selection.setChild(index);
    QAccessible::updateAccessibility(&selection);
  }
  if (previous >= 0 && previous != index && previous < list->ItemCount()) {
    QAccessibleEvent removed(list, QAccessible::SelectionRemove);
    removed.setChild(previous);
    QAccessible::updateAccessibility(&removed);
  }
  AnnounceSelectionChanged(list);
  if (index < 0 || !list->hasFocus()) return;
  QAccessibleEvent focus(list, QAccessible::Focus);
  focus.setChild(index);
  QAccessible::updateAccessibility(&focus);
}

// Qt tells of the list's own focus only after the list has handled it, so
// the row's focus goes out once that is done; a reader then speaks the row.
void AnnounceFocusedItem(TCheckList* list) {
  if (!QAccessible::isActive()) return;
  QMetaObject::invokeMethod(list, [list] {
    const int row = list->Model().FocusIndex();
    if (!list->hasFocus() || row < 0 || row >= list->ItemCount()) return;
    QAccessibleEvent focus(list, QAccessible::Focus);
    focus.setChild(row);
    QAccessible::updateAccessibility(&focus);
  }, Qt::QueuedConnection);
}

void AnnounceItemsChanged(TCheckList* list) {
  if (!QAccessible::isActive()) return;
  QAccessibleEvent event(list, QAccessible::ObjectReorder);
  QAccessible::updateAccessibility(&event);
}

}  // namespace snpp::qt
