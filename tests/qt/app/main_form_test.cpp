#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QLabel>
#include <QMenuBar>
#include "qt/controls/check_list.h"
#include "qt/controls/simple_field.h"
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "qt/app/main_form.h"
#include "qt/app/message_memo.h"
#include "qt/app/program_windows.h"
#include "qt/dialogs/instructions_form.h"

using namespace snpp::qt;

namespace {

// The widget Tab moves to: the next one in the chain that takes the focus.
QWidget* nextTabStop(QWidget* from) {
  for (QWidget* w = from->nextInFocusChain(); w != from; w = w->nextInFocusChain()) {
    if ((w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled() && !w->focusProxy())
      return w;
  }
  return from;
}

class MainFormTest : public ::testing::Test {
protected:
  void SetUp() override {
    windows.mainform->show();
    QApplication::processEvents();
  }
  Tmainform& form() { return *windows.mainform; }
  ProgramWindows windows;
};

TEST_F(MainFormTest, ShowsBrandedCaptionAtFixedClientSize) {
  EXPECT_EQ(form().windowTitle(), "Orvant SNPP Client");
  EXPECT_EQ(form().client->size(), QSize(529, 360));
  EXPECT_EQ(form().minimumSize(), form().maximumSize());
  EXPECT_FALSE(form().windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_EQ(form().messageStatusLabel->text(), "NONE");
  EXPECT_TRUE(form().Timer1->isActive());
  EXPECT_EQ(form().Timer1->interval(), 333);
  EXPECT_EQ(form().namesListbox->Controller(), &form().EntryController1);
  EXPECT_EQ(&form().idEditField->Controller(), &form().EntryController1);
  EXPECT_EQ(form().idEditField->MaxLength(), 10);
  EXPECT_EQ(form().idEditField->height(), 21);
}

TEST_F(MainFormTest, CounterFollowsTypingAndClear) {
  QTest::keyClicks(form().messageMemo, "abc");
  EXPECT_EQ(form().lengthLabel->text(), "(3)");
  QTest::mouseClick(form().clearButton, Qt::LeftButton);
  EXPECT_EQ(form().messageMemo->toPlainText(), "");
  EXPECT_EQ(form().lengthLabel->text(), "(0)");
}

TEST_F(MainFormTest, TypingAndPastingStopAtTheLimit) {
  form().messageMemo->setPlainText(QString(998, 'x'));
  form().messageMemo->moveCursor(QTextCursor::End);
  QTest::keyClicks(form().messageMemo, "yz");
  EXPECT_EQ(form().lengthLabel->text(), "(999)");
  EXPECT_TRUE(form().messageMemo->toPlainText().endsWith("xy"));

  form().messageMemo->clear();
  QApplication::clipboard()->setText(QString(1200, 'p'));
  form().messageMemo->paste();
  EXPECT_EQ(form().messageMemo->toPlainText().size(), 999);
  EXPECT_EQ(form().lengthLabel->text(), "(999)");

  // Replacing a selection frees its room.
  form().messageMemo->selectAll();
  QTest::keyClicks(form().messageMemo, "q");
  EXPECT_EQ(form().messageMemo->toPlainText(), "q");
}

TEST_F(MainFormTest, EnterDoesNotBreakTheLine) {
  QTest::keyClicks(form().messageMemo, "ab");
  QTest::keyClick(form().messageMemo, Qt::Key_Return);
  QTest::keyClick(form().messageMemo, Qt::Key_Enter);
  QTest::keyClicks(form().messageMemo, "c");
  EXPECT_EQ(form().messageMemo->toPlainText(), "abc");
  EXPECT_EQ(form().lengthLabel->text(), "(3)");
}

TEST_F(MainFormTest, InstructionsWindowStaysSingleAndNonModal) {
  QTest::mouseClick(form().instructionsButton, Qt::LeftButton);
  QTest::mouseClick(form().instructionsButton, Qt::LeftButton);
  EXPECT_TRUE(windows.instructionsForm->isVisible());
  EXPECT_FALSE(windows.instructionsForm->isModal());
  EXPECT_EQ(form().findChildren<TinstructionsForm*>().size(), 1);
  // The main window keeps working while the instructions are open.
  QTest::keyClicks(form().messageMemo, "hi");
  EXPECT_EQ(form().lengthLabel->text(), "(2)");
}

TEST_F(MainFormTest, ExitEndsTheMessageLoopEvenWithAnotherWindowOpen) {
  QTest::mouseClick(form().instructionsButton, Qt::LeftButton);
  QTimer::singleShot(0, form().Exit1, &QAction::trigger);
  QTimer guard;  // a failing close would otherwise hang the suite
  guard.setSingleShot(true);
  bool timedOut = false;
  QObject::connect(&guard, &QTimer::timeout, [&] {
    timedOut = true;
    QApplication::exit(1);
  });
  guard.start(5000);
  EXPECT_EQ(QApplication::exec(), 0);
  EXPECT_FALSE(timedOut);
  EXPECT_FALSE(form().isVisible());
}

TEST_F(MainFormTest, TabOrderFollowsTheLayout) {
  QList<QWidget*> expected = {form().idEditField, form().messageMemo, form().sendButton,
                              form().cancelSendButton, form().clearButton, form().AddButton,
                              form().deleteButton, form().editNameButton};
  for (QPushButton* pick : form().pickButtons) expected.append(pick);
  expected.append({form().namesListbox, form().uncheckAllButton, form().checkAllButton,
                   form().sendingMemo, form().instructionsButton});
  for (qsizetype i = 0; i + 1 < expected.size(); ++i) {
    EXPECT_EQ(nextTabStop(expected[i]), expected[i + 1]) << "after position " << i;
  }
}

}  // namespace

namespace {

TEST_F(MainFormTest, PickButtonsGiveTheDefaultsOnAFirstRun) {
  QTest::keyClicks(form().messageMemo, "a much longer typed message");
  QTest::mouseClick(form().pickButtons[1], Qt::LeftButton);
  EXPECT_EQ(form().messageMemo->toPlainText(), "Call home");
  EXPECT_EQ(form().lengthLabel->text(), "(9)");
  QTest::mouseClick(form().pickButtons[0], Qt::LeftButton);
  EXPECT_EQ(form().messageMemo->toPlainText(), "Click the \"Configure\" button to set these messages");
  QTest::mouseClick(form().pickButtons[7], Qt::LeftButton);
  EXPECT_EQ(form().messageMemo->toPlainText(), "Don't call");
}

TEST_F(MainFormTest, EmptyStandardMessageLeavesTheEditorAlone) {
  form().standardMessages.SetMessage(3, "");
  QTest::keyClicks(form().messageMemo, "typed");
  QTest::mouseClick(form().pickButtons[2], Qt::LeftButton);
  EXPECT_EQ(form().messageMemo->toPlainText(), "typed");
}

}  // namespace

namespace {

TEST_F(MainFormTest, MnemonicsDoNotClash) {
  QStringList keys;
  QStringList captions;
  for (QPushButton* b : form().findChildren<QPushButton*>()) captions << b->text();
  for (QAction* a : form().menuBar()->actions()) captions << a->text();
  for (const QString& caption : captions) {
    const qsizetype amp = caption.indexOf('&');
    if (amp >= 0 && amp + 1 < caption.size()) keys << caption.mid(amp + 1, 1).toLower();
  }
  EXPECT_EQ(keys.size(), 6);
  keys.removeDuplicates();
  EXPECT_EQ(keys.size(), 6) << keys.join(',').toStdString();
}

// Ctrl+A selects all of the message and of the read-only log; the pager
// number's field keeps the meaning its command table gives the key
// (WordStar's word to the left).
TEST_F(MainFormTest, CtrlASelectsAllInTheEditorAndTheLogButNotInThePagerNumber) {
  form().activateWindow();
  for (QPlainTextEdit* editor : {static_cast<QPlainTextEdit*>(form().messageMemo), form().sendingMemo}) {
    editor->setPlainText("Call me back");
    QTextCursor cursor = editor->textCursor();
    cursor.setPosition(4);
    editor->setTextCursor(cursor);
    editor->setFocus();
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ(editor->textCursor().selectedText(), "Call me back");
    EXPECT_EQ(editor->toPlainText(), "Call me back");
  }
  form().EntryController1.EntryCommands().FindTable("WordStar")->SetActive(true);
  TSimpleField* field = form().idEditField;
  field->setFocus();
  QTest::keyClicks(field, "12 34");
  QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(field->Model().Cursor(), 3);
  EXPECT_FALSE(field->Model().HasSelection());
}

}  // namespace
