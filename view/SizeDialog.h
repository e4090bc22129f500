#pragma once
// TForm4: the size dialog of the fallen-leaves smear; an up-down field 1..100.
#include <QDialog>
#include <optional>

class QSpinBox;
class QPushButton;

class TForm4 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm4(int initial, QWidget* parent = nullptr);
  QSpinBox* UpDown = nullptr;
  QPushButton* OkButton = nullptr;
  QPushButton* CancelButton = nullptr;
  // Shows the dialog modally; the up-down's position when it was closed with OK.
  static std::optional<int> Ask(int initial, QWidget* parent);
};
