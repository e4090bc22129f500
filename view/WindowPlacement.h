#pragma once
// Where the window opens: at its stored position, unless no screen would show
// enough of it there (a position stored on another monitor setup).
#include <QList>
#include <QPoint>
#include <QRect>
#include <QSize>

// screens: the available areas of the screens. Falls back to the first-run
// position (100, 100).
QPoint ReachablePosition(int left, int top, QSize size, const QList<QRect>& screens);
