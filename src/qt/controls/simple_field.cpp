#include "simple_field.h"

namespace snpp {

TSimpleField::TSimpleField(TEntryController* controller, QWidget* parent)
    : TBaseEntryField(std::make_unique<TEntryFieldModel>(controller), parent) {}

}  // namespace snpp
