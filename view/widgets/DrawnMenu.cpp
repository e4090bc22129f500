#include "view/widgets/DrawnMenu.h"

#include <QMenu>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>

namespace {

// Colours of the drawn menus, given as the program's 0xBBGGRR values.
const QColor kItemFill(0xB3, 0xB3, 0xFF);   // $FFB3B3, a pale lavender blue
const QColor kRuleDark(0x85, 0x91, 0x1A);   // $1A9185, olive green
const QColor kRuleLight(0xE8, 0xEF, 0xA7);  // $A7EFE8, pale yellow-green
constexpr int kItemHeight = 25;
constexpr int kSeparatorHeight = 10;
constexpr int kCaptionLeft = 15;
constexpr int kArrowRoom = 12;  // kept free at the right for a submenu's arrow

class DrawnMenuStyle : public QProxyStyle {
 public:
  explicit DrawnMenuStyle(int itemWidth) : itemWidth_(itemWidth) {}

  QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size,
                         const QWidget* widget) const override {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (type != CT_MenuItem || !item)
      return QProxyStyle::sizeFromContents(type, option, size, widget);
    const bool separator = item->menuItemType == QStyleOptionMenuItem::Separator;
    return {itemWidth_, separator ? kSeparatorHeight : kItemHeight};
  }

  int pixelMetric(PixelMetric metric, const QStyleOption* option,
                  const QWidget* widget) const override {
    switch (metric) {
      case PM_MenuPanelWidth:
      case PM_MenuHMargin:
      case PM_MenuVMargin:
      case PM_MenuDesktopFrameWidth:
        return 0;
      default:
        return QProxyStyle::pixelMetric(metric, option, widget);
    }
  }

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
    if (element == PE_PanelMenu || element == PE_FrameMenu) {
      painter->fillRect(option->rect, kItemFill);
      return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
  }

  void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                   const QWidget* widget) const override {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    if (element != CE_MenuItem || !item) {
      QProxyStyle::drawControl(element, option, painter, widget);
      return;
    }
    const QRect r = item->rect;
    painter->fillRect(r, kItemFill);
    if (item->menuItemType == QStyleOptionMenuItem::Separator) {
      const int middle = r.top() + r.height() / 2;
      painter->setPen(kRuleDark);
      painter->drawLine(r.left() + 1, middle, r.right() - 1, middle);
      painter->setPen(kRuleLight);
      painter->drawLine(r.left() + 1, middle + 1, r.right() - 1, middle + 1);
      return;
    }
    // The shortcut travels in the text after a tab; the drawn item shows the caption only.
    const QString caption = item->text.section('\t', 0, 0);
    const bool enabled = item->state & State_Enabled;
    const QColor ink =
        item->palette.color(enabled ? QPalette::Active : QPalette::Disabled, QPalette::Text);
    painter->setFont(item->font);
    painter->setPen(ink);
    painter->drawText(r.adjusted(kCaptionLeft, 0, -kArrowRoom, 0),
                      Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine | Qt::TextShowMnemonic,
                      caption);
    if (item->checkType != QStyleOptionMenuItem::NotCheckable && item->checked) {
      // A tick in the margin before the caption says that the item is on.
      const int x = r.left() + 3, y = r.center().y();
      painter->save();
      painter->setPen(QPen(ink, 1.5));
      painter->setRenderHint(QPainter::Antialiasing);
      painter->drawPolyline(QPolygon({QPoint(x, y), QPoint(x + 2, y + 3), QPoint(x + 7, y - 3)}));
      painter->restore();
    }
    if (item->menuItemType == QStyleOptionMenuItem::SubMenu) {
      // A small triangle at the right says that the item opens a menu.
      const QPoint tip(r.right() - 6, r.center().y());
      const QPolygon arrow({tip, tip + QPoint(-4, -4), tip + QPoint(-4, 4)});
      painter->save();
      painter->setPen(Qt::NoPen);
      painter->setBrush(ink);
      painter->drawPolygon(arrow);
      painter->restore();
    }
  }

 private:
  int itemWidth_;
};

}  // namespace

void MakeDrawnMenu(QMenu* menu, int itemWidth) {
  auto* style = new DrawnMenuStyle(itemWidth);
  style->setParent(menu);
  menu->setStyle(style);
}
