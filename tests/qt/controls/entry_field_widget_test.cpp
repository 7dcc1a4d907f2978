#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QFontDatabase>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QStyle>
#include <QStyleFactory>
#include <QTest>
#include <gtest/gtest.h>

#include <memory>

#include "qt/controls/entry_field_beep.h"
#include "qt/controls/numeric_field.h"
#include "qt/controls/simple_field.h"
#include "screen_reader_log.h"

using namespace snpp::qt;

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

// The system's gray-text colour.
bool IsGray(QRgb c) { return c == QApplication::palette().color(QPalette::Disabled, QPalette::Text).rgb(); }

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

TEST_F(PagerWidget, OverwriteBlockPastTheEndIsOneDigitWide) {
  TabIn();
  QTest::keyClick(field, Qt::Key_Insert);
  const int digit = field->fontMetrics().horizontalAdvance(QStringLiteral("0"));
  for (const char* text : {"", "555"}) {
    field->SetStringValue(text);  // focused: the cursor goes to the end
    const QRect block = field->CaretRect();
    EXPECT_EQ(block.width(), digit) << text;
    // The rest of the field keeps its background.
    const QImage img = field->grab().toImage();
    EXPECT_EQ(img.pixel(block.right() + 2, block.center().y()), qRgb(255, 255, 255)) << text;
    EXPECT_EQ(img.pixel(field->width() - 4, block.center().y()), qRgb(255, 255, 255)) << text;
  }
}

// The bounding box of the pixels of one colour within `area`.
QRect PixelsOf(const QImage& img, const QRect& area, QRgb colour) {
  QRect box;
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x)
      if (img.pixel(x, y) == colour) box |= QRect(x, y, 1, 1);
  return box;
}

TEST_F(PagerWidget, SelectionUsesThePaletteAndControlCharactersAreHollowBoxes) {
  QPalette pal = field->palette();
  pal.setColor(QPalette::Highlight, QColor(10, 120, 30));
  pal.setColor(QPalette::HighlightedText, QColor(250, 240, 0));
  field->setPalette(pal);
  field->SetStringValue("8");
  TabIn();  // selects all
  QImage img = field->grab().toImage();
  const QRect eight = field->CharacterRect(0);
  EXPECT_EQ(img.pixel(eight.topLeft()), qRgb(10, 120, 30));
  EXPECT_FALSE(PixelsOf(img, eight, qRgb(250, 240, 0)).isEmpty());

  // A pasted line break: a red outline with nothing inside, no letter.
  field->SetStringValue(QStringLiteral("5\r\n"));
  other->setFocus(Qt::TabFocusReason);
  img = field->grab().toImage();
  for (int i : {1, 2}) {
    const QRect cell = field->CharacterRect(i);
    const QRect box = PixelsOf(img, cell, qRgb(255, 0, 0));
    ASSERT_GE(box.width(), 3) << i;
    ASSERT_GE(box.height(), 5) << i;
    for (int y = box.top(); y <= box.bottom(); ++y)
      for (int x = box.left(); x <= box.right(); ++x) {
        const bool edge = x == box.left() || x == box.right() || y == box.top() || y == box.bottom();
        EXPECT_EQ(img.pixel(x, y), edge ? qRgb(255, 0, 0) : qRgb(255, 255, 255)) << i << " " << x << "," << y;
      }
  }
  EXPECT_EQ(field->StringValue(), QStringLiteral("5\r\n"));
}

TEST_F(PagerWidget, ScreenReadersReadTheLabelTextCaretAndSelection) {
  QLabel label(QStringLiteral("Pager Number:"), &window);
  label.setBuddy(field);
  QAccessibleInterface* a = QAccessible::queryAccessibleInterface(field);
  ASSERT_NE(a, nullptr);
  EXPECT_EQ(a->role(), QAccessible::EditableText);
  EXPECT_EQ(a->text(QAccessible::Name), "Pager Number:");
  const QString smile = QString::fromUtf8("\xf0\x9f\x98\x80");
  field->SetStringValue("5" + smile + "12");
  EXPECT_EQ(a->text(QAccessible::Value), "5" + smile + "12");
  QAccessibleTextInterface* t = a->textInterface();
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(t->characterCount(), 5);  // UTF-16 units, as Qt counts them

  TabIn();
  EXPECT_TRUE(a->state().focused);
  EXPECT_TRUE(a->state().editable);
  int start = -1, end = -1;
  ASSERT_EQ(t->selectionCount(), 1);
  t->selection(0, &start, &end);
  EXPECT_EQ(std::make_pair(start, end), std::make_pair(0, 5));
  EXPECT_EQ(t->cursorPosition(), 5);
  t->setCursorPosition(3);  // behind the two units of the smile
  EXPECT_EQ(field->Model().Cursor(), 2);
  EXPECT_EQ(t->selectionCount(), 0);
  EXPECT_EQ(t->text(1, 3), smile);
  EXPECT_EQ(t->characterRect(1).left(), field->mapToGlobal(field->CharacterRect(1).topLeft()).x());

  QTest::keyClicks(field, "7");
  EXPECT_EQ(a->text(QAccessible::Value), "5" + smile + "712");
  EXPECT_EQ(t->cursorPosition(), 4);

  field->setEnabled(false);
  EXPECT_TRUE(a->state().readOnly);
  EXPECT_TRUE(a->state().disabled);
}

// Text set through accessibility is typed: the mask and the limit hold, and
// each change is reported as what changed, not as the whole field again.
TEST_F(PagerWidget, ScreenReadersSetTextAsIfTypedAndHearOnlyTheChange) {
  field->SetPictureMask('9');
  QAccessibleEditableTextInterface* edit = QAccessible::queryAccessibleInterface(field)->editableTextInterface();
  ASSERT_NE(edit, nullptr);
  TabIn();
  ScreenReaderLog reader;
  edit->insertText(0, "12a34");
  EXPECT_EQ(field->StringValue(), "1234");
  EXPECT_EQ(reader.lines.front(), "text 0 - +1");
  EXPECT_EQ(reader.lines.back(), "text 3 - +4");
  reader.lines.clear();
  edit->replaceText(1, 3, "9");
  EXPECT_EQ(field->StringValue(), "194");
  EXPECT_EQ(reader.lines, (std::vector<std::string>{"text 1 -23 +", "text 1 - +9"}));
  edit->insertText(3, "5678901234");
  EXPECT_EQ(field->StringValue(), "1945678901");  // ten at most
  edit->deleteText(0, 10);
  EXPECT_EQ(field->StringValue(), "");
  field->setEnabled(false);
  edit->insertText(0, "5");
  EXPECT_EQ(field->StringValue(), "");
}

}  // namespace
}  // namespace snpp
