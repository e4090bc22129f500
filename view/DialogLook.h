#pragma once
// The look the program's small dialogs share: caption "Quillane", a fixed
// client size, a background colour and the proportional Gothic face at 15 px.
#include <QDialog>

#include "base/Types.h"
#include "view/QtColor.h"

inline void ApplyDialogLook(QDialog& dialog, int width, int height, TColor background) {
  dialog.setWindowTitle("Quillane");
  dialog.setFixedSize(width, height);
  QPalette pal = dialog.palette();
  pal.setColor(QPalette::Window, ToQColor(background));
  dialog.setPalette(pal);
  dialog.setAutoFillBackground(true);
  QFont font("IPAPGothic");
  font.setPixelSize(15);
  dialog.setFont(font);
}
