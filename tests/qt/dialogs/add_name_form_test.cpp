#include "qt/dialogs/add_name_form.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
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

TEST_F(AddNameFormTest, TypingStopsAtFifteenAndFourteenCharacters) {
  open("", "");
  QTest::keyClicks(form.nameEdit, "ABCDEFGHIJKLMNOP");
  QTest::keyClicks(form.pagerIDEdit, "1234567890abcde");
  EXPECT_EQ(form.NameText(), "ABCDEFGHIJKLMNO");
  EXPECT_EQ(form.PagerIDText(), "1234567890abcd");
  form.SetNameText("");
  typeText(form.nameEdit, QString::fromUtf8("ÄÖÜäöüßÄÖÜäöüßÄÖ"));  // characters, not bytes
  EXPECT_EQ(form.nameEdit->text(), QString::fromUtf8("ÄÖÜäöüßÄÖÜäöüßÄ"));
}

TEST_F(AddNameFormTest, LimitsCountCharactersAsSeenAndNeverSplitOne) {
  const QString accented = QString::fromUtf8("e\xcc\x81");  // two code points, one character
  const QString thumb = QString::fromUtf8("\xf0\x9f\x91\x8d\xf0\x9f\x8f\xbd");
  open("", "");
  for (int i = 0; i < 14; ++i) typeText(form.nameEdit, accented);
  QTest::sendKeyEvent(QTest::Click, form.nameEdit, Qt::Key_unknown, thumb + thumb, Qt::NoModifier);
  EXPECT_EQ(form.nameEdit->text(), accented.repeated(14) + thumb);
  typeText(form.nameEdit, "x");
  EXPECT_EQ(form.nameEdit->text(), accented.repeated(14) + thumb);

  // Composed text, a paste and a drop are held to the limit the same way.
  form.SetPagerIDText("1234567890123");
  form.pagerIDEdit->end(false);
  QInputMethodEvent composed;
  composed.setCommitString(thumb + "9");
  QApplication::sendEvent(form.pagerIDEdit, &composed);
  EXPECT_EQ(form.pagerIDEdit->text(), "1234567890123" + thumb);
  form.pagerIDEdit->setText("123456789012");
  form.pagerIDEdit->end(false);
  QApplication::clipboard()->setText("7" + thumb + "8");
  form.pagerIDEdit->paste();
  EXPECT_EQ(form.pagerIDEdit->text(), "1234567890127" + thumb);
  EXPECT_EQ(form.PagerIDText().find("\xef\xbf\xbd"), std::string::npos);
}

TEST_F(AddNameFormTest, ButtonsFillTheirWholeRectangle) {
  open("Bob", "5551234");
  form.okButton->setFocus();
  QApplication::processEvents();
  const QRgb light = form.palette().color(QPalette::Light).rgb();
  const QRgb shadow = form.palette().color(QPalette::Shadow).rgb();
  // Cancel is not the default: its raised edge is its outermost pixel.
  const QImage cancel = form.cancelButton->grab().toImage();
  EXPECT_EQ(cancel.pixel(0, 0), light);
  EXPECT_EQ(cancel.pixel(cancel.width() - 1, cancel.height() - 1), shadow);
  // The default button keeps its dark frame outside the raised edge.
  const QImage ok = form.okButton->grab().toImage();
  EXPECT_EQ(ok.pixel(0, 0), shadow);
  EXPECT_EQ(ok.pixel(1, 1), light);
}

TEST_F(AddNameFormTest, LongerStoredTextsStayWholeAndCannotGrow) {
  // An entry from a hand-edited names.txt can be longer than anyone may
  // type, and in another code page; editing it must not cut or alter it.
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
  form.hide();
  open("", "");  // the next opening is back to the ordinary limit
  QTest::keyClicks(form.nameEdit, "ABCDEFGHIJKLMNOP");
  EXPECT_EQ(form.NameText(), "ABCDEFGHIJKLMNO");
}

TEST_F(AddNameFormTest, OnlyEnterOrEscapeEndsItFromEitherField) {
  EXPECT_EQ(form.windowTitle(), " ");
  EXPECT_FALSE(form.windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowSystemMenuHint));
  for (QLineEdit* field : {form.nameEdit, form.pagerIDEdit}) {
    open("", "");  // no checking of its own
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Accepted);
    open("Bob", "5551234");
    QTest::keyClick(field, Qt::Key_Escape);
    EXPECT_FALSE(form.isVisible());
    EXPECT_EQ(form.result(), QDialog::Rejected);
  }
}

TEST_F(AddNameFormTest, EmptyNameGetsTheFocusOnEveryOpening) {
  open("", "");
  EXPECT_EQ(form.focusWidget(), form.nameEdit);
  form.cancelButton->setFocus();
  form.hide();
  open("", "12345");
  EXPECT_EQ(form.focusWidget(), form.nameEdit);
  form.pagerIDEdit->setFocus();
  form.hide();
  open("Bob", "12345");  // with a name, the focus stays where it was
  EXPECT_EQ(form.focusWidget(), form.pagerIDEdit);
}

TEST_F(AddNameFormTest, ModalRunHandsTheTypedTextsBack) {
  open("", "");
  form.hide();
  QTimer::singleShot(0, &form, [this] {
    QTest::keyClicks(form.nameEdit, "james");
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
