#pragma once
// Gradient and picture fills behind the text and the gutter. Scintilla paints
// its background in a sentinel colour; the painting is forwarded to the real
// painter, except that solid fills in a sentinel colour become the cached
// fill picture, so the text is drawn over the real fill with clean edges.

#include <QColor>
#include <QPixmap>
#include <QRect>
#include <QSize>

#include "core/config/settings.h"

namespace kiv {

struct BackgroundFill {
  AreaFill text;        // kind 0 none, 1 picture, 2 gradient
  AreaFill gutter;      // kind 0 plain colour, 1 picture, 2 gradient
  QPixmap textPicture;
  QPixmap gutterPicture;
  ColorRef paper = 0xFFFFFF;

  // Fills rendered for the current sizes.
  QPixmap textCache;
  QSize textCacheSize;
  QPixmap gutterCache;
  QSize gutterCacheSize;

  bool textActive() const { return text.kind == 1 || text.kind == 2; }
  bool gutterActive() const { return gutter.kind == 1 || gutter.kind == 2; }
  void invalidate() {
    textCacheSize = QSize();
    gutterCacheSize = QSize();
  }
  // The fill of an area of the given size.
  const QPixmap& textFill(const QSize& size);
  const QPixmap& gutterFill(const QSize& size);
};

QColor colorOf(ColorRef c);
// A fill of `size` from an AreaFill: gradient (mode 1 vertical, 2 horizontal) or
// picture (1 tiled, 2 centred on `background`, 3 stretched).
QPixmap renderFill(const AreaFill& fill, const QPixmap& picture, const QSize& size, const QColor& background);

}  // namespace kiv
