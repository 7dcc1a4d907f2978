#include "entry_field_model.h"

#include <algorithm>
#include <stdexcept>

#include "entry_field_messages.h"

namespace snpp {

namespace {
constexpr std::uint16_t kBufferLimit = 255;

std::u32string Trimmed(const std::u32string& s) {
  const auto first = s.find_first_not_of(U' ');
  if (first == std::u32string::npos) return {};
  return s.substr(first, s.find_last_not_of(U' ') - first + 1);
}
}  // namespace

TEntryFieldModel::TEntryFieldModel(TEntryController* controller) : controller_(controller) {
  if (!controller_) throw std::invalid_argument(EntryMessage(kMsgNoController));
  insertMode_ = controller_->InsertMode();
}

void TEntryFieldModel::SetController(TEntryController* controller) {
  if (!controller) throw std::invalid_argument(EntryMessage(kMsgNoController));
  controller_ = controller;
}

void TEntryFieldModel::SetPictureChar(char32_t picture) {
  if (picture != U'X' && picture != U'9')
    throw std::invalid_argument("picture character must be 'X' or '9'");
  picture_ = picture;
}

void TEntryFieldModel::SetMaxLength(std::uint16_t v) {
  maxLength_ = std::min(v, kBufferLimit);
  if (Length() > maxLength_) {
    text_.resize(maxLength_);
    Collapse(std::min(cursor_, Length()));
    Repaint();
  }
}

TEntryFieldOptions TEntryFieldModel::EffectiveOptions() const {
  return options_ | controller_->EntryOptions();
}

void TEntryFieldModel::SetEnabled(bool v) {
  if (enabled_ == v) return;
  enabled_ = v;
  Repaint();
}

void TEntryFieldModel::SetInError(bool v) {
  if (inError_ == v) return;
  inError_ = v;
  Repaint();
}

std::u32string TEntryFieldModel::StringValue() {
  lastError_ = CheckType();
  return text_;
}

void TEntryFieldModel::SetStringValue(const std::u32string& value) {
  Assign(value.substr(0, maxLength_));
}

void TEntryFieldModel::Assign(std::u32string text) {
  text_ = std::move(text);
  modified_ = false;
  if (focused_) {
    const int end = HasOption(efoCaretToEnd) ? Length() : 0;
    SetSelection(0, Length(), end);
  } else {
    Collapse(0);
  }
  firstVisible_ = 0;
  UpdateView();
  Repaint();
}

void TEntryFieldModel::Edit(std::u32string text, int cursor) {
  const bool changed = text != text_;
  text_ = std::move(text);
  Collapse(std::clamp(cursor, 0, Length()));
  if (changed) {
    modified_ = true;
    if (OnChange) OnChange();
  }
}

void TEntryFieldModel::SetSelection(int start, int end, int cursor) {
  selStart_ = std::clamp(std::min(start, end), 0, Length());
  selEnd_ = std::clamp(std::max(start, end), 0, Length());
  cursor_ = std::clamp(cursor, 0, Length());
  anchor_ = cursor_ == selStart_ ? selEnd_ : selStart_;
}

void TEntryFieldModel::Beep() {
  if (HasOption(efoBeepOnError) && OnBeep) OnBeep();
}

void TEntryFieldModel::Repaint() {
  if (OnRepaint) OnRepaint();
}

TCommand TEntryFieldModel::KeyDown(std::uint8_t key, std::uint8_t shift) {
  if (!enabled_) return ccIgnore;
  const TCommand command = controller_->EntryCommands().Translate(key, shift);
  if (IsModifierKey(key)) return command == ccNoCmd ? TCommand{ccIgnore} : command;
  if (command == ccNoCmd || command == ccIgnore || command == ccPartial) return command;
  ExecuteCommand(command);
  return command;
}

bool TEntryFieldModel::AcceptsChar(char32_t c) const {
  if (c == 0) return false;
  if (c < 32 && !ctrlCharMode_) return false;
  if (picture_ == U'9') return c == U' ' || (c >= U'0' && c <= U'9');
  return true;
}

bool TEntryFieldModel::TypeChar(char32_t c) {
  if (!enabled_) return false;
  const bool ok = AcceptsChar(c);
  ctrlCharMode_ = false;
  if (!ok) {
    Beep();
    return false;
  }
  // The selection goes first; then one edit, so one change event.
  std::u32string t = text_;
  int pos = cursor_;
  if (HasSelection()) {
    t.erase(selStart_, selEnd_ - selStart_);
    pos = selStart_;
  }
  const bool done = insertMode_ ? InsertChar(t, pos, c) : OverwriteChar(t, pos, c);
  if (done) Edit(std::move(t), pos);
  else Beep();
  UpdateView();
  Repaint();
  return done;
}

bool TEntryFieldModel::InsertChar(std::u32string& t, int& pos, char32_t c) const {
  const int len = static_cast<int>(t.size());
  if (len >= maxLength_ && pos < len && HasOption(efoInsertPushes)) t.pop_back();
  if (static_cast<int>(t.size()) >= maxLength_) return false;
  t.insert(t.begin() + pos, c);
  ++pos;
  return true;
}

bool TEntryFieldModel::OverwriteChar(std::u32string& t, int& pos, char32_t c) const {
  if (pos >= maxLength_) return false;
  if (pos < static_cast<int>(t.size()))
    t[pos] = c;
  else
    t += c;
  ++pos;
  return true;
}

void TEntryFieldModel::FocusIn(FocusSource source) {
  focused_ = true;
  leftWindow_ = false;
  if (!HasOption(efoForceInsert) && !HasOption(efoForceOvertype)) insertMode_ = controller_->InsertMode();
  else insertMode_ = HasOption(efoForceInsert);
  savedText_ = text_;
  controller_->EntryCommands().Reset();
  ctrlCharMode_ = false;
  if (source == FocusSource::Keyboard) {
    const int pos = HasOption(efoCaretToEnd) ? Length() : 0;
    if (HasOption(efoAutoSelect)) SetSelection(0, Length(), pos);
    else Collapse(pos);
  }
  UpdateView();
  Repaint();
}

void TEntryFieldModel::FocusReturn() {
  if (!leftWindow_) {
    FocusIn(FocusSource::Keyboard);  // first entry when the window opens
    return;
  }
  // Getting the window back is a focus gain like any other for Ctrl+Z: it
  // restores what the field held when the user came back to it.
  leftWindow_ = false;
  focused_ = true;
  savedText_ = text_;
  Repaint();
}

std::uint16_t TEntryFieldModel::FocusOut(bool sameWindow) {
  focused_ = false;
  leftWindow_ = !sameWindow;
  if (!sameWindow) {
    Repaint();
    return 0;
  }
  controller_->SetInsertMode(insertMode_);
  const std::uint16_t code = Validate();
  Collapse(0);
  firstVisible_ = 0;
  Repaint();
  return code;
}

std::uint16_t TEntryFieldModel::Validate() {
  if (HasOption(efoTrimBlanks)) {
    std::u32string t = Trimmed(text_);
    if (t != text_) {
      text_ = std::move(t);
      Collapse(std::min(cursor_, Length()));
      Repaint();
    }
  }
  std::uint16_t code = CheckType();
  if (code == 0 && OnUserValidation) OnUserValidation(this, code);
  lastError_ = code;
  SetInError(code != 0 && HasOption(efoSoftValidation));
  return code;
}

bool TEntryFieldModel::CanPaste() const {
  if (!ReadClipboard) return false;
  const auto clip = ReadClipboard();
  return clip.has_value();
}

void TEntryFieldModel::SelectAll() {
  SetSelection(0, Length(), Length());
  UpdateView();
  Repaint();
}

void TEntryFieldModel::DeleteSelectionCommand() {
  if (!enabled_ || !HasSelection()) return;
  DeleteSelection();
  UpdateView();
  Repaint();
}

void TEntryFieldModel::UpdateView() {
  if (cursor_ <= 1) firstVisible_ = 0;
  if (cursor_ < firstVisible_) firstVisible_ = cursor_;
  firstVisible_ = std::min(firstVisible_, cursor_);
  const auto width = [this](int from, int to) {
    const std::u32string_view part(text_.data() + from, static_cast<std::size_t>(to - from));
    return MeasureText ? MeasureText(part) : static_cast<int>(part.size());
  };
  const int limit = ViewWidth - TextMargin - 1;
  while (firstVisible_ < cursor_ && width(firstVisible_, cursor_) >= limit) ++firstVisible_;
}

}  // namespace snpp
