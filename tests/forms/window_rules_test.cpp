// The small rules both window faces share: what a pick button puts in the
// editor, the counter, stored text longer than a field, and when the user
// hears about a names list that could not be saved.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "forms/accessible_names.h"
#include "forms/message_editor.h"
#include "forms/names_save_report.h"
#include "forms/window_limits.h"

namespace snpp::forms {
namespace {

TEST(WindowRules, APickButtonWithAnEmptyMessageLeavesTheEditorAlone) {
  StandardMessages messages(std::filesystem::path("unused.ini"));  // never read: the defaults
  messages.SetMessage(1, "Call home");
  messages.SetMessage(2, "");
  EXPECT_EQ(PickedMessage(messages, 1), "Call home");
  EXPECT_FALSE(PickedMessage(messages, 2).has_value());
  EXPECT_EQ(MessageCounterText(999), "(999)");
}

TEST(WindowRules, StoredTextLongerThanItsFieldIsShownWhole) {
  EXPECT_EQ(ShownFieldLimit(kNameLimit, 3), kNameLimit);
  EXPECT_EQ(ShownFieldLimit(kNameLimit, 40), 40);
}

TEST(WindowRules, AnUnsavedListIsReportedOncePerRun) {
  const std::filesystem::path dir = std::filesystem::temp_directory_path() / "snpp-forms-report";
  std::filesystem::remove_all(dir);
  NamesFile file(dir / "names.txt", dir / "kept");
  NamesSaveReport report(file);
  EXPECT_FALSE(report.AfterSave(NamesSave::Saved).has_value());
  const auto first = report.AfterSave(NamesSave::Failed);
  ASSERT_TRUE(first.has_value());
  EXPECT_NE(first->find((dir / "names.txt").string()), std::string::npos);
  EXPECT_FALSE(report.AfterSave(NamesSave::Failed).has_value());
  EXPECT_NE(NamesSaveReport(file).AfterSave(NamesSave::SavedOldKept)->find("Ctrl-Z"), std::string::npos);
  EXPECT_FALSE(report.KeptCopies().has_value());
  std::filesystem::create_directories(dir / "kept");
  std::ofstream(dir / "kept" / "names-20260101-120000-42.txt") << "Ann, 1\r\n";
  const auto kept = report.KeptCopies();
  ASSERT_TRUE(kept.has_value());
  EXPECT_NE(kept->find("names-20260101-120000-42.txt"), std::string::npos);
  std::filesystem::remove_all(dir);
}

// Only the end of a send is spoken unasked; the steps on the way are not.
TEST(WindowRules, OnlyTheOutcomeOfASendIsAnnounced) {
  for (const char* outcome : {"SUCCESS", "FAIL", "FAIL - 550 Error, Invalid Pager ID", "CANCEL"})
    EXPECT_TRUE(IsSendOutcome(outcome)) << outcome;
  for (const char* step : {"NONE", "CONNECTING...", "CONNECTED...", ""})
    EXPECT_FALSE(IsSendOutcome(step)) << step;
  EXPECT_EQ(NameDialogName(""), "Add name");
  EXPECT_EQ(NameDialogName("Ann"), "Edit name");
}

}  // namespace
}  // namespace snpp::forms

