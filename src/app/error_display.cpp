#include "app/error_display.h"

#include <QApplication>
#include <QMessageBox>

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

}  // namespace

std::string generalErrorText(const std::string& message) {
  if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + ".";
  return message;
}

void showGeneralError(const std::string& message) { presenter()(generalErrorText(message)); }

void showGeneralError(std::exception_ptr error) {
  try {
    std::rethrow_exception(error);
  } catch (const std::exception& e) {
    showGeneralError(std::string(e.what()));
  } catch (...) {
    showGeneralError(std::string());
  }
}

ErrorPresenter setErrorPresenter(ErrorPresenter replacement) {
  ErrorPresenter old = std::move(presenter());
  presenter() = std::move(replacement);
  return old;
}

}  // namespace snpp
