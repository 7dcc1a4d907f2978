#include "qt/dialogs/character_limit.h"

#include "qt/controls/user_characters.h"

namespace snpp::dialogs {

CharacterLimit::CharacterLimit(int limit, QLineEdit* edit)
    : QValidator(edit), limit_(limit), accepted_(edit->text()) {}

// Qt asks after every change, with the field's new text; the text it had
// before is the last one let through.
QValidator::State CharacterLimit::validate(QString& input, int& pos) const {
  int cursor = pos;
  const QString limited = LimitEdit(accepted_, input, limit_, cursor);
  if (limited != input) {
    if (limited == accepted_) return Invalid;  // nothing of it fits: the field undoes the edit
    input = limited;
    pos = cursor;
  }
  accepted_ = input;
  return Acceptable;
}

CharacterLimit* limitCharacters(QLineEdit& edit, int limit) {
  auto* validator = new CharacterLimit(limit, &edit);
  edit.setValidator(validator);
  return validator;
}

CharacterLimit* characterLimit(const QLineEdit& edit) {
  return qobject_cast<CharacterLimit*>(const_cast<QValidator*>(edit.validator()));
}

}  // namespace snpp::dialogs
