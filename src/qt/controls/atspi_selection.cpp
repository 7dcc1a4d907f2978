#include "qt/controls/atspi_selection.h"

#include <QAccessible>
#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QDBusVirtualObject>
#include <QTimer>

#include <algorithm>
#include <mutex>

namespace snpp::qt {
namespace {

// Where Qt's bridge publishes accessibles: one path per QAccessible::Id below it.
const QString kAccessiblePaths = QStringLiteral("/org/a11y/atspi/accessible");
const QString kRootPath = QStringLiteral("/org/a11y/atspi/accessible/root");
const QString kNullPath = QStringLiteral("/org/a11y/atspi/null");
const QString kSelection = QStringLiteral("org.a11y.atspi.Selection");
const QString kAccessible = QStringLiteral("org.a11y.atspi.Accessible");
const QString kProperties = QStringLiteral("org.freedesktop.DBus.Properties");
// The connection Qt's bridge opens to the accessibility bus.
const QString kBusName = QStringLiteral("a11y");

const char kSelectionXml[] = R"xml(  <interface name="org.a11y.atspi.Selection">
    <property name="NSelectedChildren" type="i" access="read"/>
    <method name="GetSelectedChild">
      <arg direction="in" name="selectedChildIndex" type="i"/>
      <arg direction="out" type="(so)"/>
    </method>
    <method name="SelectChild">
      <arg direction="in" name="childIndex" type="i"/>
      <arg direction="out" type="b"/>
    </method>
    <method name="DeselectSelectedChild">
      <arg direction="in" name="selectedChildIndex" type="i"/>
      <arg direction="out" type="b"/>
    </method>
    <method name="IsChildSelected">
      <arg direction="in" name="childIndex" type="i"/>
      <arg direction="out" type="b"/>
    </method>
    <method name="SelectAll">
      <arg direction="out" type="b"/>
    </method>
    <method name="ClearSelection">
      <arg direction="out" type="b"/>
    </method>
    <method name="DeselectChild">
      <arg direction="in" name="childIndex" type="i"/>
      <arg direction="out" type="b"/>
    </method>
  </interface>
)xml";

// An accessible as AT-SPI names it: the bus name and path it lives at.
struct ObjectReference {
  QString service;
  QDBusObjectPath path;
};

QDBusArgument& operator<<(QDBusArgument& out, const ObjectReference& ref) {
  out.beginStructure();
  out << ref.service << ref.path;
  out.endStructure();
  return out;
}

const QDBusArgument& operator>>(const QDBusArgument& in, ObjectReference& ref) {
  in.beginStructure();
  in >> ref.service >> ref.path;
  in.endStructure();
  return in;
}

}  // namespace
}  // namespace snpp::qt

Q_DECLARE_METATYPE(snpp::qt::ObjectReference)

namespace snpp::qt {
namespace {

QDBusConnection AccessibilityBus() { return QDBusConnection(kBusName); }

QVariant Reference(const QDBusConnection& bus, const QString& path) {
  return QVariant::fromValue(ObjectReference{bus.baseService(), QDBusObjectPath(path)});
}

QString PathOf(QAccessibleInterface* iface) {
  if (!iface || !iface->isValid()) return kNullPath;
  return kAccessiblePaths + u'/' + QString::number(QAccessible::uniqueId(iface));
}

QAccessibleInterface* InterfaceAt(const QString& path) {
  if (!path.startsWith(kAccessiblePaths + u'/')) return nullptr;
  bool ok = false;
  const QAccessible::Id id = path.mid(kAccessiblePaths.size() + 1).toUInt(&ok);
  return ok ? QAccessible::accessibleInterface(id) : nullptr;
}

AccessibleChildSelection* SelectionOf(QAccessibleInterface* iface) {
  return iface && iface->isValid() ? dynamic_cast<AccessibleChildSelection*>(iface) : nullptr;
}

// The interfaces Qt's bridge lists for a widget, and Selection.
QStringList InterfacesOf(QAccessibleInterface* iface) {
  QStringList names{kAccessible, QStringLiteral("org.a11y.atspi.Component")};
  if (iface->actionInterface() || iface->valueInterface()) names << QStringLiteral("org.a11y.atspi.Action");
  if (iface->textInterface()) names << QStringLiteral("org.a11y.atspi.Text");
  if (iface->editableTextInterface()) names << QStringLiteral("org.a11y.atspi.EditableText");
  if (iface->valueInterface()) names << QStringLiteral("org.a11y.atspi.Value");
  if (iface->tableInterface()) names << QStringLiteral("org.a11y.atspi.Table");
  return names << kSelection;
}

// Stands in front of Qt's own handler for every accessible's path: answers
// what Qt can't for containers with a selection, and passes the rest on.
class SelectionAdaptor : public QDBusVirtualObject {
 public:
  explicit SelectionAdaptor(QDBusVirtualObject* qtAdaptor) : QDBusVirtualObject(qtAdaptor), qt_(qtAdaptor) {}

  QString introspect(const QString& path) const override {
    const QString own = SelectionOf(InterfaceAt(path)) ? QString::fromLatin1(kSelectionXml) : QString();
    return qt_->introspect(path) + own;
  }

