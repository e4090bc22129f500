#pragma once
// A label that is either a caption on the window's background or, as a
// swatch or indicator, a block of its own colour shown only while it is opaque.
#include <QColor>
#include <QWidget>

class SwatchLabel : public QWidget {
  Q_OBJECT
 public:
  explicit SwatchLabel(bool swatch, QWidget* parent = nullptr);
  void SetCaption(const QString& caption);
  void SetFill(const QColor& color, bool opaque);
  QString Caption() const { return caption_; }
  QColor Fill() const { return fill_; }
  bool Opaque() const { return opaque_; }
  bool IsSwatch() const { return swatch_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  bool swatch_;
  QString caption_;
  QColor fill_{Qt::black};
  bool opaque_ = false;
};
