// The main window's side of the stored data: the standard messages behind
// the pick buttons, and the names list kept in names.txt.
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>

#include <cstdio>
#include <filesystem>
#include <vector>

#include "forms/message_editor.h"
#include "forms/names_save_report.h"
#include "qt/app/main_form.h"
#include "qt/app/message_memo.h"
#include "qt/controls/check_list.h"
#include "qt/controls/simple_field.h"
#include "qt/dialogs/add_name_form.h"
#include "qt/dialogs/byte_text.h"

namespace snpp::qt {

void Tmainform::ConnectDirectory() {
  connect(AddButton, &QPushButton::clicked, this, &Tmainform::AddButtonClick);
  connect(deleteButton, &QPushButton::clicked, this, &Tmainform::deleteButtonClick);
  connect(editNameButton, &QPushButton::clicked, this, &Tmainform::editNameButtonClick);
  connect(checkAllButton, &QPushButton::clicked, this, &Tmainform::checkAllButtonClick);
  connect(uncheckAllButton, &QPushButton::clicked, this, &Tmainform::uncheckAllButtonClick);
  namesListbox->OnClick = [this](TCheckList*) { namesListBoxClick(); };
  namesListbox->OnDblClick = [this](TCheckList*) { editNameButtonClick(); };
  namesListbox->OnStateChange = [this](TCheckList*, int index, snpp::TCheckBoxState,
                                       snpp::TCheckBoxState now) {
    directory_.namesListboxStateChange(index, now == snpp::cbChecked);
  };
}

void Tmainform::pickButtonClick(int n) {
  if (const auto text = forms::PickedMessage(standardMessages, n))
    messageMemo->setPlainText(BytesToText(*text));
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
  StatusBar1->showMessage(BytesToText(text));
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
void Tmainform::SaveNames(bool mayShowBox) {
  if (const auto text = saveReport_.AfterSave(directory_.Save())) TellUser(QString::fromLocal8Bit(*text), mayShowBox);
}

void Tmainform::TellUser(const QString& text, bool mayShowBox) {
  std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
  if (mayShowBox) QMessageBox::warning(this, QApplication::applicationName(), text);
}

void Tmainform::ReportKeptCopies() {
  if (const auto text = saveReport_.KeptCopies())
    QMessageBox::information(this, QApplication::applicationName(), QString::fromLocal8Bit(*text));
}

void Tmainform::EndSession() {
  endingSession_ = true;
  close();  // saves, unless a close is under way already
  QApplication::quit();  // also ends any dialog's own loop
}

void Tmainform::SaveForSessionEnd() { SaveNames(false); }

}  // namespace snpp::qt
