#pragma once

#include <QLineEdit>

#include <string>
#include <string_view>

// A field's text as bytes in and out; a stored text longer than the
// field's typing limit is shown whole (forms::ShownFieldLimit).
namespace snpp::qt {

void SetFieldBytes(QLineEdit& edit, int typedLimit, std::string_view bytes);
std::string FieldBytes(const QLineEdit& edit);

}  // namespace snpp::qt
