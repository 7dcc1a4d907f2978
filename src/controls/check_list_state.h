#pragma once

#include <cstdint>

namespace snpp {

// One item's check mark; the numbers are the ones callers store and compare.
enum TCheckBoxState : std::uint8_t { cbUnchecked = 0, cbChecked = 1, cbGrayed = 2 };

// Shape of the mark drawn in a checked or grayed box.
enum TCheckStyle : std::uint8_t { csCheck = 0, csX = 1 };

constexpr bool IsValidState(TCheckBoxState s) { return s <= cbGrayed; }

// The state a click or a typed character moves an item to. Grayed takes part
// in the user's cycle only with three-state lists.
constexpr TCheckBoxState NextState(TCheckBoxState current, bool threeState) {
  switch (current) {
    case cbUnchecked: return threeState ? cbGrayed : cbChecked;
    case cbChecked: return cbUnchecked;
    case cbGrayed: return cbChecked;
  }
  return cbChecked;  // a corrupt value is treated like grayed
}

}  // namespace snpp
