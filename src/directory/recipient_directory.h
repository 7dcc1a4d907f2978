#pragma once
// The names list's commands: load and save, Add, Edit, Delete, selecting a
// name and checking names, and the switch between paging one recipient (the
// pager-number field) and several (the checked names).

#include <string>
#include <vector>

#include "directory/names_file.h"

namespace snpp {

// What the commands read from and change in the window.
class DirectoryView {
 public:
  virtual ~DirectoryView() = default;

  // The names list: sorted, one check mark per item.
  virtual int NameCount() const = 0;
  virtual std::string NameItem(int index) const = 0;
  virtual int NameItemIndex() const = 0;  // -1 when none is current
  virtual void AddName(const std::string& entry) = 0;  // lands sorted, unchecked
  virtual void DeleteName(int index) = 0;
  virtual void ClearNames() = 0;
  virtual int CheckedCount() const = 0;
  virtual void SetNameChecked(int index, bool checked) = 0;  // raises the state change

  // The pager-number field and the "select recipients" hint.
  virtual void SetPagerNumber(const std::string& id) = 0;
  virtual void SetPagerNumberEnabled(bool enabled) = 0;
  virtual void SetSelectingHintVisible(bool visible) = 0;
  // A selected name whose pager ID can't be paged: the field is left empty
  // and the user is told why.
  virtual void ShowRefusedPagerId(const std::string& /*text*/) {}

  // The name entry dialog: fields set from name and id, shown modally;
  // true and the fields' texts when it ends with OK.
  virtual bool AskForName(std::string& name, std::string& id) = 0;
};

class RecipientDirectory {
 public:
  RecipientDirectory(DirectoryView& view, NamesFile& file) : view_(view), file_(file) {}

  void Load();
  // What became of the list: saved in its file, kept elsewhere, or lost.
  NamesSave Save();

  void AddButtonClick();
  void editNameButtonClick();
  void deleteButtonClick();
  void namesListBoxClick();
  void namesListboxStateChange(int index, bool nowChecked);
  void checkAllButtonClick();
  void uncheckAllButtonClick();

 private:
  void EnterSeveralMode();
  std::vector<std::string> Entries() const;
  void ShowOnly(const std::vector<std::string>& wanted);
  DirectoryView& view_;
  NamesFile& file_;
  // Select All checks name after name; the mode is entered once, after.
  bool checkingAll_ = false;
};

}  // namespace snpp
