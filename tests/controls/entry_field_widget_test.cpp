#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFontDatabase>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

#include "controls/entry_field_beep.h"
#include "controls/numeric_field.h"
#include "controls/simple_field.h"

namespace snpp {
namespace {

// The main window's pager field beside a second control to leave it for.
class PagerWidget : public ::testing::Test {
 protected:
  void SetUp() override {
    SetEntryFieldBeepHook([this] { ++beeps; });
    window.setFixedSize(200, 100);
    field = new TSimpleField(&controller, &window);
    field->SetMaxLength(10);
    field->setGeometry(8, 40, 77, 21);
    other = new QLineEdit(&window);
    other->setGeometry(100, 40, 80, 21);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    other->setFocus(Qt::TabFocusReason);
  }
  void TearDown() override { SetEntryFieldBeepHook({}); }

  void TabIn() { field->setFocus(Qt::TabFocusReason); }
  int XOfPosition(int pos) {
    for (int x = 0; x < field->width(); ++x)
      if (field->PositionAt(x) >= pos) return x;
    return field->width() - 3;
  }

  TEntryController controller;
  QWidget window;
  TSimpleField* field = nullptr;
  QLineEdit* other = nullptr;
  int beeps = 0;
};

TEST_F(PagerWidget, TypingKeysThroughQt) {
  TabIn();
  QTest::keyClicks(field, "12345678901");
  EXPECT_EQ(field->StringValue(), "1234567890");
  EXPECT_EQ(beeps, 1);
  QTest::keyClick(field, Qt::Key_Return);
  QTest::keyClick(field, Qt::Key_Escape);
  EXPECT_EQ(beeps, 3);
  QTest::keyClick(field, Qt::Key_Home);
  QTest::keyClick(field, Qt::Key_Delete);
  QTest::keyClick(field, Qt::Key_Left, Qt::AltModifier);  // no record, no character
  EXPECT_EQ(field->StringValue(), "234567890");
  QTest::keyClick(field, Qt::Key_End, Qt::ShiftModifier);
  QTest::keyClick(field, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), "234567890");
  QTest::keyClick(field, Qt::Key_Z, Qt::ControlModifier);  // back to the text at entry
  EXPECT_EQ(field->StringValue(), "");
  EXPECT_EQ(beeps, 3);
}

TEST_F(PagerWidget, CtrlKeysTypeControlCharactersThatAreRefused) {
  TabIn();
  QTest::keyClick(field, Qt::Key_Q, Qt::ControlModifier);
  QTest::keyClick(field, Qt::Key_S, Qt::ControlModifier);
  QTest::keyClick(field, Qt::Key_5, Qt::ControlModifier);  // marker key: a command
  EXPECT_EQ(field->StringValue(), "");
  EXPECT_EQ(beeps, 2);
  // Once WordStar is active the same keys move the cursor.
  controller.EntryCommands().FindTable("WordStar")->SetActive(true);
  QTest::keyClicks(field, "abc");
  QTest::keyClick(field, Qt::Key_Q, Qt::ControlModifier);
  QTest::keyClick(field, Qt::Key_S);
  EXPECT_EQ(field->Model().Cursor(), 0);
  EXPECT_EQ(field->StringValue(), "abc");
  EXPECT_EQ(beeps, 2);
}

TEST_F(PagerWidget, FailedValidationTakesTheFocusBackAndReportsOnce) {
  int reports = 0;
  std::string text;
  controller.OnError = [&](TEntryFieldModel*, std::uint16_t, const std::string& t) {
    ++reports;
    text = t;
  };
  field->Model().OnUserValidation = [](TEntryFieldModel*, std::uint16_t& code) { code = 261; };
  TabIn();
  other->setFocus(Qt::TabFocusReason);
  EXPECT_TRUE(controller.ErrorPending());
  QApplication::processEvents();
  EXPECT_TRUE(field->hasFocus());
  EXPECT_EQ(reports, 1);
  EXPECT_EQ(text, "This field should contain no blanks");
  EXPECT_FALSE(controller.ErrorPending());
}

TEST_F(PagerWidget, TabSelectsAllClickPlacesTheCursor) {
  field->SetStringValue("5551234");
  TabIn();
  EXPECT_TRUE(field->Model().AllSelected());
  QTest::keyClicks(field, "9");
  EXPECT_EQ(field->StringValue(), "9");

  field->SetStringValue("5551234");
  other->setFocus(Qt::TabFocusReason);
  QTest::mouseClick(field, Qt::LeftButton, {}, QPoint(XOfPosition(3), 10));
  EXPECT_TRUE(field->hasFocus());
  EXPECT_FALSE(field->Model().HasSelection());
  EXPECT_EQ(field->Model().Cursor(), 3);
  QTest::mouseClick(field, Qt::LeftButton, Qt::ShiftModifier, QPoint(XOfPosition(6), 10));
  EXPECT_EQ(field->Model().SelStart(), 3);
  EXPECT_EQ(field->Model().SelEnd(), 6);
  // A double click takes the word; the text has a single one.
  QTest::mouseDClick(field, Qt::LeftButton, {}, QPoint(XOfPosition(2), 10));
  EXPECT_TRUE(field->Model().AllSelected());

  // Dragging past the right edge scrolls a long text along.
  field->SetMaxLength(40);
  field->SetStringValue("0123456789012345678901234567890123456789");
  QTest::mousePress(field, Qt::LeftButton, {}, QPoint(5, 10));
  QMouseEvent move(QEvent::MouseMove, QPointF(200, 10), field->mapToGlobal(QPointF(200, 10)),
                   Qt::NoButton, Qt::LeftButton, {});
  QApplication::sendEvent(field, &move);
  QTest::mouseRelease(field, Qt::LeftButton, {}, QPoint(200, 10));
  EXPECT_EQ(field->Model().SelEnd(), 40);
  EXPECT_GT(field->Model().FirstVisible(), 20);
}

TEST_F(PagerWidget, LeavingTrimsAndInsertModeCarriesOver) {
  TabIn();
  QTest::keyClicks(field, " 555 ");
  EXPECT_EQ(field->StringValue(), " 555 ");
  QTest::keyClick(field, Qt::Key_Insert);
  other->setFocus(Qt::MouseFocusReason);
  EXPECT_EQ(field->StringValue(), "555");
  EXPECT_FALSE(controller.InsertMode());
  TabIn();
  EXPECT_FALSE(field->Model().InsertMode());
}

TEST_F(PagerWidget, WritesRaiseNoChangeButEditsDo) {
  int changes = 0, emitted = 0;
  field->OnChange = [&] { ++changes; };
  QObject::connect(field, &TBaseEntryField::Changed, [&] { ++emitted; });
  field->SetStringValue("123456789012");
  EXPECT_EQ(field->StringValue(), "1234567890");
  field->SetStringValueBytes("12\xff");
  EXPECT_EQ(field->StringValueBytes(), "12\xff");
  EXPECT_EQ(changes, 0);
  TabIn();
  QTest::keyClicks(field, "4");
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(emitted, 1);
}

TEST_F(PagerWidget, ContextMenuItemsFollowTheState) {
  field->SetStringValue("12");
  TabIn();
  QGuiApplication::clipboard()->clear();
  std::unique_ptr<QMenu> menu(field->CreateContextMenu(nullptr));
  const auto actions = menu->actions();
  ASSERT_EQ(actions.size(), 8);
  const QStringList texts = {"&Restore", "", "Cu&t", "&Copy", "&Paste", "&Delete", "", "Select &All"};
  const QList<bool> enabled = {false, true, true, true, false, true, true, false};
  for (int i = 0; i < 8; ++i) {
    EXPECT_EQ(actions[i]->text(), texts[i]) << i;
    if (!actions[i]->isSeparator()) {
      EXPECT_EQ(actions[i]->isEnabled(), enabled[i]) << i;
    }
  }
  actions[5]->trigger();  // Delete
  EXPECT_EQ(field->StringValue(), "");
  menu.reset(field->CreateContextMenu(nullptr));
  EXPECT_TRUE(menu->actions()[0]->isEnabled());
  menu->actions()[0]->trigger();  // Restore
  EXPECT_EQ(field->StringValue(), "12");
}

TEST_F(PagerWidget, AutoSizeAndDisabledInput) {
  TSimpleField probe(&controller);
  if (QFontInfo(QApplication::font()).family().contains("Sans Serif")) {
    EXPECT_EQ(probe.height(), 21);
  }
  EXPECT_EQ(probe.height(), probe.fontMetrics().height() + 8);
  field->setEnabled(false);
  field->SetStringValue("77");
  QTest::keyClicks(field, "1");
  EXPECT_EQ(field->StringValue(), "77");
  EXPECT_THROW(TSimpleField(nullptr), std::invalid_argument);
}

bool IsGray(QRgb c) { return qRed(c) == 128 && qGreen(c) == 128 && qBlue(c) == 128; }

TEST_F(PagerWidget, DrawsCaretsAndADisabledNumberInGray) {
  TabIn();
  QTest::keyClicks(field, "88");
  const QRect ins = field->CaretRect();
  EXPECT_EQ(ins.width(), 2);
  QImage img = field->grab().toImage();
  // Insert caret: the text colour inverted to white over white is black.
  EXPECT_EQ(img.pixel(ins.left(), ins.center().y()), qRgb(0, 0, 0));
  // The sunken edge.
  EXPECT_EQ(img.pixel(0, 0), qRgb(128, 128, 128));
  EXPECT_EQ(img.pixel(1, 1), qRgb(0, 0, 0));
  EXPECT_EQ(img.pixel(76, 20), qRgb(255, 255, 255));

  QTest::keyClick(field, Qt::Key_Insert);
  QTest::keyClick(field, Qt::Key_Home);
  const QRect ovr = field->CaretRect();
  EXPECT_GT(ovr.width(), 2);  // a block as wide as the "8"

  TNumericField number(&controller, &window);
  number.SetPictureMask("999");
  number.setGeometry(120, 44, 29, 21);
  number.show();
  number.setEnabled(false);
  EXPECT_EQ(number.StringValue(), "0");
  img = number.grab().toImage();
  int rightmostGray = -1;
  for (int y = 2; y < img.height() - 2; ++y)
    for (int x = 2; x < img.width() - 2; ++x)
      if (IsGray(img.pixel(x, y))) rightmostGray = std::max(rightmostGray, x);
  // "0" ends 3 pixels before the client area's right edge.
  EXPECT_GE(rightmostGray, 29 - 2 - 3 - 3);
  EXPECT_LT(rightmostGray, 29 - 2 - 3);
}

}  // namespace
}  // namespace snpp
