#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>

#include "qt/app/message_memo.h"
#include "qt/controls/simple_field.h"
#include "qt/dialogs/add_name_form.h"
#include "qt/dialogs/config_form.h"
#include "window_fixture.h"

using namespace snpp::qt;

namespace {

class DirectoryWindowTest : public WindowTest {
protected:
  // Fills the name dialog by typing and ends it with the given key.
  void answerNameDialog(const QString& name, const QString& id, Qt::Key key = Qt::Key_Return) {
    whileModal([&] { QTest::mouseClick(form().AddButton, Qt::LeftButton); },
               [&](QWidget*) { typeIntoNameDialog(name, id, key); });
  }
  void typeIntoNameDialog(const QString& name, const QString& id, Qt::Key key) {
    TaddNameForm& dialog = *windows().addNameForm;
    dialog.nameEdit->selectAll();
    QTest::keyClicks(dialog.nameEdit, name);
    dialog.pagerIDEdit->selectAll();
    QTest::keyClicks(dialog.pagerIDEdit, id);
    QTest::keyClick(dialog.pagerIDEdit, key);
  }
  bool singleMode() { return form().idEditField->isEnabled() && form().selectingPanel->isHidden(); }
  bool severalMode() { return !form().idEditField->isEnabled() && !form().selectingPanel->isHidden(); }
  std::string pagerField() { return form().idEditField->StringValueBytes(); }
};

// Answers the message box that comes up while `run` runs; its text.
QString answerMessageBox(const std::function<void()>& run) {
  QString text;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      text = box->text();
      box->accept();
    }
  });
  poll.start(10);
  run();
  QApplication::processEvents();
  return text;
}

