#pragma once

#include <QLineEdit>
#include <QValidator>

// Holds a line edit to a number of characters as a person counts them,
// however the text arrives: typed, composed by an input method, pasted or
// dropped. What does not fit is cut off at a character boundary; when
// nothing fits, the edit is refused and the field keeps its text.
namespace snpp::dialogs {

class CharacterLimit : public QValidator {
  Q_OBJECT
public:
  CharacterLimit(int limit, QLineEdit* edit);
  int limit() const { return limit_; }
  void setLimit(int limit) { limit_ = limit; }
  State validate(QString& input, int& pos) const override;

private:
  int limit_;
  mutable QString accepted_;  // the field's text before the edit being checked
};

// Puts a limit on `edit`. Qt's own maximum length counts UTF-16 units and
// can cut a character in half, so it is left at its (large) default.
CharacterLimit* limitCharacters(QLineEdit& edit, int limit);
CharacterLimit* characterLimit(const QLineEdit& edit);

}  // namespace snpp::dialogs
