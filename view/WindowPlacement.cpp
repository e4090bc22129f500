#include "view/WindowPlacement.h"

QPoint ReachablePosition(int left, int top, QSize size, const QList<QRect>& screens) {
  const QRect wanted(QPoint(left, top), size);
  // Enough of the window to grab it and bring it back must be on a screen.
  for (const QRect& screen : screens) {
    const QRect shown = screen.intersected(wanted);
    if (shown.width() >= 80 && shown.height() >= 40) return wanted.topLeft();
  }
  return {100, 100};
}
