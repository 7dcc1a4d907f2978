#include "dialogs/field_text.h"

#include <algorithm>
#include <climits>

#include "dialogs/byte_text.h"

namespace snpp::dialogs {

void SetFieldBytes(QLineEdit& edit, int typedLimit, std::string_view bytes) {
  const QString text = BytesToText(bytes);
  // Raise the limit before the text goes in: QLineEdit cuts what exceeds it.
  edit.setMaxLength(std::max(typedLimit, static_cast<int>(std::min<qsizetype>(text.size(), INT_MAX))));
  edit.setText(text);
}

std::string FieldBytes(const QLineEdit& edit) { return TextToBytes(edit.text()); }

}  // namespace snpp::dialogs
