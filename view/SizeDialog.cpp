#include "view/SizeDialog.h"

#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

#include "view/DialogLook.h"

TForm4::TForm4(int initial, QWidget* parent) : QDialog(parent) {
  ApplyDialogLook(*this, 321, 200, 0x9CC2D8);

  UpDown = new QSpinBox(this);
  UpDown->setObjectName("UpDown");
  UpDown->setGeometry(61, 35, 81, 25);
  UpDown->setRange(1, 100);
  UpDown->setValue(initial);

  auto* range = new QLabel("1-100", this);
  range->setGeometry(152, 35, 60, 25);

  OkButton = new QPushButton("OK", this);
  OkButton->setObjectName("OkButton");
  OkButton->setGeometry(61, 130, 81, 27);
  OkButton->setDefault(true);
  connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);

  CancelButton = new QPushButton("Cancel", this);
  CancelButton->setObjectName("CancelButton");
  CancelButton->setGeometry(179, 130, 81, 27);
  connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

std::optional<int> TForm4::Ask(int initial, QWidget* parent) {
  TForm4 dialog(initial, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.UpDown->value();
}
