#include "qt/app/status_notice.h"

#include <QAccessibleWidget>

#include <mutex>

#include "forms/accessible_names.h"

namespace snpp::qt {
namespace {

class StatusNoticeAccessible : public QAccessibleWidget {
 public:
  explicit StatusNoticeAccessible(QLabel* label) : QAccessibleWidget(label, QAccessible::Notification) {}
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return static_cast<QLabel*>(widget())->text();
    return QAccessibleWidget::text(t);
  }
};

QAccessibleInterface* StatusNoticeFactory(const QString& className, QObject* object) {
  if (className != QLatin1String(StatusNotice::staticMetaObject.className()) || !object) return nullptr;
  return new StatusNoticeAccessible(static_cast<StatusNotice*>(object));
}

}  // namespace

StatusNotice::StatusNotice(const QString& text, QWidget* parent) : QLabel(text, parent) {
  static std::once_flag once;
  std::call_once(once, [] { QAccessible::installFactory(StatusNoticeFactory); });
}

void StatusNotice::Announce() {
  if (!QAccessible::isActive() || !forms::IsSendOutcome(text().toStdString())) return;
  QAccessibleEvent shown(this, QAccessible::ObjectShow);
  QAccessible::updateAccessibility(&shown);
}

}  // namespace snpp::qt
