#include "numeric_field.h"

namespace snpp {

TNumericField::TNumericField(TEntryController* controller, QWidget* parent)
    : TBaseEntryField(std::make_unique<TNumericFieldModel>(controller), parent) {}

QString TNumericField::PictureMask() const {
  const auto& m = NumericModel().PictureMask();
  return QString::fromUcs4(m.data(), static_cast<qsizetype>(m.size()));
}

void TNumericField::SetPictureMask(const QString& mask) {
  const QList<uint> ucs = mask.toUcs4();
  NumericModel().SetPictureMask(std::u32string(ucs.begin(), ucs.end()));
}

}  // namespace snpp
