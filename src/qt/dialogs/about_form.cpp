#include "qt/dialogs/about_form.h"

#include <QLabel>
#include <QPushButton>
#include <QShowEvent>

#include "qt/dialogs/form_layout.h"
#include "forms/info_texts.h"
#include "qt/dialogs/trouble_form.h"
#include "snpp/build_config.h"

using namespace snpp::layout;
using namespace snpp::info_texts;

TAboutform::TAboutform(QWidget* parent) : QDialog(parent) {
  setWindowTitle(kAboutCaption);
  makeFixedToolWindow(this, 255, 221);
  setModal(true);

  const QColor blue(0, 0, 255);
  auto* Label1 = label(this, kAboutTitle, 60, 8);
  Label1->setFont(pointFont(font(), 10));
  Label1->adjustSize();
  setTextColour(Label1, blue);
  label(this, snpp::kVersionText, 96, 24);

  aboutCompanyNameLabel = new QLabel(kAboutMaker, this);
  aboutCompanyNameLabel->setGeometry(8, 40, 237, 16);
  aboutCompanyNameLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  aboutCompanyNameLabel->setAutoFillBackground(true);
  QPalette band = aboutCompanyNameLabel->palette();
  band.setColor(QPalette::Window, Qt::white);
  band.setColor(QPalette::WindowText, Qt::black);
  aboutCompanyNameLabel->setPalette(band);
  aboutCompanyNameLabel->setFont(pointFont(font(), 10));

  sunkenBevel(this, QRect(8, 56, 237, 73));
  setTextColour(label(this, "phone:", 16, 60), blue);
  aboutPhoneLabel = label(this, "", 56, 60);
  setTextColour(label(this, "fax:", 16, 76), blue);
  aboutFaxLabel = label(this, "", 56, 76);
  setTextColour(label(this, "email:", 16, 92), blue);
  aboutEmailLabel = new QLabel(this);
  aboutEmailLabel->setGeometry(56, 92, 185, 13);
  setTextColour(label(this, "web:", 16, 108), blue);
  aboutWebLabel = label(this, "", 56, 108);

  okButton = new QPushButton("OK", this);
  okButton->setGeometry(88, 140, 75, 25);
  okButton->setDefault(true);
  connect(okButton, &QPushButton::clicked, this, &TAboutform::okButtonClick);

  troubleButton = new QPushButton(kTroubleButton, this);
  troubleButton->setGeometry(80, 176, 93, 23);
  troubleButton->hide();
  connect(troubleButton, &QPushButton::clicked, this, &TAboutform::troubleButtonClick);

  serverLabel = new QLabel(kServerPlaceholder, this);
  serverLabel->setTextFormat(Qt::PlainText);
  serverLabel->setGeometry(0, 221 - 13, 255, 13);
  serverLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  serverLabel->hide();

  FormCreate();
}

// Fills in the branded build's values once, before the box is ever shown.
void TAboutform::FormCreate() {
  serverLabel->setVisible(true);
  serverLabel->setText(snpp::kServerHost);
  aboutCompanyNameLabel->setText(snpp::kServiceCompany);
  aboutPhoneLabel->setText(snpp::kServicePhone);
  aboutPhoneLabel->adjustSize();
  aboutFaxLabel->setText(snpp::kServiceFax);
  aboutFaxLabel->adjustSize();
  aboutEmailLabel->setText(snpp::kServiceEmail);
  aboutWebLabel->setText(snpp::kServiceWeb);
  aboutWebLabel->adjustSize();
}

void TAboutform::showEvent(QShowEvent* event) {
  if (!event->spontaneous()) centreOnScreen(this);
  QDialog::showEvent(event);
}

void TAboutform::okButtonClick() { close(); }

void TAboutform::troubleButtonClick() {
  if (troubleForm_) troubleForm_->exec();
}
