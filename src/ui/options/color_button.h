#pragma once
// A button that shows a colour and lets the user pick another.

#include <QPushButton>

#include "core/config/settings.h"

namespace kiv {

class ColorButton : public QPushButton {
  Q_OBJECT
 public:
  explicit ColorButton(QWidget* parent = nullptr);
  ColorRef color() const { return color_; }
  // Shows the colour without telling anyone.
  void showColor(ColorRef color);
  // Shows the colour and emits colorChanged when it differs.
  void setColor(ColorRef color);

 signals:
  void colorChanged(kiv::ColorRef color);

 private:
  void choose();
  ColorRef color_ = 0;
};

}  // namespace kiv
