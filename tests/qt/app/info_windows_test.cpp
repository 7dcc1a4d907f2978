#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "qt/app/main_form.h"
#include "qt/app/program_windows.h"
#include "qt/dialogs/about_form.h"
#include "qt/dialogs/instructions_form.h"
#include "qt/dialogs/trouble_form.h"
#include "snpp/build_config.h"

namespace {

TEST(InfoWindows, AboutBoxShowsTheServiceAndServer) {
  ProgramWindows windows;
  TAboutform& about = *windows.aboutform;
  EXPECT_EQ(about.windowTitle(), "About");
  EXPECT_EQ(about.size(), QSize(255, 221));
  EXPECT_EQ(about.aboutCompanyNameLabel->text(), "Orvant Inc.");
  EXPECT_FALSE(about.aboutPhoneLabel->text().isEmpty());
  EXPECT_TRUE(about.aboutEmailLabel->text().contains('@'));
  EXPECT_EQ(about.serverLabel->text(), snpp::kServerHost);
  EXPECT_FALSE(about.serverLabel->isHidden());
  EXPECT_TRUE(about.troubleButton->isHidden());
  EXPECT_EQ(about.serverLabel->geometry(), QRect(0, 208, 255, 13));
}

TEST(InfoWindows, AboutIsModalAndOkCloses) {
  ProgramWindows windows;
  windows.mainform->show();
  bool wasModal = false;
  QTimer::singleShot(0, [&] {
    wasModal = windows.aboutform->isModal() && QApplication::activeModalWidget() == windows.aboutform.get();
    QTest::mouseClick(windows.aboutform->okButton, Qt::LeftButton);
  });
  windows.mainform->About1->trigger();
  EXPECT_TRUE(wasModal);
  EXPECT_FALSE(windows.aboutform->isVisible());
}

TEST(InfoWindows, TextsAreKeptToTheCharacter) {
  ProgramWindows windows;
  const QStringList instructions = windows.instructionsForm->Memo1->toPlainText().split('\n');
  ASSERT_EQ(instructions.size(), 10);
  EXPECT_EQ(instructions[5], "");
  EXPECT_TRUE(instructions[7].endsWith("clicking the "));
  EXPECT_TRUE(instructions[8].contains("recipient.  When"));
  EXPECT_EQ(windows.instructionsForm->size(), QSize(402, 215));
  EXPECT_TRUE(windows.instructionsForm->Memo1->isReadOnly());

  const QStringList trouble = windows.troubleForm->Memo1->toPlainText().split('\n');
  ASSERT_EQ(trouble.size(), 13);
  EXPECT_EQ(trouble[5], "");
  EXPECT_EQ(trouble[8], "");
  EXPECT_TRUE(trouble[3].contains("through.  Brevik"));
  EXPECT_TRUE(trouble[6].endsWith("itself, "));
  EXPECT_TRUE(trouble[9].endsWith("system. "));
  EXPECT_EQ(windows.troubleForm->size(), QSize(391, 233));
  EXPECT_FALSE(windows.troubleForm->exitButton()->isDefault());
  EXPECT_TRUE(windows.instructionsForm->okButton()->isDefault());
}

TEST(InfoWindows, CloseBoxActsAsOk) {
  ProgramWindows windows;
  windows.instructionsForm->show();
  windows.instructionsForm->close();
  EXPECT_FALSE(windows.instructionsForm->isVisible());
  windows.instructionsForm->show();
  QTest::mouseClick(windows.instructionsForm->okButton(), Qt::LeftButton);
  EXPECT_FALSE(windows.instructionsForm->isVisible());
}

}  // namespace
