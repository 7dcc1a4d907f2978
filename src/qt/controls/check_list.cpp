#include "qt/controls/check_list.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

#include "qt/controls/check_list_accessible.h"
#include "qt/controls/check_list_row_painter.h"

namespace snpp::qt {
namespace {

constexpr int kNotNavigation = -2;

// Keys that type a character into the list. Alt combinations belong to
// menus, Tab to the window, and Delete types nothing; Escape is a character
// like Enter and cycles the current item too.
bool IsCharacterKey(const QKeyEvent* event) {
  if (!CheckListModel::IsListCharacter(event->text().toStdString())) return false;
  if (event->modifiers() & (Qt::AltModifier | Qt::MetaModifier)) return false;
  switch (event->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Delete:
      return false;
    default:
      return true;
  }
}

}  // namespace

TCheckList::TCheckList(QWidget* parent) : QAbstractScrollArea(parent) {
  RegisterCheckListAccessible();
  setFocusPolicy(Qt::TabFocus);  // a mouse press takes the focus itself, or not
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  verticalScrollBar()->setSingleStep(1);
  resize(121, 150);
  UpdateScrollRange();
}

QSize TCheckList::sizeHint() const { return {121, 150}; }

int TCheckList::AddItem(std::string text) {
  const int at = model_.Add(std::move(text));
  if (at < 0) return at;
  ScheduleScrollRange();
  InvalidateFrom(at);
  AnnounceItemsChanged(this);
  return at;
}

bool TCheckList::DeleteItem(int index) {
  if (!model_.Delete(index)) return false;
  UpdateScrollRange();
  InvalidateFrom(index);
  AnnounceItemsChanged(this);
  return true;
}

void TCheckList::ClearItems() {
  model_.Clear();
  tracking_ = false;
  UpdateScrollRange();
  viewport()->update();
  AnnounceItemsChanged(this);
}

void TCheckList::SetItemIndex(int index) {
  MoveCurrent(index);
  if (ItemIndex() >= 0) EnsureVisible(ItemIndex());
}

void TCheckList::SetItemState(int index, TCheckBoxState state) {
  const auto change = model_.SetItemState(index, state);
  if (!change) return;
  InvalidateRow(index);
  AnnounceItemState(this, index);
  if (OnStateChange) OnStateChange(this, change->index, change->oldState, change->newState);
}

void TCheckList::SetBoxColor(const QColor& c) {
  boxColor_ = c;
  viewport()->update();
}

void TCheckList::SetBoxMargin(int margin) {
  if (model_.SetBoxMargin(margin)) viewport()->update();
}

QColor TCheckList::CheckColor() const {
  return checkColor_.isValid() ? checkColor_ : palette().color(QPalette::Active, QPalette::Text);
}

void TCheckList::SetCheckColor(const QColor& c) {
  checkColor_ = c;
  viewport()->update();
}

void TCheckList::SetCheckStyle(TCheckStyle style) {
  checkStyle_ = style;
  viewport()->update();
}

void TCheckList::SetSorted(bool v) {
  model_.SetSorted(v);
  viewport()->update();
}

void TCheckList::SetItemHeight(int height) {
  if (!model_.SetItemHeight(height)) return;
  UpdateScrollRange();
  viewport()->update();
}

int TCheckList::TopIndex() const { return verticalScrollBar()->value(); }

void TCheckList::SetTopIndex(int index) {
  SyncScrollRange();
  verticalScrollBar()->setValue(index);
}

QRect TCheckList::ItemRect(int index) const {
  if (!model_.IsValidIndex(index)) return {};
  const int h = ItemHeight();
  return {0, (index - TopIndex()) * h, viewport()->width(), h};
}

// ---- painting ----

void TCheckList::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  const QPalette& pal = palette();
  CheckListRowLook look;
  look.width = viewport()->width();
  look.itemHeight = ItemHeight();
  look.boxMargin = BoxMargin();
  look.style = checkStyle_;
  look.scale = viewport()->devicePixelRatioF();
  look.font = font();
  look.background = pal.color(QPalette::Active, QPalette::Base);
  look.textColor = pal.color(QPalette::Active, QPalette::Text);
  look.boxColor = boxColor_;
  look.checkColor = CheckColor();
  look.highlight = pal.color(QPalette::Active, QPalette::Highlight);
  look.highlightText = pal.color(QPalette::Active, QPalette::HighlightedText);

  const QRect area = event->rect();
  const int h = ItemHeight();
  const int firstRow = std::max(0, area.top() / h);
  const int lastRow = area.bottom() / h;
  for (int row = firstRow; row <= lastRow; ++row) {
    const int index = TopIndex() + row;
    look.row = model_.DecideRow(index, hasFocus());
    if (look.row.valid) look.text = CheckListDisplayText(model_.Item(index));
    painter.drawImage(0, row * h, RenderCheckListRow(look));
  }
}

