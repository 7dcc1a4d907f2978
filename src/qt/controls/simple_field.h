#pragma once
// Picture-mask string field: one picture character for every position.

#include <QChar>

#include "entry_field_widget.h"

namespace snpp {

class TSimpleField : public TBaseEntryField {
  Q_OBJECT

 public:
  // Throws std::invalid_argument("No Controller assigned") for nullptr.
  explicit TSimpleField(TEntryController* controller, QWidget* parent = nullptr);

  TSimpleDataType DataType() const { return sftString; }
  QChar PictureMask() const { return QChar(static_cast<char16_t>(Model().PictureChar())); }
  // 'X' or '9'; anything else throws std::invalid_argument.
  void SetPictureMask(QChar picture) { Model().SetPictureChar(picture.unicode()); }
  std::uint16_t MaxLength() const { return Model().MaxLength(); }
  void SetMaxLength(std::uint16_t v) { Model().SetMaxLength(v); }
};

}  // namespace snpp
