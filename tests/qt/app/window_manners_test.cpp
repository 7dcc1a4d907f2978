// What a person meets in the window beyond its layout: the exact title bar
// texts, where the keyboard focus goes, one selection colour, the bevels,
// the message limit for composed text, and the names screen readers hear.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <qpa/qplatformwindow.h>

#include "qt/app/main_form.h"
#include "qt/app/message_memo.h"
#include "qt/controls/check_list.h"
#include "qt/controls/simple_field.h"
#include "qt/dialogs/about_form.h"
#include "qt/dialogs/add_name_form.h"
#include "qt/dialogs/config_form.h"
#include "qt/dialogs/instructions_form.h"
#include "qt/dialogs/trouble_form.h"
#include "window_fixture.h"

using namespace snpp::qt;

namespace {

// Qt's platform windows run every title through this rule on its way to the
// window system's title bar (X11 among them).
struct PlatformTitle : QPlatformWindow {
  using QPlatformWindow::formatWindowTitle;
};

QString titleBar(QWidget* window) {
  window->winId();  // the platform window exists from here on
  return PlatformTitle::formatWindowTitle(window->windowHandle()->title(), QString::fromUtf8(" \u2014 "));
}

class WindowManners : public WindowTest {
protected:
  // Opens a command of the menu bar with Alt, Right and Return, as a person
  // does without a mouse, and closes the dialog it opens with Escape. The
  // offscreen platform moves no activation between windows, so the test
  // does what the window system does: activate the dialog, then the window.
  void menuCommandByKeyboard(int rightPresses) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Alt);
    for (int i = 0; i < rightPresses; ++i) QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    whileModal([] { QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return); },
               [](QWidget* dialog) {
                 QApplication::setActiveWindow(dialog);
                 QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
               });
    QApplication::setActiveWindow(&form());
    QApplication::processEvents();
  }
};

TEST_F(WindowManners, TitleBarsShowExactlyTheCaptions) {
  start();
  EXPECT_EQ(titleBar(&form()), "Orvant SNPP Client");
  EXPECT_EQ(titleBar(windows().addNameForm.get()), " ");
  EXPECT_EQ(titleBar(windows().configForm.get()), "SNPP Client Configuration");
  EXPECT_EQ(titleBar(windows().aboutform.get()), "About");
  EXPECT_EQ(titleBar(windows().instructionsForm.get()), "Instructions");
  EXPECT_EQ(titleBar(windows().troubleForm.get()), "Trouble-shooting");
}

TEST_F(WindowManners, KeysReachTheFieldAgainAfterAMenuCommandByKeyboard) {
  start();
  QApplication::setActiveWindow(&form());
  form().idEditField->setFocus(Qt::TabFocusReason);
  QTest::keyClicks(form().idEditField, "12");
  menuCommandByKeyboard(1);  // Configure
  EXPECT_EQ(QApplication::focusWidget(), form().idEditField);
  QTest::keyClicks(QApplication::focusWidget(), "3");
  menuCommandByKeyboard(2);  // About
  QTest::keyClicks(QApplication::focusWidget(), "4");
  EXPECT_EQ(form().idEditField->StringValue(), "1234");

  form().messageMemo->setFocus(Qt::TabFocusReason);
  menuCommandByKeyboard(1);
  QTest::keyClicks(QApplication::focusWidget(), "hi");
  EXPECT_EQ(form().messageMemo->toPlainText(), "hi");
}

