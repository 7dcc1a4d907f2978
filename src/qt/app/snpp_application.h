#pragma once

#include <QApplication>

// The application object. Errors that escape an event handler end up here
// and are shown to the user instead of ending the program.
class SnppApplication : public QApplication {
  Q_OBJECT
public:
  SnppApplication(int& argc, char** argv);
  bool notify(QObject* receiver, QEvent* event) override;
};
