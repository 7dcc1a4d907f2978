#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QTest>

#include <set>
#include <utility>

#include "qt/controls/check_list.h"
#include "qt/controls/check_list_row_painter.h"

namespace snpp {
namespace {

const QRgb kOutline = qRgb(192, 204, 216);
const QRgb kDark = qRgb(80, 100, 128);
const QRgb kBlack = qRgb(0, 0, 0);
const QRgb kLight = qRgb(128, 152, 176);

// The box of a 16-pixel row with margin 1, written out by hand: outline,
// three bevel edges, and 0 for the inside, which depends on the state.
QRgb BoxFrame(int x, int y) {
  if (x < 1 || y < 1 || x > 13 || y > 13) return 1;  // outside the box
  if (x == 13 || y == 13) return kOutline;
  if ((x == 1 && y <= 12) || (y == 1 && x <= 12)) return kDark;
  if (x == 12 || y == 12) return kLight;
  if ((x == 2 && y <= 11) || (y == 2 && x <= 11)) return kBlack;
  return 0;
}

const std::set<std::pair<int, int>> kTick = {
    {4, 6}, {4, 7}, {4, 8}, {5, 7}, {5, 8}, {5, 9}, {6, 8}, {6, 9}, {6, 10}, {7, 7}, {7, 8},
    {7, 9}, {8, 6}, {8, 7}, {8, 8}, {9, 5}, {9, 6}, {9, 7}, {10, 4}, {10, 5}, {10, 6}};

class CheckListDrawingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    list_.setFixedSize(185, 179);
    for (auto s : {"anna, 1", "Bob, 2", "Carl, 3", "Dora, 4"}) list_.AddItem(s);
    list_.SetItemState(0, cbChecked);
    list_.SetItemState(2, cbGrayed);
    list_.SetItemIndex(1);
    list_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&list_));
  }

  QImage Row(int index) {
    return list_.viewport()->grab(list_.ItemRect(index)).toImage().convertToFormat(QImage::Format_RGB32);
  }
  QRgb Base() const { return list_.palette().color(QPalette::Active, QPalette::Base).rgb(); }
  QRgb Highlight() const { return list_.palette().color(QPalette::Active, QPalette::Highlight).rgb(); }

  TCheckList list_;
};

TEST_F(CheckListDrawingTest, BoxOfEachStateMatchesTheLayout) {
  const QImage checked = Row(0), unchecked = Row(3), grayed = Row(2);
  const QRgb mark = list_.CheckColor().rgb();
  for (int y = 0; y < 16; ++y) {
    for (int x = 0; x < 14; ++x) {
      SCOPED_TRACE(testing::Message() << "pixel " << x << "," << y);
      const QRgb frame = BoxFrame(x, y);
      if (frame == 1) {
        EXPECT_EQ(unchecked.pixel(x, y), Base());
        EXPECT_EQ(checked.pixel(x, y), Base());
        continue;
      }
      if (frame != 0) {
        EXPECT_EQ(unchecked.pixel(x, y), frame);
        EXPECT_EQ(grayed.pixel(x, y), frame);
        continue;
      }
      const bool tick = kTick.count({x, y}) > 0;
      const QRgb pattern = (x + y) % 2 == 0 ? qRgb(128, 128, 128) : qRgb(192, 192, 192);
      EXPECT_EQ(unchecked.pixel(x, y), qRgb(255, 255, 255));
      EXPECT_EQ(checked.pixel(x, y), tick ? mark : qRgb(255, 255, 255));
      EXPECT_EQ(grayed.pixel(x, y), tick ? mark : pattern);
    }
  }
}

TEST_F(CheckListDrawingTest, HighlightAndFocusStartBesideTheBox) {
  list_.clearFocus();
  QImage row = Row(1);
  for (int y = 0; y < 16; ++y) {
    EXPECT_EQ(row.pixel(0, y), Base());
    EXPECT_EQ(row.pixel(14, y), Highlight()) << y;
    EXPECT_EQ(row.pixel(row.width() - 1, y), Highlight()) << y;
  }
  EXPECT_EQ(row.pixel(5, 5), qRgb(255, 255, 255));  // the box keeps its look
  const QRgb highlightText = list_.palette().color(QPalette::Active, QPalette::HighlightedText).rgb();
  bool ink = false;
  for (int y = 0; y < 16; ++y)
    for (int x = 15; x < 40; ++x) ink |= row.pixel(x, y) == highlightText;
  EXPECT_TRUE(ink);

  list_.setFocus();
  QApplication::processEvents();
  if (!list_.hasFocus()) GTEST_SKIP() << "no focus on this platform";
  row = Row(1);
  const QRgb inverted = Highlight() ^ 0x00FFFFFFu;
  EXPECT_EQ(row.pixel(14, 0), inverted);
  EXPECT_EQ(row.pixel(15, 0), Highlight());
  EXPECT_EQ(row.pixel(14, 1), Highlight());
  EXPECT_EQ(row.pixel(14, 2), inverted);
  EXPECT_EQ(row.pixel(50, 15), Highlight());  // 50 + 15 is odd
  EXPECT_EQ(row.pixel(51, 15), inverted);
}

TEST_F(CheckListDrawingTest, TextStartsAtFifteenAndEmptyRowsAreBackground) {
  const QImage row = Row(3);
  int firstInk = -1;
  for (int x = 14; x < row.width() && firstInk < 0; ++x)
    for (int y = 0; y < 16; ++y)
      if (row.pixel(x, y) != Base()) { firstInk = x; break; }
  EXPECT_GE(firstInk, 15);
  EXPECT_LE(firstInk, 17);

  const QRect belowItems(0, 4 * 16, list_.viewport()->width(), 16);
  const QImage below = list_.viewport()->grab(belowItems).toImage().convertToFormat(QImage::Format_RGB32);
  for (int x = 0; x < below.width(); x += 7) EXPECT_EQ(below.pixel(x, 8), Base());

  if (const QByteArray out = qgetenv("SNPP_CHECK_LIST_PNG"); !out.isEmpty()) list_.grab().save(QString::fromLocal8Bit(out));
}

// The QApplication comes from the environment of the widget tests.
TEST(CheckListDisplayText, ShowsBytesDecodedAndCappedWithoutLosingThem) {
  EXPECT_EQ(CheckListDisplayText("Zo\xc3\xab, 7"), QString::fromUtf8("Zo\xc3\xab, 7"));
  EXPECT_EQ(CheckListDisplayText(std::string("Zo\xeb, 7")), QString::fromUtf8("Zo\xef\xbf\xbd, 7"));
  EXPECT_EQ(CheckListDisplayText("a\nb"), QString::fromUtf8("a\xef\xbf\xbd" "b"));
  EXPECT_EQ(CheckListDisplayText(std::string(300, 'x')).size(), 255);
  std::string faces;
  for (int i = 0; i < 300; ++i) faces += "\xf0\x9f\x98\x80";  // outside the 16-bit range
  EXPECT_EQ(CheckListDisplayText(faces).size(), 2 * 255);

  TCheckList list;
  const std::string raw("\xff\xfe, 1\n2", 7);
  list.AddItem(raw);
  EXPECT_EQ(list.ItemText(0), raw);
  list.show();
  EXPECT_FALSE(list.grab().isNull());
}

}  // namespace
}  // namespace snpp
