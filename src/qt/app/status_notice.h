#pragma once
// The send status as a screen reader should meet it: a notification whose
// text is the status, spoken unasked when a send ends. Qt's bridge to the
// desktop's screen readers has no live regions, but a reader speaks a
// notification as it shows.

#include <QLabel>

namespace snpp::qt {

class StatusNotice : public QLabel {
  Q_OBJECT
 public:
  StatusNotice(const QString& text, QWidget* parent);
  // Speaks the text now, if it is the outcome of a send.
  void Announce();
};

}  // namespace snpp::qt