void TCheckList::InvalidateRow(int index) {
  const QRect r = ItemRect(index);
  if (r.intersects(viewport()->rect())) viewport()->update(r);
}

// Rows from `index` down move or change; rows above it stay as they are.
void TCheckList::InvalidateFrom(int index) {
  const int y = std::max(0, (index - TopIndex()) * ItemHeight());
  if (y < viewport()->height()) viewport()->update(0, y, viewport()->width(), viewport()->height() - y);
}

// ---- scrolling ----

int TCheckList::FullRows() const { return CheckListModel::FullRows(viewport()->height(), ItemHeight()); }

// A load adds thousands of items in one go; the scroll bar, whose every
// change re-lays out the list, follows once afterwards.
void TCheckList::ScheduleScrollRange() {
  if (rangePending_) return;
  rangePending_ = true;
  QMetaObject::invokeMethod(this, [this] { SyncScrollRange(); }, Qt::QueuedConnection);
}

void TCheckList::SyncScrollRange() {
  if (rangePending_) UpdateScrollRange();
}

void TCheckList::UpdateScrollRange() {
  rangePending_ = false;
  QScrollBar* bar = verticalScrollBar();
  bar->setPageStep(FullRows());
  bar->setRange(0, model_.MaxTopIndex(FullRows()));
}

void TCheckList::EnsureVisible(int index) {
  const int top = CheckListModel::TopIndexShowing(index, TopIndex(), FullRows());
  if (top != TopIndex()) SetTopIndex(top);
}

void TCheckList::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollRange();
}

// ---- selection and focus ----

void TCheckList::MoveCurrent(int index) {
  const auto changed = model_.MoveCurrent(index);
  if (!changed) return;
  for (int row : *changed) InvalidateRow(row);
  AnnounceCurrentItem(this, ItemIndex(), (*changed)[1]);
}

void TCheckList::SelectByUser(int index) {
  MoveCurrent(index);
  EnsureVisible(index);
}

void TCheckList::RaiseClick() {
  if (OnClick) OnClick(this);
}

void TCheckList::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  InvalidateRow(model_.FocusIndex());
  AnnounceFocusedItem(this);
}

void TCheckList::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  InvalidateRow(model_.FocusIndex());
}

// ---- mouse ----

void TCheckList::CycleState(int index) { SetItemState(index, NextState(ItemState(index), ThreeState())); }

void TCheckList::TakeFocus() { setFocus(Qt::MouseFocusReason); }

void TCheckList::PressItem(int index, bool onBox) { forms::PressItem(*this, index, onBox); }
void TCheckList::NavigateTo(int index) { forms::NavigateTo(*this, index); }

void TCheckList::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint pos = event->position().toPoint();
  forms::PressAt(*this, pos.x(), pos.y());
}

void TCheckList::mouseMoveEvent(QMouseEvent* event) {
  if (!tracking_ || !(event->buttons() & Qt::LeftButton) || ItemCount() == 0) return;
  // While the button is held the selection follows the pointer.
  const int y = std::clamp(event->position().toPoint().y(), 0, std::max(0, viewport()->height() - 1));
  int index = model_.ItemAt(y, TopIndex());
  if (index < 0) index = ItemCount() - 1;
  SelectByUser(index);
}

void TCheckList::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton || !tracking_) return;
  tracking_ = false;
  RaiseClick();
}

void TCheckList::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  if (!wantDblClicks_) {
    const QPoint pos = event->position().toPoint();  // just another press
    forms::PressAt(*this, pos.x(), pos.y());
    return;
  }
  if (OnDblClick) OnDblClick(this);
}

// ---- keyboard ----

int TCheckList::NavigationTarget(int key) const {
  const auto target = [this](ListMove move) { return model_.NavigationTarget(move, FullRows()); };
  switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Left: return target(ListMove::Previous);
    case Qt::Key_Down:
    case Qt::Key_Right: return target(ListMove::Next);
    case Qt::Key_PageUp: return target(ListMove::PageUp);
    case Qt::Key_PageDown: return target(ListMove::PageDown);
    case Qt::Key_Home: return target(ListMove::First);
    case Qt::Key_End: return target(ListMove::Last);
    default: return kNotNavigation;
  }
}

void TCheckList::keyPressEvent(QKeyEvent* event) {
  if (const int target = NavigationTarget(event->key()); target != kNotNavigation) {
    if (event->modifiers() & (Qt::AltModifier | Qt::MetaModifier)) {
      event->ignore();
      return;
    }
    forms::NavigateTo(*this, target);
    return;
  }
  if (IsCharacterKey(event)) {
    const QByteArray typed = event->text().toUtf8();
    forms::TypeCharacter(*this, std::string_view(typed.constData(), static_cast<std::size_t>(typed.size())));
    return;
  }
  event->ignore();
}

}  // namespace snpp::qt
