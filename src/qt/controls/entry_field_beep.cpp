#include "entry_field_beep.h"

#include <QApplication>

namespace snpp {
namespace {
std::function<void()>& Hook() {
  static std::function<void()> hook;
  return hook;
}
}  // namespace

void EntryFieldBeep() {
  if (Hook())
    Hook()();
  else
    QApplication::beep();
}

void SetEntryFieldBeepHook(std::function<void()> hook) { Hook() = std::move(hook); }

}  // namespace snpp