TEST_F(WindowManners, OneSelectionColourAndTheHintPanelsGroove) {
  writeFile(namesPath(), "Ann, 555\r\n");
  start();
  QApplication::setActiveWindow(&form());
  list().SetItemIndex(0);
  form().idEditField->SetStringValue("555");
  form().idEditField->setFocus(Qt::TabFocusReason);  // selects the number
  const QImage field = form().idEditField->grab().toImage();
  const QImage names = list().viewport()->grab().toImage();
  const QColor highlight = form().palette().color(QPalette::Active, QPalette::Highlight);
  EXPECT_EQ(field.pixel(form().idEditField->CharacterRect(0).topLeft()), highlight.rgb());
  EXPECT_EQ(names.pixel(20, 1), highlight.rgb());

  // Lowered outside, raised inside: dark, light, ..., dark, light.
  form().selectingPanel->show();
  const QImage panel = form().selectingPanel->grab().toImage();
  const QRgb shadow = form().palette().color(QPalette::Dark).rgb();
  const QRgb light = form().palette().color(QPalette::Light).rgb();
  const int r = panel.width() - 1, b = panel.height() - 1;
  EXPECT_EQ(panel.pixel(0, 10), shadow);
  EXPECT_EQ(panel.pixel(1, 10), light);
  EXPECT_EQ(panel.pixel(r - 1, 10), shadow);
  EXPECT_EQ(panel.pixel(r, 10), light);
  EXPECT_EQ(panel.pixel(60, 0), shadow);
  EXPECT_EQ(panel.pixel(60, b), light);
}

TEST_F(WindowManners, ComposedTextStopsAtTheMessageLimitAndCountsAsSeen) {
  start();
  MessageMemo& memo = *form().messageMemo;
  memo.setPlainText(QString(997, 'x'));
  memo.moveCursor(QTextCursor::End);
  const QString accented = QString::fromUtf8("e\xcc\x81");
  QInputMethodEvent composed;
  composed.setCommitString(accented + "yz");
  QApplication::sendEvent(&memo, &composed);
  EXPECT_EQ(memo.toPlainText(), QString(997, 'x') + accented + "y");
  EXPECT_EQ(form().lengthLabel->text(), "(999)");
  QTest::keyClicks(&memo, "w");
  EXPECT_EQ(form().lengthLabel->text(), "(999)");
}

TEST_F(WindowManners, ScreenReadersHearEachControlByItsLabel) {
  start();
  const auto name = [](QWidget* w) { return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name); };
  EXPECT_EQ(name(form().idEditField), "Pager Number:");
  EXPECT_EQ(name(form().messageMemo), "Message:");
  EXPECT_EQ(name(form().namesListbox), "Names List:  (click to select)");
  EXPECT_EQ(QAccessible::queryAccessibleInterface(form().namesListbox)->role(), QAccessible::List);
  EXPECT_EQ(name(windows().addNameForm->nameEdit), "Name:");
  EXPECT_EQ(name(windows().addNameForm->pagerIDEdit), "Pager Number:");
  EXPECT_EQ(name(windows().configForm->message3Edit), "Standard messages: 3");
}

// Where the caption says little (a digit, nothing, a blank) a reader is
// told more; the captions themselves stay.
TEST_F(WindowManners, ScreenReadersHearWhatBareCaptionsLeaveOut) {
  start();
  const auto a = [](QObject* w) { return QAccessible::queryAccessibleInterface(w); };
  form().standardMessages.SetMessage(3, "Call the office");
  QTimer::singleShot(0, windows().configForm.get(), [this] { windows().configForm->reject(); });
  form().configureButtonClick();
  EXPECT_EQ(form().pickButtons[2]->text(), "3");
  EXPECT_EQ(a(form().pickButtons[2])->text(QAccessible::Name), "Standard message 3");
  EXPECT_EQ(a(form().pickButtons[2])->text(QAccessible::Description), "Call the office");
  EXPECT_EQ(a(form().sendingMemo)->text(QAccessible::Name), "Send log");
  EXPECT_EQ(a(form().messageStatusLabel)->role(), QAccessible::Notification);
  EXPECT_EQ(a(form().messageStatusLabel)->text(QAccessible::Name), "NONE");
  form().StatusBar1->showMessage("550 Pager unknown");
  EXPECT_EQ(a(form().StatusBar1)->text(QAccessible::Name), "550 Pager unknown");

  TaddNameForm& dialog = *windows().addNameForm;
  EXPECT_EQ(dialog.windowTitle(), " ");
  dialog.SetNameText("");
  dialog.show();
  EXPECT_EQ(a(&dialog)->text(QAccessible::Name), "Add name");
  dialog.hide();
  dialog.SetNameText("Ann");
  dialog.show();
  EXPECT_EQ(a(&dialog)->text(QAccessible::Name), "Edit name");
  dialog.hide();
}

}  // namespace
