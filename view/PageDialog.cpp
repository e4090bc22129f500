#include "view/PageDialog.h"

#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <algorithm>

#include "view/DialogLook.h"

PageDialog::PageDialog(int page, int allPage, QWidget* parent) : QDialog(parent) {
  ApplyDialogLook(*this, 291, 129, 0xE1F2E8);
  const int last = std::max(allPage, 1);

  PageEdit = new QSpinBox(this);
  PageEdit->setObjectName("PageEdit");
  PageEdit->setGeometry(40, 24, 110, 25);
  PageEdit->setRange(1, last);
  PageEdit->setValue(std::clamp(page, 1, last));
  PageEdit->selectAll();
  PageEdit->setToolTip("Page");

  auto* count = new QLabel("/ " + QString::number(last), this);
  count->setGeometry(160, 24, 110, 25);

  OkButton = new QPushButton("OK", this);
  OkButton->setObjectName("OkButton");
  OkButton->setGeometry(40, 80, 81, 27);
  OkButton->setDefault(true);
  connect(OkButton, &QPushButton::clicked, this, &QDialog::accept);

  CancelButton = new QPushButton("Cancel", this);
  CancelButton->setObjectName("CancelButton");
  CancelButton->setGeometry(160, 80, 81, 27);
  connect(CancelButton, &QPushButton::clicked, this, &QDialog::reject);
}

std::optional<int> PageDialog::Ask(int page, int allPage, QWidget* parent) {
  PageDialog dialog(page, allPage, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.PageEdit->value();
}