TEST_F(DirectoryWindowTest, ListThatCannotBeSavedIsKeptAndTheUserToldAtCloseAndNextStart) {
  writeFile(namesPath(), "Ann, 1\r\n");
  QFile::setPermissions(namesPath(), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
  start();
  answerNameDialog("Zed", "2");
  const QString told = answerMessageBox([&] { form().close(); });
  EXPECT_EQ(readFile(namesPath()), "Ann, 1\r\n");
  const QStringList kept = QDir(dataDir() + "/orvant-snpp-client").entryList(QDir::Files);
  ASSERT_EQ(kept.size(), 1);
  const QString keptPath = dataDir() + "/orvant-snpp-client/" + kept[0];
  EXPECT_EQ(readFile(keptPath), "Ann, 1\r\nZed, 2\r\n");
  EXPECT_TRUE(told.contains(keptPath)) << told.toStdString();

  const QString reported = answerMessageBox([&] { start(); });
  EXPECT_TRUE(reported.contains(keptPath)) << reported.toStdString();
  QFile::setPermissions(namesPath(), QFile::ReadOwner | QFile::WriteOwner);
  closeProgram();
  EXPECT_EQ(readFile(namesPath()), "Ann, 1\r\n");
}

// What follows a Ctrl-Z is never shown; at close the file as it was is kept
// and the user told where, once.
TEST_F(DirectoryWindowTest, TextAfterACtrlZIsKeptAtCloseAndTheUserToldWhere) {
  const std::string old = "Ann, 1\r\n\x1a" "Bob, 2\r\n";
  writeFile(namesPath(), old);
  start();
  EXPECT_EQ(list().ItemCount(), 1);
  const QString told = answerMessageBox([&] { form().close(); });
  EXPECT_EQ(readFile(namesPath()), "Ann, 1\r\n");
  const QStringList kept = QDir(dataDir() + "/orvant-snpp-client").entryList(QDir::Files);
  ASSERT_EQ(kept.size(), 1);
  const QString keptPath = dataDir() + "/orvant-snpp-client/" + kept[0];
  EXPECT_EQ(readFile(keptPath), old);
  EXPECT_TRUE(told.contains(keptPath)) << told.toStdString();
  EXPECT_TRUE(answerMessageBox([&] { start(); }).isEmpty());
  closeProgram();
}

// Starting the program in a folder leaves no empty names.txt there.
TEST_F(DirectoryWindowTest, NoNamesFileStartsEmptyAndLeavesNoFileBehind) {
  start();
  EXPECT_EQ(list().ItemCount(), 0);
  EXPECT_TRUE(singleMode());
  closeProgram();
  EXPECT_EQ(readFile(namesPath()), "<missing>");
}

TEST_F(DirectoryWindowTest, OutOfOrderFileIsShownAndWrittenSorted) {
  writeFile(namesPath(), "james, 7001\r\nBob, 12-345\r\nann, 1\r\n");
  start();
  ASSERT_EQ(list().ItemCount(), 3);
  EXPECT_EQ(list().ItemText(0), "ann, 1");
  EXPECT_EQ(list().ItemText(1), "Bob, 12-345");
  closeProgram();
  EXPECT_EQ(readFile(namesPath()), "ann, 1\r\nBob, 12-345\r\njames, 7001\r\n");
}

TEST_F(DirectoryWindowTest, AddTypedNameAndIgnoreEmptyFieldsOrCancel) {
  start();
  answerNameDialog("Zed", "555-1234");
  ASSERT_EQ(list().ItemCount(), 1);
  EXPECT_EQ(list().ItemText(0), "Zed, 555-1234");
  answerNameDialog("NoId", "");
  answerNameDialog("", "42");
  answerNameDialog("Escaped", "1", Qt::Key_Escape);
  EXPECT_EQ(list().ItemCount(), 1);
}

TEST_F(DirectoryWindowTest, SelectingCheckingAndUncheckingSwitchTheAddressingMode) {
  writeFile(namesPath(), "Ann, 111\r\nBob, 12-345\r\nCy, 333\r\n");
  start();
  clickText(1);
  EXPECT_EQ(pagerField(), "12345");
  EXPECT_TRUE(singleMode());

  clickBox(0);
  EXPECT_TRUE(severalMode());
  EXPECT_EQ(pagerField(), "");
  clickBox(2);
  clickBox(2);  // another entry stays checked: unchanged
  EXPECT_TRUE(severalMode());
  clickText(1);
  EXPECT_EQ(pagerField(), "");

  clickBox(0);  // the last checked entry: back to one recipient, its ID shown
  EXPECT_TRUE(singleMode());
  EXPECT_EQ(pagerField(), "111");
}

TEST_F(DirectoryWindowTest, EditingACheckedEntryBringsItBackUncheckedInSeveralMode) {
  writeFile(namesPath(), "Ann, 111\r\nBob, 12-345\r\n");
  start();
  clickBox(1);
  ASSERT_EQ(list().ItemState(1), snpp::cbChecked);
  whileModal([&] { QTest::mouseClick(form().editNameButton, Qt::LeftButton); },
             [&](QWidget*) {
               EXPECT_EQ(windows().addNameForm->NameText(), "Bob");
               EXPECT_EQ(windows().addNameForm->PagerIDText(), "12-345");
               typeIntoNameDialog("Aaron", "9", Qt::Key_Return);
             });
  ASSERT_EQ(list().ItemCount(), 2);
  EXPECT_EQ(list().ItemText(0), "Aaron, 9");
  EXPECT_EQ(list().StateCount(snpp::cbChecked), 0);
  EXPECT_TRUE(severalMode());
  EXPECT_EQ(pagerField(), "");
}

TEST_F(DirectoryWindowTest, DeletingTheOnlyCheckedEntryKeepsSeveralModeUntilTheNextSelection) {
  writeFile(namesPath(), "Ann, 111\r\nBob, 222\r\n");
  start();
  clickBox(0);
  QTest::mouseClick(form().deleteButton, Qt::LeftButton);
  ASSERT_EQ(list().ItemCount(), 1);
  EXPECT_TRUE(severalMode());
  clickText(0);
  EXPECT_TRUE(singleMode());
  EXPECT_EQ(pagerField(), "222");
}

TEST_F(DirectoryWindowTest, SelectAllAndDeselectAllOnEmptyAndFilledLists) {
  start();
  QTest::mouseClick(form().checkAllButton, Qt::LeftButton);
  EXPECT_TRUE(severalMode());
  QTest::mouseClick(form().uncheckAllButton, Qt::LeftButton);
  EXPECT_TRUE(singleMode());

  answerNameDialog("a", "1");
  answerNameDialog("b", "2");
  QTest::mouseClick(form().checkAllButton, Qt::LeftButton);
  EXPECT_EQ(list().StateCount(snpp::cbChecked), 2);
  EXPECT_TRUE(severalMode());
  QTest::mouseClick(form().uncheckAllButton, Qt::LeftButton);
  EXPECT_EQ(list().StateCount(snpp::cbChecked), 0);
  EXPECT_TRUE(singleMode());
  EXPECT_EQ(pagerField(), "");
}

TEST_F(DirectoryWindowTest, DoubleClickOnTextSelectsThenOpensTheEditor) {
  writeFile(namesPath(), "Ann, 111\r\nBob, 222\r\n");
  start();
  std::string shownName;
  whileModal([&] {
               QTest::mouseClick(list().viewport(), Qt::LeftButton, {}, QPoint(60, 24));
               QTest::mouseDClick(list().viewport(), Qt::LeftButton, {}, QPoint(60, 24));
             },
             [&](QWidget* dialog) {
               shownName = windows().addNameForm->NameText();
               QTest::keyClick(dialog, Qt::Key_Escape);
             });
  EXPECT_EQ(shownName, "Bob");
  EXPECT_EQ(pagerField(), "222");
  EXPECT_EQ(list().StateCount(snpp::cbChecked), 0);
  EXPECT_EQ(list().ItemText(1), "Bob, 222");
}

// The settings an earlier version left loose in the config folder move into
// the program's own folder with the first save, and the old file stays.
TEST_F(DirectoryWindowTest, RoundTripKeepsEveryOtherByteOfTheUsersFiles) {
  writeFile(namesPath(), "Zo\xEB, 1\r\nBob, 2\r\n");
  const std::string oldIni = "; mine\r\n[Other]\r\nkey=\xFF value\r\n[General]\r\nmessage2=old\r\nextra=1\r\n";
  writeFile(oldIniPath(), oldIni);
  start();
  QTest::mouseClick(form().pickButtons[1], Qt::LeftButton);
  EXPECT_EQ(form().messageMemo->toPlainText(), "old");
  ASSERT_EQ(list().ItemCount(), 2);
  answerNameDialog("Cat", "3");
  clickText(0);  // Bob
  QTest::mouseClick(form().deleteButton, Qt::LeftButton);
  whileModal([&] { form().Configure1->trigger(); },
             [&](QWidget*) {
               QLineEdit* edit = windows().configForm->message2Edit;
               edit->selectAll();
               QTest::keyClicks(edit, "new two");
               QTest::keyClick(edit, Qt::Key_Return);
             });
  closeProgram();
  EXPECT_EQ(readFile(namesPath()), "Cat, 3\r\nZo\xEB, 1\r\n");
  const std::string ini = readFile(iniPath());
  EXPECT_EQ(ini.rfind("; mine\r\n[Other]\r\nkey=\xFF value\r\n[General]\r\nmessage2=new two\r\nextra=1\r\n", 0), 0u)
      << ini;
  EXPECT_NE(ini.find("message1=Click the \"Configure\" button to set these messages\r\n"), std::string::npos);
  EXPECT_EQ(readFile(oldIniPath()), oldIni);
}

TEST_F(DirectoryWindowTest, EmptiedMessageStaysEmptyAfterARestart) {
  start();
  whileModal([&] { form().Configure1->trigger(); },
             [&](QWidget*) {
               windows().configForm->message3Edit->clear();
               QTest::mouseClick(windows().configForm->OKButton, Qt::LeftButton);
             });
  closeProgram();
  start();
  QTest::keyClicks(form().messageMemo, "typed");
  QTest::mouseClick(form().pickButtons[2], Qt::LeftButton);
  EXPECT_EQ(form().messageMemo->toPlainText(), "typed");
  QTest::mouseClick(form().pickButtons[3], Qt::LeftButton);
  EXPECT_EQ(form().messageMemo->toPlainText(), "Call me");
}

TEST_F(DirectoryWindowTest, CancelDropsTheTypedMessages) {
  start();
  whileModal([&] { form().Configure1->trigger(); },
             [&](QWidget*) {
               QTest::keyClicks(windows().configForm->message2Edit, " changed");
               QTest::keyClick(windows().configForm->message2Edit, Qt::Key_Escape);
             });
  QTest::mouseClick(form().pickButtons[1], Qt::LeftButton);
  EXPECT_EQ(form().messageMemo->toPlainText(), "Call home");
  EXPECT_EQ(readFile(iniPath()), "<missing>");
}

}  // namespace
