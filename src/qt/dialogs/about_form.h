#pragma once

#include <QDialog>

class QLabel;
class QPushButton;
class TtroubleForm;

// The About box: version and the paging service's contact details.
class TAboutform : public QDialog {
  Q_OBJECT
public:
  explicit TAboutform(QWidget* parent = nullptr);

  // The trouble-shooting window opened by the hidden "Having trouble ?" button.
  void setTroubleForm(TtroubleForm* form) { troubleForm_ = form; }

  QLabel* aboutCompanyNameLabel = nullptr;
  QLabel* aboutPhoneLabel = nullptr;
  QLabel* aboutFaxLabel = nullptr;
  QLabel* aboutEmailLabel = nullptr;
  QLabel* aboutWebLabel = nullptr;
  QLabel* serverLabel = nullptr;
  QPushButton* okButton = nullptr;
  QPushButton* troubleButton = nullptr;

  void okButtonClick();
  void troubleButtonClick();

protected:
  void showEvent(QShowEvent* event) override;

private:
  void FormCreate();
  TtroubleForm* troubleForm_ = nullptr;
};
