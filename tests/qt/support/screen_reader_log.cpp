#include "screen_reader_log.h"

#include <QtGui/private/qguiapplication_p.h>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>

namespace snpp::qt {
namespace {

ScreenReaderLog* current = nullptr;

void SetActive(bool active) {
  if (QPlatformAccessibility* a = QGuiApplicationPrivate::platformIntegration()->accessibility()) a->setActive(active);
}

}  // namespace

ScreenReaderLog::ScreenReaderLog() : previous_(QAccessible::installUpdateHandler(Hear)) {
  current = this;
  SetActive(true);
}

ScreenReaderLog::~ScreenReaderLog() {
  SetActive(false);
  QAccessible::installUpdateHandler(previous_);
  current = nullptr;
}

void ScreenReaderLog::Hear(QAccessibleEvent* e) {
  if (!current) return;
  const std::string row = " " + std::to_string(e->child());
  auto& out = current->lines;
  switch (e->type()) {
    case QAccessible::Focus: out.push_back("focus" + row); break;
    case QAccessible::Selection: out.push_back("select" + row); break;
    case QAccessible::SelectionRemove: out.push_back("unselect" + row); break;
    case QAccessible::ObjectShow:
      out.push_back("show " + e->accessibleInterface()->text(QAccessible::Name).toStdString());
      break;
    case QAccessible::StateChanged:
      if (static_cast<QAccessibleStateChangeEvent*>(e)->changedStates().checked)
        out.push_back("checked" + row + "=" + std::to_string(e->accessibleInterface()->state().checked));
      break;
    case QAccessible::TextInserted: {
      auto* i = static_cast<QAccessibleTextInsertEvent*>(e);
      out.push_back("text " + std::to_string(i->changePosition()) + " - +" + i->textInserted().toStdString());
      break;
    }
    case QAccessible::TextRemoved: {
      auto* r = static_cast<QAccessibleTextRemoveEvent*>(e);
      out.push_back("text " + std::to_string(r->changePosition()) + " -" + r->textRemoved().toStdString() + " +");
      break;
    }
    case QAccessible::TextUpdated: {
      auto* t = static_cast<QAccessibleTextUpdateEvent*>(e);
      out.push_back("text " + std::to_string(t->changePosition()) + " -" + t->textRemoved().toStdString() + " +" +
                    t->textInserted().toStdString());
      break;
    }
    default: break;
  }
}

}  // namespace snpp::qt
