#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QFontDatabase>
#include <QLabel>
#include <QLineEdit>
#include <QPaintEvent>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>
#include <QVBoxLayout>

#include <memory>
#include <string>
#include <vector>

#include "qt/controls/check_list.h"
#include "qt/controls/check_list_accessible.h"
#include "screen_reader_log.h"

using namespace snpp::qt;

namespace snpp {
namespace {

// A window holding the list as the main window does, plus a field to take
// the focus away from it; every event of the list is logged in order.
class CheckListWidgetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window_ = std::make_unique<QWidget>();
    auto* layout = new QVBoxLayout(window_.get());
    other_ = new QLineEdit(window_.get());
    list_ = new TCheckList(window_.get());
    list_->setFixedSize(185, 179);
    layout->addWidget(other_);
    layout->addWidget(list_);
    list_->OnClick = [this](TCheckList* s) { EXPECT_EQ(s, list_); log_.push_back("click"); };
    list_->OnDblClick = [this](TCheckList*) { log_.push_back("dblclick"); };
    list_->OnStateChange = [this](TCheckList*, int i, TCheckBoxState o, TCheckBoxState n) {
      log_.push_back("state " + std::to_string(i) + " " + std::to_string(o) + ">" + std::to_string(n));
    };
    for (auto s : {"Carl, 3", "anna, 1", "Bob, 2"}) list_->AddItem(s);
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    other_->setFocus();
    QApplication::processEvents();
  }

  void Click(int x, int y) { QTest::mouseClick(list_->viewport(), Qt::LeftButton, {}, QPoint(x, y)); }
  void DoubleClick(int x, int y) {
    QWidget* vp = list_->viewport();
    QTest::mouseClick(vp, Qt::LeftButton, {}, QPoint(x, y));
    QTest::mouseDClick(vp, Qt::LeftButton, {}, QPoint(x, y));
    QTest::mouseRelease(vp, Qt::LeftButton, {}, QPoint(x, y));
  }

  std::unique_ptr<QWidget> window_;
  QLineEdit* other_ = nullptr;
  TCheckList* list_ = nullptr;
  std::vector<std::string> log_;
};

using Log = std::vector<std::string>;

TEST_F(CheckListWidgetTest, BoxZoneEndsAtSixteenAndStateChangeComesBeforeClick) {
  EXPECT_EQ(list_->ItemText(0), "anna, 1");
  Click(16, 8);
  EXPECT_EQ(log_, (Log{"state 0 0>1", "click"}));
  EXPECT_EQ(list_->ItemState(0), cbChecked);
  EXPECT_EQ(list_->ItemIndex(), 0);
  EXPECT_TRUE(list_->hasFocus());

  log_.clear();
  Click(17, 16 + 8);
  EXPECT_EQ(log_, (Log{"click"}));
  EXPECT_EQ(list_->ItemState(1), cbUnchecked);
  EXPECT_EQ(list_->ItemIndex(), 1);

  log_.clear();
  Click(0, 8);  // unchecks again, a click on the same item still clicks
  EXPECT_EQ(log_, (Log{"state 0 1>0", "click"}));
  log_.clear();
  QTest::mouseClick(list_->viewport(), Qt::RightButton, {}, QPoint(5, 8));
  EXPECT_TRUE(log_.empty());
}

TEST_F(CheckListWidgetTest, PressBelowTheItemsOnlyTakesFocusOnTheTextSide) {
  Click(5, 3 * 16 + 4);
  EXPECT_TRUE(log_.empty());
  EXPECT_FALSE(list_->hasFocus());
  EXPECT_EQ(list_->ItemIndex(), -1);
  Click(40, 3 * 16 + 4);
  EXPECT_TRUE(log_.empty());
  EXPECT_TRUE(list_->hasFocus());
  EXPECT_EQ(list_->ItemIndex(), -1);
}

TEST_F(CheckListWidgetTest, AStateHandlerThatEmptiesTheListEndsThePressQuietly) {
  list_->OnStateChange = [this](TCheckList*, int, TCheckBoxState, TCheckBoxState) { list_->ClearItems(); };
  Click(5, 16 + 5);
  EXPECT_EQ(list_->ItemCount(), 0);
  EXPECT_EQ(list_->ItemIndex(), -1);
  EXPECT_TRUE(log_.empty());  // no item left to click
}

TEST_F(CheckListWidgetTest, DoubleClickChangesTheStateOnceAndRaisesOneDblClick) {
  DoubleClick(6, 16 + 6);
  EXPECT_EQ(log_, (Log{"state 1 0>1", "click", "dblclick"}));
  EXPECT_EQ(list_->ItemState(1), cbChecked);

  log_.clear();
  DoubleClick(60, 2 * 16 + 6);
  EXPECT_EQ(log_, (Log{"click", "dblclick"}));
  EXPECT_EQ(list_->ItemIndex(), 2);
  EXPECT_EQ(list_->StateCount(cbChecked), 1);

  list_->SetWantDblClicks(false);  // then the second press is a press
  log_.clear();
  DoubleClick(6, 6);
  EXPECT_EQ(log_, (Log{"state 0 0>1", "click", "state 0 1>0", "click"}));
}

