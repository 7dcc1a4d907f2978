#pragma once
// Which children of a container are selected, for screen readers on Linux.
// Qt 6.4's AT-SPI bridge has no Selection interface, so a reader can't ask a
// list which row is selected or select one; this adds it beside Qt's bridge
// for every accessible that also implements AccessibleChildSelection.

#include <vector>

class QObject;

namespace snpp::qt {

class AccessibleChildSelection {
 public:
  virtual ~AccessibleChildSelection() = default;
  // Child indexes, in order.
  virtual std::vector<int> SelectedChildren() const = 0;
  // Each is false when the container can't do it.
  virtual bool SelectChild(int index) = 0;
  virtual bool DeselectChild(int index) = 0;
  virtual bool SelectAll() = 0;
  virtual bool ClearSelection() = 0;
};

// Answers the Selection interface on the accessibility bus once a screen
// reader turns accessibility on. Safe to call more than once.
void OfferAtSpiSelection();

// Tells a reader that `container`'s selection changed (Qt's bridge tells
// only of the rows' own states).
void AnnounceSelectionChanged(QObject* container);

}  // namespace snpp::qt
