#pragma once

#include <QDialog>

#include <string>
#include <string_view>

class QLabel;
class QLineEdit;
class QPushButton;

// Asks for one recipient's name and pager ID. The caller fills both fields,
// runs exec() and reads them back when it returns Accepted; the dialog
// checks nothing itself and is reused for every opening.
class TaddNameForm : public QDialog {
  Q_OBJECT
public:
  static constexpr int kNameLimit = 15;
  static constexpr int kPagerIDLimit = 14;

  explicit TaddNameForm(QWidget* parent = nullptr);

  // The fields as byte strings, the form recipient entries are kept in.
  std::string NameText() const;
  void SetNameText(std::string_view name);
  std::string PagerIDText() const;
  void SetPagerIDText(std::string_view pagerID);

  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLineEdit* nameEdit = nullptr;
  QLineEdit* pagerIDEdit = nullptr;
  QPushButton* okButton = nullptr;
  QPushButton* cancelButton = nullptr;

  void FormShow();

protected:
  void showEvent(QShowEvent* event) override;
};
