#include "ui/options/color_button.h"

#include <QColorDialog>
#include <QPixmap>

#include "ui/editor/control/background_fill.h"

namespace kiv {

ColorButton::ColorButton(QWidget* parent) : QPushButton(parent) {
  setMinimumWidth(60);
  connect(this, &QPushButton::clicked, this, &ColorButton::choose);
  showColor(0);
}

void ColorButton::showColor(ColorRef color) {
  color_ = color;
  QPixmap swatch(36, 14);
  swatch.fill(colorOf(color));
  setIcon(QIcon(swatch));
  setIconSize(swatch.size());
  setToolTip(colorOf(color).name().toUpper());
}

void ColorButton::setColor(ColorRef color) {
  if (color == color_) return;
  showColor(color);
  emit colorChanged(color);
}

void ColorButton::choose() {
  const QColor c = QColorDialog::getColor(colorOf(color_), this, accessibleName());
  if (c.isValid()) setColor(c.red() | (c.green() << 8) | (c.blue() << 16));
}

}  // namespace kiv
