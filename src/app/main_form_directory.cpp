// The main window's side of the stored data: the standard messages behind
// the pick buttons, and the names list kept in names.txt.
#include <QString>

#include "app/main_form.h"
#include "app/message_memo.h"

namespace {
QString fromBytes(const std::string& bytes) {
  return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}
}  // namespace

void Tmainform::pickButtonClick(int n) {
  const std::string& text = standardMessages.message(n);
  if (text.empty()) return;
  messageMemo->setPlainText(fromBytes(text));
}
