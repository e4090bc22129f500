// Draws the program's icon: a sheet of paper on a dusk-blue tile, with three
// columns of ink marks read from the right, as a vertical page is, and a small
// red seal. Writes one PNG per size named on the command line:
//   quillane-icon SIZE OUT.png [SIZE OUT.png ...]
// The drawing is made on a 256-unit grid and scaled, so every size is the same
// picture.
#include <QColor>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cstdio>
#include <cstdlib>
#include <iterator>

namespace {

constexpr double kGrid = 256.0;

struct TColumn {
  double X;   // left edge of the column's marks
  int Marks;  // how far the text runs down the page
};

// Right to left: the first column is full, the last one ends early.
constexpr TColumn kColumns[] = {{160, 9}, {130, 8}, {100, 4}};
constexpr double kMarkTop = 56, kMarkPitch = 17, kColumnWidth = 18;
// Characters differ in size; a fixed, uneven pattern keeps the marks from
// reading as a grid of keys.
constexpr struct {
  double Width, Height;
} kShapes[] = {{16, 12}, {11, 8}, {18, 13}, {13, 10}, {17, 12}, {10, 7}, {15, 11}, {18, 12}};

void DrawIcon(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);

  QLinearGradient dusk(0, 16, 0, 240);
  dusk.setColorAt(0, QColor(0x3a, 0x47, 0x72));
  dusk.setColorAt(1, QColor(0x24, 0x2b, 0x47));
  p.setBrush(dusk);
  p.drawRoundedRect(QRectF(16, 16, 224, 224), 44, 44);

  // A soft shadow lifts the sheet off the tile.
  p.setBrush(QColor(0, 0, 0, 70));
  p.drawRoundedRect(QRectF(66, 44, 128, 180), 10, 10);
  p.setBrush(QColor(0xf5, 0xf0, 0xe1));
  p.drawRoundedRect(QRectF(62, 38, 128, 180), 10, 10);

  p.setBrush(QColor(0x2a, 0x2a, 0x35));
  for (const TColumn& column : kColumns) {
    for (int i = 0; i < column.Marks; ++i) {
      const auto& shape = kShapes[(i * 3 + static_cast<int>(column.X)) % std::size(kShapes)];
      const QRectF mark(column.X + (kColumnWidth - shape.Width) / 2,
                        kMarkTop + i * kMarkPitch + (kMarkPitch - 4 - shape.Height) / 2,
                        shape.Width, shape.Height);
      p.drawRoundedRect(mark, 2.5, 2.5);
    }
  }

  p.setBrush(QColor(0xc0, 0x41, 0x2f));
  p.drawRoundedRect(QRectF(76, 186, 18, 18), 3, 3);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || argc % 2 == 0) {
    std::fprintf(stderr, "usage: quillane-icon SIZE OUT.png [SIZE OUT.png ...]\n");
    return 2;
  }
  for (int i = 1; i + 1 < argc; i += 2) {
    const int size = std::atoi(argv[i]);
    if (size < 16 || size > 1024) {
      std::fprintf(stderr, "quillane-icon: size %s is not from 16 to 1024\n", argv[i]);
      return 2;
    }
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
      QPainter p(&image);
      p.scale(size / kGrid, size / kGrid);
      DrawIcon(p);
    }
    if (!image.save(argv[i + 1], "PNG")) {
      std::fprintf(stderr, "quillane-icon: cannot write %s\n", argv[i + 1]);
      return 1;
    }
  }
  return 0;
}
