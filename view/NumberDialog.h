#pragma once
// TForm3: the number dialog of the count tools. One numeric field for a whole,
// non-negative number of at most seven digits and an OK button.
#include <QDialog>
#include <optional>

class QLineEdit;
class QPushButton;

class TForm3 : public QDialog {
  Q_OBJECT
 public:
  explicit TForm3(double initial, QWidget* parent = nullptr);
  QLineEdit* NValEdit1 = nullptr;
  QPushButton* Button1 = nullptr;
  // The number in the field (0 when it is empty).
  double Value() const;
  // Shows the dialog modally; the value when it was closed with OK.
  static std::optional<double> Ask(double initial, QWidget* parent);
};
