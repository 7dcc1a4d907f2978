// The main window's side of the stored data: the standard messages behind
// the pick buttons, and the names list kept in names.txt.
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>

#include <cstdio>
#include <filesystem>
#include <vector>

#include "qt/app/main_form.h"
#include "qt/app/message_memo.h"
#include "qt/controls/check_list.h"
#include "qt/controls/simple_field.h"
#include "qt/dialogs/add_name_form.h"
#include "qt/dialogs/byte_text.h"
#include "directory/names_save_report.h"

void Tmainform::connectDirectory() {
  connect(AddButton, &QPushButton::clicked, this, &Tmainform::AddButtonClick);
  connect(deleteButton, &QPushButton::clicked, this, &Tmainform::deleteButtonClick);
  connect(editNameButton, &QPushButton::clicked, this, &Tmainform::editNameButtonClick);
  connect(checkAllButton, &QPushButton::clicked, this, &Tmainform::checkAllButtonClick);
  connect(uncheckAllButton, &QPushButton::clicked, this, &Tmainform::uncheckAllButtonClick);
  namesListbox->OnClick = [this](snpp::TCheckList*) { namesListBoxClick(); };
  namesListbox->OnDblClick = [this](snpp::TCheckList*) { editNameButtonClick(); };
  namesListbox->OnStateChange = [this](snpp::TCheckList*, int index, snpp::TCheckBoxState,
                                       snpp::TCheckBoxState now) {
    directory_.namesListboxStateChange(index, now == snpp::cbChecked);
  };
}

void Tmainform::pickButtonClick(int n) {
  const std::string& text = standardMessages.message(n);
  if (text.empty()) return;
  messageMemo->setPlainText(snpp::dialogs::BytesToText(text));
}

void Tmainform::AddButtonClick() { directory_.AddButtonClick(); }
void Tmainform::editNameButtonClick() { directory_.editNameButtonClick(); }
void Tmainform::deleteButtonClick() { directory_.deleteButtonClick(); }
void Tmainform::namesListBoxClick() { directory_.namesListBoxClick(); }
void Tmainform::checkAllButtonClick() { directory_.checkAllButtonClick(); }
void Tmainform::uncheckAllButtonClick() { directory_.uncheckAllButtonClick(); }

int Tmainform::NameCount() const { return namesListbox->ItemCount(); }
std::string Tmainform::NameItem(int index) const { return namesListbox->ItemText(index); }
int Tmainform::NameItemIndex() const { return namesListbox->ItemIndex(); }
void Tmainform::AddName(const std::string& entry) { namesListbox->AddItem(entry); }
void Tmainform::DeleteName(int index) { namesListbox->DeleteItem(index); }
void Tmainform::ClearNames() { namesListbox->ClearItems(); }
int Tmainform::CheckedCount() const { return namesListbox->StateCount(snpp::cbChecked); }

void Tmainform::SetNameChecked(int index, bool checked) {
  namesListbox->SetItemState(index, checked ? snpp::cbChecked : snpp::cbUnchecked);
}

void Tmainform::SetPagerNumber(const std::string& id) { idEditField->SetStringValueBytes(id); }
void Tmainform::SetPagerNumberEnabled(bool enabled) { idEditField->setEnabled(enabled); }
void Tmainform::SetSelectingHintVisible(bool visible) { selectingPanel->setVisible(visible); }
void Tmainform::ShowRefusedPagerId(const std::string& text) {
  StatusBar1->showMessage(snpp::dialogs::BytesToText(text));
}

bool Tmainform::AskForName(std::string& name, std::string& id) {
  if (!addNameForm_) return false;
  addNameForm_->SetNameText(name);
  addNameForm_->SetPagerIDText(id);
  if (addNameForm_->exec() != QDialog::Accepted) return false;
  name = addNameForm_->NameText();
  id = addNameForm_->PagerIDText();
  return true;
}

// A list that could not be saved where it belongs is kept elsewhere; the
// user is told where, once per run, since losing it silently is the fault.
void Tmainform::saveNames(bool mayShowBox) {
  const snpp::NamesSave result = directory_.Save();
  if (result == snpp::NamesSave::Saved || toldAboutSave_) return;
  const std::filesystem::path elsewhere = namesFile.ReportedPath(result);
  tellUser(QString::fromLocal8Bit(snpp::UnsavedNamesText(
               result, std::filesystem::absolute(namesFile.Path()).string(), elsewhere.string())),
           mayShowBox);
}

void Tmainform::tellUser(const QString& text, bool mayShowBox) {
  toldAboutSave_ = true;
  std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
  if (mayShowBox) QMessageBox::warning(this, QApplication::applicationName(), text);
}

void Tmainform::reportKeptCopies() {
  const std::vector<std::filesystem::path> kept =
      snpp::FindKeptCopies(namesFile.KeptDirectory(), std::filesystem::absolute(namesFile.Path()));
  if (kept.empty()) return;
  std::vector<std::string> paths;
  for (const std::filesystem::path& path : kept) paths.push_back(path.string());
  QMessageBox::information(this, QApplication::applicationName(),
                           QString::fromLocal8Bit(snpp::KeptCopiesText(paths)));
}

void Tmainform::EndSession() {
  endingSession_ = true;
  close();  // saves, unless a close is under way already
  QApplication::quit();  // also ends any dialog's own loop
}

void Tmainform::SaveForSessionEnd() { saveNames(false); }
