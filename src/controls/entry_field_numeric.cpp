#include "entry_field_numeric.h"

#include <charconv>
#include <stdexcept>

#include "entry_field_messages.h"

namespace snpp {
namespace {

std::u32string Widen(const std::string& s) { return std::u32string(s.begin(), s.end()); }

std::u32string WithoutBlanks(const std::u32string& s) {
  std::u32string out;
  for (char32_t c : s)
    if (c != U' ') out += c;
  return out;
}

}  // namespace

bool ParseWholeNumber(const std::u32string& text, std::int64_t& value) {
  std::string narrow;
  for (char32_t c : text) {
    if (c > 127) return false;
    narrow += static_cast<char>(c);
  }
  const auto first = narrow.find_first_not_of(' ');
  if (first == std::string::npos) return false;
  const auto last = narrow.find_last_not_of(' ');
  const char* b = narrow.data() + first;
  const char* e = narrow.data() + last + 1;
  const auto [ptr, ec] = std::from_chars(b, e, value);
  return ec == std::errc() && ptr == e;
}

TNumericFieldModel::TNumericFieldModel(TEntryController* controller)
    : TEntryFieldModel(controller) {
  SetPictureMask(U"9");
  SetValue(InitialValue());
}

void TNumericFieldModel::SetPictureMask(const std::u32string& mask) {
  if (mask.empty() || mask.size() > 255 || mask.find_first_not_of(U'9') != std::u32string::npos)
    throw std::invalid_argument("numeric picture must be made of '9'");
  mask_ = mask;
  maxLength_ = static_cast<std::uint16_t>(mask.size());
  Rebuild(false);
}

std::int32_t TNumericFieldModel::InitialValue() const {
  if (rangeLo_ > 0 || rangeHi_ < 0) return rangeLo_;
  return 0;
}

void TNumericFieldModel::SetValue(std::int32_t v) {
  value_ = v;
  const std::string s = std::to_string(static_cast<std::int64_t>(v));
  minus_ = v < 0;
  digits_ = minus_ ? s.substr(1) : s;
  if (digits_ == "0") digits_.clear();
  Rebuild(false);
}

std::u32string TNumericFieldModel::StringValue() { return WithoutBlanks(text_); }

void TNumericFieldModel::SetStringValue(const std::u32string& value) {
  std::int64_t n = 0;
  if (!ParseWholeNumber(value, n) || n < INT32_MIN || n > INT32_MAX)
    throw std::invalid_argument(ValidationErrorText(kErrInvalid));
  SetValue(static_cast<std::int32_t>(n));
}

// The digits ("0" for none) with the sign, right-aligned in the picture.
// A value wider than the picture is shown whole rather than cut.
void TNumericFieldModel::Rebuild(bool edit) {
  std::u32string t = Widen(digits_.empty() ? std::string("0") : digits_);
  if (minus_) t.insert(t.begin(), U'-');
  if (static_cast<int>(t.size()) < Positions())
    t.insert(t.begin(), static_cast<std::size_t>(Positions()) - t.size(), U' ');
  const int end = static_cast<int>(t.size());
  if (edit) {
    Edit(std::move(t), end);
  } else {
    text_ = std::move(t);
    modified_ = false;
    Collapse(end);
    Repaint();
  }
}

void TNumericFieldModel::ClearValue() {
  digits_.clear();
  minus_ = false;
}

void TNumericFieldModel::SelectWhole() { SetSelection(0, Length(), Length()); }

void TNumericFieldModel::TakeDigitsFromText() {
  std::u32string t = WithoutBlanks(text_);
  minus_ = !t.empty() && t[0] == U'-';
  if (minus_) t.erase(0, 1);
  digits_.clear();
  for (char32_t c : t)
    if (c >= U'0' && c <= U'9') digits_ += static_cast<char>(c);
  if (digits_ == "0") digits_.clear();
}

bool TNumericFieldModel::EnterDigit(char32_t c) {
  if (c < U'0' || c > U'9') return false;  // blanks are refused too
  if (c == U'0' && digits_.empty()) return true;
  if (Positions() == 1) {
    digits_ = std::string(1, static_cast<char>(c));
    return true;
  }
  if (static_cast<int>(digits_.size()) + (minus_ ? 1 : 0) >= Positions()) return false;
  digits_ += static_cast<char>(c);
  return true;
}

bool TNumericFieldModel::TypeChar(char32_t c) {
  if (!enabled_) return false;
  // Only a character the picture takes replaces a selected value, so a
  // stray key does not wipe the number.
  const bool digit = c >= U'0' && c <= U'9';
  if (digit && HasSelection()) {
    ClearValue();
    Collapse(Length());
  }
  const bool ok = EnterDigit(c);
  if (!ok) Beep();
  Rebuild(true);
  return ok;
}

void TNumericFieldModel::ExecuteCommand(TCommand command) {
  if (!enabled_) return;
  switch (command) {
    case ccBack: case ccDel:
      DeleteSelection();  // clears a selected value, else drops the last digit
      break;
    case ccLeft: case ccRight: case ccUp: case ccDown: case ccHome: case ccEnd:
    case ccWordLeft: case ccWordRight:
      break;
    case ccExtendLeft: case ccExtendRight: case ccExtendHome: case ccExtendEnd:
    case ccExtWordLeft: case ccExtWordRight: case ccExtendUp: case ccExtendDown:
    case ccExtendPgUp: case ccExtendPgDn: case ccExtFirstPage: case ccExtLastPage:
    case ccExtTopOfPage: case ccExtBotOfPage:
      SelectWhole();
      break;
    case ccCut:
      CopySelection();
      if (HasSelection()) DeleteSelection();
      break;
    default:
      TEntryFieldModel::ExecuteCommand(command);
      return;
  }
  Repaint();
}

void TNumericFieldModel::DeleteSelection() {
  if (HasSelection()) {
    ClearValue();
  } else if (!digits_.empty()) {
    digits_.pop_back();
    if (digits_ == "0") digits_.clear();
  } else {
    minus_ = false;
  }
  Rebuild(true);
}

void TNumericFieldModel::Paste(const std::u32string& clip) {
  if (HasSelection()) ClearValue();
  for (char32_t c : clip) EnterDigit(c);
  Rebuild(true);
}

// The number, not the blanks that place it in the picture.
void TNumericFieldModel::CopySelection() {
  if (HasSelection() && WriteClipboard) WriteClipboard(WithoutBlanks(text_));
}

void TNumericFieldModel::RestoreSaved() {
  TEntryFieldModel::RestoreSaved();
  TakeDigitsFromText();
  SelectWhole();
}

void TNumericFieldModel::MouseDown(int, bool) {
  if (!enabled_) return;
  Collapse(Length());
  Repaint();
}

void TNumericFieldModel::MouseMove(int) {}

void TNumericFieldModel::DoubleClick(int) {
  if (!enabled_) return;
  SelectWhole();
  Repaint();
}

void TNumericFieldModel::FocusIn(FocusSource source) {
  TEntryFieldModel::FocusIn(source);
  TakeDigitsFromText();
  if (source == FocusSource::Keyboard && HasOption(efoAutoSelect)) SelectWhole();
  else Collapse(Length());
  Repaint();
}

// The number is right-aligned and always shown whole.
void TNumericFieldModel::UpdateView() { firstVisible_ = 0; }

std::uint16_t TNumericFieldModel::CheckType() {
  std::int64_t n = 0;
  if (!ParseWholeNumber(text_, n)) {
    // Digits beyond 64 bits are still a number, only far out of range.
    const std::u32string t = WithoutBlanks(text_);
    const bool digitsOnly = !t.empty() && t.find_first_not_of(U"-0123456789") == std::u32string::npos &&
                            t.find(U'-', 1) == std::u32string::npos && t != U"-";
    return digitsOnly ? kErrRange : kErrInvalid;
  }
  if (n < rangeLo_ || n > rangeHi_) return kErrRange;
  SetValue(static_cast<std::int32_t>(n));
  return 0;
}

}  // namespace snpp
