#include "simple_field.h"

namespace snpp::qt {

TSimpleField::TSimpleField(TEntryController* controller, QWidget* parent)
    : TBaseEntryField(std::make_unique<TEntryFieldModel>(controller), parent) {}

}  // namespace snpp::qt
