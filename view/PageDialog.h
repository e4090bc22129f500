#pragma once
// The page dialog of "GoTo" > "Page...": one field for a page from 1 to the
// text's page count, with OK and Cancel.
#include <QDialog>
#include <optional>

class QPushButton;
class QSpinBox;

class PageDialog : public QDialog {
  Q_OBJECT
 public:
  PageDialog(int page, int allPage, QWidget* parent = nullptr);
  QSpinBox* PageEdit = nullptr;
  QPushButton* OkButton = nullptr;
  QPushButton* CancelButton = nullptr;
  // Shows the dialog modally; the page when it was closed with OK.
  static std::optional<int> Ask(int page, int allPage, QWidget* parent);
};
