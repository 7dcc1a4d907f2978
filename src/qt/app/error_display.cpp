#include "qt/app/error_display.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <algorithm>
#include <deque>

namespace snpp {
namespace {

void messageBox(const std::string& text) {
  QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(),
                  QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())),
                  QMessageBox::Ok, QApplication::activeWindow());
  box.setWindowTitle("SNPP Client");
  box.exec();
}

ErrorPresenter& presenter() {
  static ErrorPresenter current = messageBox;
  return current;
}

// Errors waiting while a box is open: the box's own event loop keeps the
// program running, and an error raised there must not open a box inside it.
struct ErrorQueue {
  std::deque<std::string> waiting;
  std::string current;
  bool showing = false;
};

ErrorQueue& queue() {
  static ErrorQueue q;
  return q;
}

void present(const std::string& text) {
  ErrorQueue& q = queue();
  if (q.showing) {
    // The same error again and again (a server flooding replies) is one box.
    if (text != q.current &&
        std::find(q.waiting.begin(), q.waiting.end(), text) == q.waiting.end()) {
      q.waiting.push_back(text);
    }
    return;
  }
  q.showing = true;
  q.current = text;
  for (;;) {
    try {
      presenter()(q.current);
    } catch (...) {
      // A box that fails to show must not stop the ones after it.
    }
    if (q.waiting.empty()) break;
    q.current = std::move(q.waiting.front());
    q.waiting.pop_front();
  }
  q.current.clear();
  q.showing = false;
}

}  // namespace

void showGeneralError(const std::string& message) { present(generalErrorText(message)); }

void showGeneralError(std::exception_ptr error) { showGeneralError(errorMessageOf(error)); }

void postGeneralError(std::exception_ptr error) {
  const std::string text = generalErrorText(errorMessageOf(error));
  QTimer::singleShot(0, qApp, [text] { present(text); });
}

ErrorPresenter setErrorPresenter(ErrorPresenter replacement) {
  ErrorPresenter old = std::move(presenter());
  presenter() = std::move(replacement);
  return old;
}

}  // namespace snpp
