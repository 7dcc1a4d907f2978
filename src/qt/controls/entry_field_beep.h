#pragma once
// The entry fields' error beep, replaceable so tests can count beeps.

#include <functional>

namespace snpp {

void EntryFieldBeep();
// An empty hook restores the system beep.
void SetEntryFieldBeepHook(std::function<void()> hook);

}  // namespace snpp
