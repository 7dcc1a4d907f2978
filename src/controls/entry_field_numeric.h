#pragma once
// A numeric field edits a 32-bit value like a calculator: a string of
// entered digits and a minus flag, rebuilt into the picture from the right
// after every change.

#include <cstdint>
#include <string>

#include "entry_field_model.h"

namespace snpp {

enum TNumericDataType { nftLongInt };

class TNumericFieldModel : public TEntryFieldModel {
 public:
  // Starts with the value 0, or RangeLo when the range excludes 0.
  explicit TNumericFieldModel(TEntryController* controller);

  TNumericDataType DataType() const { return nftLongInt; }
  // One '9' per digit position; anything else throws std::invalid_argument.
  const std::u32string& PictureMask() const { return mask_; }
  void SetPictureMask(const std::u32string& mask);
  void SetMaxLength(std::uint16_t) override {}  // always the mask length

  std::int32_t RangeLo() const { return rangeLo_; }
  std::int32_t RangeHi() const { return rangeHi_; }
  void SetRangeLo(std::int32_t v) { rangeLo_ = v; }
  void SetRangeHi(std::int32_t v) { rangeHi_ = v; }
  // The value the field starts with on window creation.
  std::int32_t InitialValue() const;

  std::int32_t Value() const { return value_; }
  void SetValue(std::int32_t v);

  // The text without blanks.
  std::u32string StringValue() override;
  // Throws std::invalid_argument when the text is not a whole number.
  void SetStringValue(const std::u32string& value) override;

  void ExecuteCommand(TCommand command) override;
  bool TypeChar(char32_t c) override;
  void MouseDown(int pos, bool shift) override;
  void MouseMove(int pos) override;
  void DoubleClick(int charIndex) override;
  void FocusIn(FocusSource source) override;
  void UpdateView() override;

  const std::string& Digits() const { return digits_; }
  bool Minus() const { return minus_; }

 protected:
  std::uint16_t CheckType() override;
  void RestoreSaved() override;
  void DeleteSelection() override;
  void Paste(const std::u32string& clip) override;
  void CopySelection() override;

 private:
  int Positions() const { return static_cast<int>(mask_.size()); }
  bool EnterDigit(char32_t c);
  void ClearValue();
  void TakeDigitsFromText();
  void Rebuild(bool edit);
  void SelectWhole();

  std::u32string mask_ = U"9";
  std::int32_t rangeLo_ = INT32_MIN;
  std::int32_t rangeHi_ = INT32_MAX;
  std::int32_t value_ = 0;
  std::string digits_;
  bool minus_ = false;
};

// Whole-number text (blanks around it allowed) to a value; false if it is
// not a number or does not fit 64 bits.
bool ParseWholeNumber(const std::u32string& text, std::int64_t& value);

}  // namespace snpp
