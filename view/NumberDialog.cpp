#include "view/NumberDialog.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <cmath>

#include "view/DialogLook.h"

TForm3::TForm3(double initial, QWidget* parent) : QDialog(parent) {
  ApplyDialogLook(*this, 291, 129, 14807784);

  NValEdit1 = new QLineEdit(this);
  NValEdit1->setObjectName("NValEdit1");
  NValEdit1->setGeometry(60, 24, 125, 21);
  NValEdit1->setToolTip("Count画像の枚数");
  NValEdit1->setStatusTip("Count画像の枚数");
  QFont editFont("IPAMincho");
  editFont.setPixelSize(15);
  NValEdit1->setFont(editFont);
  NValEdit1->setValidator(
      new QRegularExpressionValidator(QRegularExpression("[0-9]{0,7}"), NValEdit1));
  const double start = std::isfinite(initial) && initial >= 0 && initial <= 9999999 ? initial : 10;
  NValEdit1->setText(QString::number(static_cast<long long>(std::floor(start))));

  Button1 = new QPushButton("OK", this);
  Button1->setObjectName("Button1");
  Button1->setGeometry(108, 72, 75, 25);
  Button1->setDefault(true);
  connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
}

double TForm3::Value() const {
  return NValEdit1->text().toDouble();
}

std::optional<double> TForm3::Ask(double initial, QWidget* parent) {
  TForm3 dialog(initial, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Value();
}
