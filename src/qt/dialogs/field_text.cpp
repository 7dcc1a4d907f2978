#include "qt/dialogs/field_text.h"

#include <algorithm>
#include <climits>

#include "qt/controls/user_characters.h"
#include "qt/dialogs/byte_text.h"
#include "qt/dialogs/character_limit.h"

namespace snpp::dialogs {

void SetFieldBytes(QLineEdit& edit, int typedLimit, std::string_view bytes) {
  const QString text = BytesToText(bytes);
  // Raise the limit before the text goes in, or the field would cut it.
  CharacterLimit* limit = characterLimit(edit);
  if (!limit) limit = limitCharacters(edit, typedLimit);
  limit->setLimit(std::max(typedLimit, UserCharacterCount(text)));
  if (text.size() > edit.maxLength()) edit.setMaxLength(static_cast<int>(std::min<qsizetype>(text.size(), INT_MAX)));
  edit.setText(text);
}

std::string FieldBytes(const QLineEdit& edit) { return TextToBytes(edit.text()); }

}  // namespace snpp::dialogs
