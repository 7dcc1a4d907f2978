// What a string field does with each editing command and mouse action.

#include <algorithm>

#include "entry_field_model.h"

namespace snpp {

int TEntryFieldModel::WordLeftFrom(int pos) const {
  if (pos > 0) --pos;
  while (pos > 0 && text_[pos] == U' ') --pos;
  while (pos > 0 && text_[pos - 1] != U' ') --pos;
  return pos;
}

int TEntryFieldModel::WordRightFrom(int pos) const {
  while (pos < Length() && text_[pos] != U' ') ++pos;
  while (pos < Length() && text_[pos] == U' ') ++pos;
  return pos;
}

// Target of a movement command from `pos`; false if `command` is none.
bool TEntryFieldModel::Movement(TCommand command, int& pos) const {
  switch (command) {
    case ccLeft: case ccUp: case ccExtendLeft:
      pos = std::max(pos - 1, 0);
      return true;
    case ccRight: case ccDown: case ccExtendRight:
      pos = std::min(pos + 1, Length());
      return true;
    case ccHome: case ccExtendHome:
      pos = 0;
      return true;
    case ccEnd: case ccExtendEnd:
      pos = Length();
      return true;
    case ccWordLeft: case ccExtWordLeft:
      pos = WordLeftFrom(pos);
      return true;
    case ccWordRight: case ccExtWordRight:
      pos = WordRightFrom(pos);
      return true;
    default:
      return false;
  }
}

void TEntryFieldModel::Move(TCommand command) {
  int pos = cursor_;
  Movement(command, pos);
  const bool extend = command == ccExtendLeft || command == ccExtendRight ||
                      command == ccExtendHome || command == ccExtendEnd ||
                      command == ccExtWordLeft || command == ccExtWordRight;
  if (extend)
    SetSelection(anchor_, pos, pos);
  else
    Collapse(pos);
}

void TEntryFieldModel::ExecuteCommand(TCommand command) {
  if (!enabled_) return;
  if (command >= ccUserFirst) {
    if (OnUserCommand) OnUserCommand(this, command);
    return;
  }
  int ignored = 0;
  if (Movement(command, ignored)) {
    Move(command);
  } else {
    switch (command) {
      case ccBack: DeleteChar(true); break;
      case ccDel: DeleteChar(false); break;
      case ccIns: ToggleInsert(); break;
      case ccCut:
        CopySelection();
        DeleteSelection();
        break;
      case ccCopy: CopySelection(); break;
      case ccPaste:
        if (ReadClipboard)
          if (auto clip = ReadClipboard()) Paste(*clip);
        break;
      case ccRestore: case ccUndo: RestoreSaved(); break;
      case ccCtrlChar: ctrlCharMode_ = true; break;
      default: break;
    }
  }
  UpdateView();
  Repaint();
}

void TEntryFieldModel::DeleteChar(bool back) {
  if (HasSelection()) {
    DeleteSelection();
    return;
  }
  std::u32string t = text_;
  if (back && cursor_ > 0) {
    t.erase(cursor_ - 1, 1);
    Edit(std::move(t), cursor_ - 1);
  } else if (!back && cursor_ < Length()) {
    t.erase(cursor_, 1);
    Edit(std::move(t), cursor_);
  }
}

void TEntryFieldModel::DeleteSelection() {
  if (!HasSelection()) return;
  std::u32string t = text_;
  t.erase(selStart_, selEnd_ - selStart_);
  Edit(std::move(t), selStart_);
}

void TEntryFieldModel::ToggleInsert() {
  if (HasOption(efoForceInsert) || HasOption(efoForceOvertype)) return;
  insertMode_ = !insertMode_;
}

void TEntryFieldModel::CopySelection() {
  if (!HasSelection() || !WriteClipboard) return;
  WriteClipboard(text_.substr(selStart_, selEnd_ - selStart_));
}

void TEntryFieldModel::Paste(const std::u32string& clip) {
  DeleteSelection();
  std::u32string t = text_;
  int pos = cursor_;
  bool dropped = false;
  for (char32_t c : clip) {
    if (c == 0) continue;  // the only character the picture "X" refuses here
    if (picture_ == U'9' && c != U' ' && (c < U'0' || c > U'9')) continue;
    if (static_cast<int>(t.size()) >= maxLength_ && pos < maxLength_ && HasOption(efoInsertPushes))
      t.pop_back();
    if (static_cast<int>(t.size()) >= maxLength_) {
      dropped = true;
      continue;
    }
    t.insert(t.begin() + pos, c);
    ++pos;
  }
  Edit(std::move(t), pos);
  // A pasted pager number that did not fit must not pass unnoticed.
  if (dropped) Beep();
}

void TEntryFieldModel::RestoreSaved() {
  text_ = savedText_;
  const int pos = HasOption(efoCaretToEnd) ? Length() : 0;
  SetSelection(0, Length(), pos);
  modified_ = false;
  if (OnChange) OnChange();
}

void TEntryFieldModel::MouseDown(int pos, bool shift) {
  if (!enabled_) return;
  pos = std::clamp(pos, 0, Length());
  if (shift)
    SetSelection(anchor_, pos, pos);
  else
    Collapse(pos);
  UpdateView();
  Repaint();
}

void TEntryFieldModel::MouseMove(int pos) {
  if (!enabled_) return;
  pos = std::clamp(pos, 0, Length());
  SetSelection(anchor_, pos, pos);
  UpdateView();
  Repaint();
}

void TEntryFieldModel::DoubleClick(int charIndex) {
  if (!enabled_) return;
  const int from = WordLeftFrom(std::clamp(charIndex + 1, 0, Length()));
  const int to = WordRightFrom(from);
  SetSelection(from, to, to);
  UpdateView();
  Repaint();
}

}  // namespace snpp
