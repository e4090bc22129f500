#pragma once
// A button drawn as a triangle pointing left or right, filled with its face
// colour; the page's forward and back buttons.
#include <QAbstractButton>
#include <QColor>

class TriButton : public QAbstractButton {
  Q_OBJECT
 public:
  enum class Direction { Left, Right };
  TriButton(Direction direction, QWidget* parent = nullptr);

  void SetFace(const QColor& color);
  QColor Face() const { return face_; }
  Direction PointsTo() const { return direction_; }
  QSize sizeHint() const override { return {30, 20}; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool hitButton(const QPoint& pos) const override;

 private:
  QPolygonF Outline() const;
  Direction direction_;
  QColor face_{0x9D, 0xBC, 0xFB};
};