  bool handleMessage(const QDBusMessage& message, const QDBusConnection& bus) override {
    QAccessibleInterface* iface = InterfaceAt(message.path());
    AccessibleChildSelection* selection = SelectionOf(iface);
    if (selection && Answer(*iface, *selection, message, bus)) return true;
    return qt_->handleMessage(message, bus);
  }

 private:
  static bool Reply(const QDBusConnection& bus, const QDBusMessage& message, const QVariant& value) {
    return bus.send(message.createReply(value));
  }

  static bool Answer(QAccessibleInterface& iface, AccessibleChildSelection& selection, const QDBusMessage& message,
                     const QDBusConnection& bus) {
    const QString member = message.member();
    const QVariantList args = message.arguments();
    if (message.interface() == kAccessible)
      return member == QLatin1String("GetInterfaces") && Reply(bus, message, InterfacesOf(&iface));
    const int count = static_cast<int>(selection.SelectedChildren().size());
    if (message.interface() == kProperties) {
      if (args.value(0).toString() != kSelection) return false;
      if (member == QLatin1String("Get") && args.value(1).toString() == QLatin1String("NSelectedChildren"))
        return Reply(bus, message, QVariant::fromValue(QDBusVariant(count)));
      if (member == QLatin1String("GetAll"))
        return Reply(bus, message, QVariantMap{{QStringLiteral("NSelectedChildren"), count}});
      return false;
    }
    if (message.interface() != kSelection) return false;
    const QVariant result = Call(iface, selection, member, args.value(0).toInt(), bus);
    return result.isValid() && Reply(bus, message, result);
  }

  static QVariant Call(QAccessibleInterface& iface, AccessibleChildSelection& selection, const QString& member, int n,
                       const QDBusConnection& bus) {
    const std::vector<int> selected = selection.SelectedChildren();
    const bool inSelected = n >= 0 && n < static_cast<int>(selected.size());
    const bool isChild = n >= 0 && n < iface.childCount();
    if (member == QLatin1String("GetSelectedChild"))
      return Reference(bus, inSelected ? PathOf(iface.child(selected[n])) : kNullPath);
    if (member == QLatin1String("IsChildSelected")) return std::find(selected.begin(), selected.end(), n) != selected.end();
    if (member == QLatin1String("SelectChild")) return isChild && selection.SelectChild(n);
    if (member == QLatin1String("DeselectChild")) return isChild && selection.DeselectChild(n);
    if (member == QLatin1String("DeselectSelectedChild")) return inSelected && selection.DeselectChild(selected[n]);
    if (member == QLatin1String("SelectAll")) return selection.SelectAll();
    if (member == QLatin1String("ClearSelection")) return selection.ClearSelection();
    return {};  // not a Selection method: Qt's handler refuses it
  }

  QDBusVirtualObject* qt_;
};

bool installed = false;

// Qt's bridge registers its handler just after it turns accessibility on,
// so the first look may come a moment early.
void StandInFront(int triesLeft) {
  QDBusConnection bus = AccessibilityBus();
  if (!bus.isConnected()) return;
  QObject* current = bus.objectRegisteredAt(kAccessiblePaths);
  if (dynamic_cast<SelectionAdaptor*>(current)) return;
  auto* qtAdaptor = qobject_cast<QDBusVirtualObject*>(current);
  if (!qtAdaptor) {
    if (triesLeft > 0) QTimer::singleShot(100, QCoreApplication::instance(), [=] { StandInFront(triesLeft - 1); });
    return;
  }
  bus.unregisterObject(kAccessiblePaths);
  // A child of Qt's handler: gone with it, and never left calling a dead one.
  auto* ours = new SelectionAdaptor(qtAdaptor);
  installed = bus.registerVirtualObject(kAccessiblePaths, ours, QDBusConnection::SubPath);
  if (installed) return;
  delete ours;
  bus.registerVirtualObject(kAccessiblePaths, qtAdaptor, QDBusConnection::SubPath);
}

class ActivationWatch : public QAccessible::ActivationObserver {
 public:
  void accessibilityActiveChanged(bool active) override {
    if (active && QCoreApplication::instance())
      QTimer::singleShot(0, QCoreApplication::instance(), [] { StandInFront(50); });
  }
};

}  // namespace

void OfferAtSpiSelection() {
  static std::once_flag once;
  std::call_once(once, [] {
    qDBusRegisterMetaType<ObjectReference>();
    static auto* watch = new ActivationWatch;
    QAccessible::installActivationObserver(watch);
    if (QAccessible::isActive()) watch->accessibilityActiveChanged(true);
  });
}

void AnnounceSelectionChanged(QObject* container) {
  if (!installed || !QAccessible::isActive()) return;
  QDBusConnection bus = AccessibilityBus();
  const QString path = PathOf(QAccessible::queryAccessibleInterface(container));
  QDBusMessage signal =
      QDBusMessage::createSignal(path, QStringLiteral("org.a11y.atspi.Event.Object"), QStringLiteral("SelectionChanged"));
  signal << QString() << 0 << 0 << QVariant::fromValue(QDBusVariant(0)) << Reference(bus, kRootPath);
  bus.send(signal);
}

}  // namespace snpp::qt