TEST_F(CheckListWidgetTest, TypedCharactersCycleTheCurrentItemAndClick) {
  list_->setFocus();
  QTest::keyClick(list_, Qt::Key_Space);
  EXPECT_TRUE(log_.empty());  // no current item: nothing to cycle

  list_->SetItemIndex(1);  // "Bob, 2"
  QTest::keyClick(list_, Qt::Key_Space);
  QTest::keyClick(list_, Qt::Key_Return);
  QTest::keyClick(list_, Qt::Key_B);  // the only "b" item is the current one
  EXPECT_EQ(log_, (Log{"state 1 0>1", "click", "state 1 1>0", "click", "state 1 0>1", "click"}));

  // A letter then moves on to the next item starting with it, as lists do.
  log_.clear();
  QTest::keyClick(list_, Qt::Key_C);
  EXPECT_EQ(log_, (Log{"state 1 1>0", "click", "click"}));
  EXPECT_EQ(list_->ItemIndex(), 2);

  // Escape is typed like any other character.
  log_.clear();
  QTest::keyClick(list_, Qt::Key_Escape);
  EXPECT_EQ(log_, (Log{"state 2 0>1", "click"}));
  QTest::keyClick(list_, Qt::Key_Escape);

  log_.clear();
  QTest::keyClick(list_, Qt::Key_Up);
  QTest::keyClick(list_, Qt::Key_Home);
  EXPECT_EQ(log_, (Log{"click", "click"}));
  EXPECT_EQ(list_->ItemIndex(), 0);
  EXPECT_EQ(list_->StateCount(cbChecked), 0);
}

TEST_F(CheckListWidgetTest, SelectAllRaisesOneEventPerItemAndEditsKeepStatesInStep) {
  int events = 0;
  list_->OnStateChange = [&](TCheckList*, int, TCheckBoxState, TCheckBoxState n) {
    ++events;
    EXPECT_EQ(n, cbChecked);
  };
  for (int i = 0; i < list_->ItemCount(); ++i) list_->SetItemState(i, cbChecked);
  for (int i = 0; i < list_->ItemCount(); ++i) list_->SetItemState(i, cbChecked);
  EXPECT_EQ(events, 6);
  list_->SetItemState(3, cbChecked);  // out of range: ignored, no event
  EXPECT_EQ(events, 6);

  list_->OnStateChange = nullptr;
  list_->SetItemState(0, cbUnchecked);
  // Edit is delete plus add: the entry comes back unchecked at its place.
  ASSERT_TRUE(list_->DeleteItem(1));
  EXPECT_EQ(list_->AddItem("Beth, 9"), 1);
  EXPECT_EQ(list_->ItemState(1), cbUnchecked);
  EXPECT_EQ(list_->ItemState(2), cbChecked);
}

// Records the parts of the list that get repainted.
class PaintSpy : public QObject {
 public:
  QRegion painted;
  bool eventFilter(QObject*, QEvent* e) override {
    if (e->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(e)->region();
    return false;
  }
};

TEST_F(CheckListWidgetTest, StateChangeRepaintsOnlyItsRowAndScrollingFollowsTheCurrentItem) {
  for (int i = 0; i < 40; ++i) list_->AddItem("name " + std::to_string(100 + i));
  // The scroll bar appears and the list is laid out and painted anew; on a
  // busy machine that takes a while, so wait until a pass paints nothing.
  PaintSpy spy;
  list_->viewport()->installEventFilter(&spy);
  for (int pass = 0; pass < 100; ++pass) {
    spy.painted = QRegion();
    QTest::qWait(20);
    if (spy.painted.isEmpty()) break;
  }
  list_->SetItemState(1, cbChecked);
  QApplication::processEvents();
  EXPECT_EQ(spy.painted, QRegion(list_->ItemRect(1)));
  EXPECT_EQ(list_->ItemRect(1), QRect(0, 16, list_->viewport()->width(), 16));

  list_->SetItemIndex(30);
  EXPECT_LE(list_->TopIndex(), 30);
  EXPECT_TRUE(list_->viewport()->rect().contains(list_->ItemRect(30)));
  QTest::keyClick(list_, Qt::Key_End);
  EXPECT_EQ(list_->ItemIndex(), list_->ItemCount() - 1);
  EXPECT_TRUE(list_->viewport()->rect().contains(list_->ItemRect(list_->ItemIndex())));
  list_->viewport()->removeEventFilter(&spy);
}

TEST_F(CheckListWidgetTest, FocusMarkSitsOnTheFirstRowUntilAnItemIsCurrent) {
  const auto marked = [this](int row) {
    // The dotted mark inverts the row's first pixel right of the box.
    const QImage img = list_->viewport()->grab().toImage();
    return img.pixel(14, row * 16) != img.pixel(15, row * 16);
  };
  list_->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(list_->ItemIndex(), -1);
  EXPECT_TRUE(marked(0));
  EXPECT_FALSE(marked(1));
  QTest::keyClick(list_, Qt::Key_Space);  // still nothing to cycle
  EXPECT_TRUE(log_.empty());
  list_->SetItemIndex(1);
  QApplication::processEvents();
  EXPECT_FALSE(marked(0));
  EXPECT_TRUE(marked(1));
  other_->setFocus();
  QApplication::processEvents();
  EXPECT_FALSE(marked(1));
}

TEST_F(CheckListWidgetTest, ScreenReadersSeeEachItemWithItsMarkAndCanTickIt) {
  auto* label = new QLabel(QStringLiteral("Names List:"), window_.get());
  label->setBuddy(list_);
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(list_);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->role(), QAccessible::List);
  EXPECT_EQ(a->text(QAccessible::Name), "Names List:");
  ASSERT_EQ(a->childCount(), 3);
  list_->SetItemState(2, cbChecked);
  list_->SetItemIndex(1);
  EXPECT_EQ(a->text(QAccessible::Value), "Bob, 2");
  const auto item = [&](int i) { return a->child(i); };
  EXPECT_EQ(item(0)->role(), QAccessible::CheckBox);
  EXPECT_EQ(item(0)->text(QAccessible::Name), "anna, 1");
  EXPECT_EQ(a->indexOfChild(item(2)), 2);
  EXPECT_TRUE(item(2)->state().checkable);
  EXPECT_TRUE(item(2)->state().checked);
  EXPECT_FALSE(item(0)->state().checked);
  EXPECT_TRUE(item(1)->state().selected);
  EXPECT_FALSE(item(0)->state().selected);
  EXPECT_EQ(item(1)->rect().topLeft(), list_->viewport()->mapToGlobal(QPoint(0, 16)));
  EXPECT_EQ(a->childAt(item(2)->rect().center().x(), item(2)->rect().center().y()), item(2));

