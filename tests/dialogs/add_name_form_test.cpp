#include "dialogs/add_name_form.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Types any characters, also those without a key of their own.
void typeText(QWidget* widget, const QString& text) {
  for (QChar c : text) QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

class AddNameFormTest : public ::testing::Test {
protected:
  void open(const std::string& name, const std::string& pagerID) {
    form.SetNameText(name);
    form.SetPagerIDText(pagerID);
    form.show();
  }
  TaddNameForm form;
};

TEST_F(AddNameFormTest, WindowHasOnlyATitleBarWithABlankCaption) {
  EXPECT_EQ(form.windowTitle(), " ");
  EXPECT_EQ(form.size(), QSize(204, 115));
  EXPECT_EQ(form.minimumSize(), form.maximumSize());
  const Qt::WindowFlags flags = form.windowFlags();
  EXPECT_TRUE(flags & Qt::WindowTitleHint);
  EXPECT_FALSE(flags & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(flags & Qt::WindowSystemMenuHint);
  EXPECT_FALSE(flags & Qt::WindowMinMaxButtonsHint);
  EXPECT_EQ(form.nameEdit->geometry(), QRect(88, 16, 101, 21));
  EXPECT_EQ(form.pagerIDEdit->geometry(), QRect(88, 40, 101, 21));
  EXPECT_EQ(form.okButton->geometry(), QRect(20, 84, 75, 25));
  EXPECT_EQ(form.cancelButton->geometry(), QRect(108, 84, 75, 25));
  EXPECT_TRUE(form.okButton->isDefault());
  EXPECT_FALSE(form.okButton->icon().isNull());
  EXPECT_FALSE(form.cancelButton->icon().isNull());
}

TEST_F(AddNameFormTest, TypingStopsAtFifteenAndFourteenCharacters) {
  open("", "");
  QTest::keyClicks(form.nameEdit, "ABCDEFGHIJKLMNOP");
  QTest::keyClicks(form.pagerIDEdit, "1234567890abcde");
  EXPECT_EQ(form.NameText(), "ABCDEFGHIJKLMNO");
  EXPECT_EQ(form.PagerIDText(), "1234567890abcd");
  // The limit counts characters, not bytes.
  form.SetNameText("");
  typeText(form.nameEdit, QString::fromUtf8("ÄÖÜäöüßÄÖÜäöüßÄÖ"));
  EXPECT_EQ(form.nameEdit->text(), QString::fromUtf8("ÄÖÜäöüßÄÖÜäöüßÄ"));
}

TEST_F(AddNameFormTest, LongerStoredTextsStayWholeAndCannotGrow) {
  // An entry from a hand-edited names.txt can be longer than the dialog
  // lets anyone type; editing it must not cut it.
  const std::string longName = "Bartholomew Fitzgerald-Smythe";
  const std::string oddID = "555-0100\next. 1234 \xE9";
  open(longName, oddID);
  EXPECT_EQ(form.NameText(), longName);
  EXPECT_EQ(form.PagerIDText(), oddID);
  form.nameEdit->end(false);
  QTest::keyClicks(form.nameEdit, "X");
  EXPECT_EQ(form.NameText(), longName);
  QTest::keyClick(form.nameEdit, Qt::Key_Backspace);
  EXPECT_EQ(form.NameText(), longName.substr(0, longName.size() - 1));
  // The next opening is back to the ordinary limit.
  form.hide();
  open("", "");
  QTest::keyClicks(form.nameEdit, "ABCDEFGHIJKLMNOP");
  EXPECT_EQ(form.NameText(), "ABCDEFGHIJKLMNO");
}

TEST_F(AddNameFormTest, EnterAcceptsAndEscapeCancelsFromEitherField) {
  for (QLineEdit* field : {form.nameEdit, form.pagerIDEdit}) {
    open("Bob", "5551234");
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Accepted);

    open("Bob", "5551234");
    QTest::keyClick(field, Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Rejected);
  }
  // Empty fields are the caller's business, not the dialog's.
  open("", "");
  QTest::keyClick(form.nameEdit, Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(form.result(), QDialog::Accepted);
}

TEST_F(AddNameFormTest, EmptyNameGetsTheFocusOnEveryOpening) {
  open("", "");
  EXPECT_EQ(form.focusWidget(), form.nameEdit);
  form.cancelButton->setFocus();
  form.hide();
  open("", "12345");
  EXPECT_EQ(form.focusWidget(), form.nameEdit);
  form.hide();
  // With a name filled in, the focus stays where the dialog left it.
  form.pagerIDEdit->setFocus();
  open("Bob", "12345");
  EXPECT_EQ(form.focusWidget(), form.pagerIDEdit);
}

TEST_F(AddNameFormTest, ModalRunHandsTheTypedTextsBack) {
  form.SetNameText("");
  form.SetPagerIDText("");
  QTimer::singleShot(0, &form, [this] {
    QTest::keyClicks(form.nameEdit, "james");
    QTest::keyClick(form.nameEdit, Qt::Key_Tab);
    QTest::keyClicks(form.pagerIDEdit, "555 1234");
    form.okButton->click();
  });
  ASSERT_EQ(form.exec(), QDialog::Accepted);
  EXPECT_EQ(form.NameText(), "james");
  EXPECT_EQ(form.PagerIDText(), "555 1234");

  QTimer::singleShot(0, &form, [this] { form.cancelButton->click(); });
  EXPECT_EQ(form.exec(), QDialog::Rejected);
}

}  // namespace
