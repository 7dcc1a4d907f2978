#pragma once
// Picture-mask whole-number field, edited like a calculator and drawn
// right-aligned.

#include <QString>

#include "entry_field_numeric.h"
#include "entry_field_widget.h"

namespace snpp {

class TNumericField : public TBaseEntryField {
  Q_OBJECT

 public:
  // Throws std::invalid_argument("No Controller assigned") for nullptr.
  explicit TNumericField(TEntryController* controller, QWidget* parent = nullptr);

  TNumericFieldModel& NumericModel() { return static_cast<TNumericFieldModel&>(Model()); }
  const TNumericFieldModel& NumericModel() const {
    return static_cast<const TNumericFieldModel&>(Model());
  }

  TNumericDataType DataType() const { return nftLongInt; }
  QString PictureMask() const;
  // Digits '9' only; anything else throws std::invalid_argument.
  void SetPictureMask(const QString& mask);
  std::int32_t RangeLo() const { return NumericModel().RangeLo(); }
  std::int32_t RangeHi() const { return NumericModel().RangeHi(); }
  void SetRangeLo(std::int32_t v) { NumericModel().SetRangeLo(v); }
  void SetRangeHi(std::int32_t v) { NumericModel().SetRangeHi(v); }
  std::int32_t Value() const { return NumericModel().Value(); }
  void SetValue(std::int32_t v) { NumericModel().SetValue(v); }

 protected:
  bool RightAligned() const override { return true; }
};

}  // namespace snpp
