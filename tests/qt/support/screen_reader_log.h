#pragma once
// Stands in for a screen reader in the widget suites: switches Qt's
// accessibility on (as a reader on the bus would) and logs the events the
// widgets raise, one short line each.

#include <QAccessible>

#include <string>
#include <vector>

namespace snpp::qt {

class ScreenReaderLog {
 public:
  ScreenReaderLog();
  ~ScreenReaderLog();
  ScreenReaderLog(const ScreenReaderLog&) = delete;
  ScreenReaderLog& operator=(const ScreenReaderLog&) = delete;

  // "focus 1", "select 2", "unselect 1", "checked 2=1", "show <name>",
  // "text <pos> -<removed> +<inserted>"; other events are left out.
  std::vector<std::string> lines;

 private:
  static void Hear(QAccessibleEvent* event);
  QAccessible::UpdateHandler previous_;
};

}  // namespace snpp::qt
