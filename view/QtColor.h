#pragma once
// The program's colours (0x00BBGGRR) as Qt colours and back.
#include <QColor>

#include "base/Types.h"

inline QColor ToQColor(TColor c) {
  return QColor(ColorR(c), ColorG(c), ColorB(c));
}
inline TColor FromQColor(const QColor& c) {
  return RGBColor(c.red(), c.green(), c.blue());
}