  // Ticking an item is a click on its box: the same events, in order;
  // picking one is a click on its text.
  log_.clear();
  ASSERT_NE(item(0)->actionInterface(), nullptr);
  item(0)->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
  EXPECT_EQ(log_, (Log{"state 0 0>1", "click"}));
  EXPECT_TRUE(item(0)->state().checked);
  EXPECT_TRUE(item(0)->state().focused);
  EXPECT_EQ(a->focusChild(), item(0));
  item(2)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(log_, (Log{"state 0 0>1", "click", "click"}));
  EXPECT_TRUE(item(2)->state().selected);

  // Rows are positions: a new first item is read at row 0.
  list_->AddItem("Aaron, 7");
  EXPECT_EQ(a->childCount(), 4);
  EXPECT_EQ(item(0)->text(QAccessible::Name), "Aaron, 7");
  EXPECT_FALSE(item(0)->state().checked);
}

TEST_F(CheckListWidgetTest, ScreenReadersHearTheRowThatChanged) {
  ScreenReaderLog reader;
  std::vector<std::string>& events = reader.lines;
  list_->SetItemIndex(1);
  events.clear();

  // Entering the list: its own focus first, then the current row's.
  list_->setFocus();
  QApplication::processEvents();
  ASSERT_FALSE(events.empty());
  EXPECT_EQ(events.back(), "focus 1");

  events.clear();
  QTest::keyClick(list_, Qt::Key_Down);
  EXPECT_EQ(events, (Log{"select 2", "unselect 1", "focus 2"}));
  events.clear();
  QTest::keyClick(list_, Qt::Key_Space);
  EXPECT_EQ(events.front(), "checked 2=1");
  // A letter ticks the current row, then moves to the row it starts.
  events.clear();
  QTest::keyClick(list_, Qt::Key_A);
  EXPECT_EQ(events, (Log{"checked 2=0", "select 0", "unselect 2", "focus 0"}));
}

// A reader selects a row as the arrow keys would: a click, no tick; and
// taking the selection away is told like any other loss of it.
TEST_F(CheckListWidgetTest, ScreenReadersMoveTheSelectionAsTheArrowKeysDo) {
  ScreenReaderLog reader;
  auto* selection = dynamic_cast<CheckListAccessible*>(QAccessible::queryAccessibleInterface(list_));
  ASSERT_NE(selection, nullptr);
  list_->SetItemIndex(1);
  EXPECT_EQ(selection->SelectedChildren(), std::vector<int>{1});
  reader.lines.clear();
  EXPECT_TRUE(selection->SelectChild(2));
  EXPECT_FALSE(selection->SelectChild(3));
  EXPECT_EQ(reader.lines, (Log{"select 2", "unselect 1"}));
  EXPECT_EQ(log_, (Log{"click"}));
  EXPECT_FALSE(selection->SelectAll());

  reader.lines.clear();
  EXPECT_FALSE(selection->DeselectChild(0));
  EXPECT_TRUE(selection->DeselectChild(2));
  EXPECT_EQ(reader.lines, (Log{"unselect 2"}));
  EXPECT_TRUE(selection->SelectedChildren().empty());
}

}  // namespace
}  // namespace snpp
