#include "ui/editor/control/background_fill.h"

#include <QLinearGradient>
#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QPainterPath>

#include "ui/editor/control/editing_control.h"

namespace kiv {

QColor colorOf(ColorRef c) {
  const auto v = static_cast<unsigned>(c);
  return QColor(v & 0xFF, (v >> 8) & 0xFF, (v >> 16) & 0xFF);
}

QPixmap renderFill(const AreaFill& fill, const QPixmap& picture, const QSize& size, const QColor& background) {
  QPixmap pm(size.isEmpty() ? QSize(1, 1) : size);
  pm.fill(background);
  QPainter p(&pm);
  const QRect r(QPoint(0, 0), pm.size());
  if (fill.kind == 2) {
    QLinearGradient g(r.topLeft(), fill.gradientMode == 2 ? r.topRight() : r.bottomLeft());
    g.setColorAt(0, colorOf(fill.gradientColor1));
    g.setColorAt(1, colorOf(fill.gradientColor2));
    p.fillRect(r, g);
  } else if (fill.kind == 1 && !picture.isNull()) {
    switch (fill.pictureMode) {
      case 2:
        p.drawPixmap((r.width() - picture.width()) / 2, (r.height() - picture.height()) / 2, picture);
        break;
      case 3:
        p.drawPixmap(r, picture);
        break;
      default:
        p.drawTiledPixmap(r, picture);
    }
  }
  return pm;
}

const QPixmap& BackgroundFill::textFill(const QSize& size) {
  if (size != textCacheSize) {
    textCache = renderFill(text, textPicture, size, colorOf(paper));
    textCacheSize = size;
  }
  return textCache;
}

const QPixmap& BackgroundFill::gutterFill(const QSize& size) {
  if (size != gutterCacheSize) {
    gutterCache = renderFill(gutter, gutterPicture, size, colorOf(gutter.plainColor));
    gutterCacheSize = size;
  }
  return gutterCache;
}

namespace {

// Forwards every drawing call to the real painter, replacing solid fills in
// the sentinel colours by the fill pictures.
class ForwardingEngine : public QPaintEngine {
 public:
  ForwardingEngine() : QPaintEngine(QPaintEngine::AllFeatures) {}

  QPainter* target = nullptr;
  const QPixmap* textFill = nullptr;
  QPoint textOrigin;
  const QPixmap* gutterFill = nullptr;
  QPoint gutterOrigin;

  bool begin(QPaintDevice*) override { return true; }
  bool end() override { return true; }
  Type type() const override { return QPaintEngine::User; }

  void updateState(const QPaintEngineState& s) override {
    const DirtyFlags f = s.state();
    if (f & DirtyPen) target->setPen(s.pen());
    if (f & DirtyBrush) target->setBrush(s.brush());
    if (f & DirtyBrushOrigin) target->setBrushOrigin(s.brushOrigin());
    if (f & DirtyFont) target->setFont(s.font());
    if (f & DirtyBackground) target->setBackground(s.backgroundBrush());
    if (f & DirtyBackgroundMode) target->setBackgroundMode(s.backgroundMode());
    if (f & DirtyTransform) target->setTransform(s.transform());
    if (f & DirtyClipEnabled) target->setClipping(s.isClipEnabled());
    if (f & DirtyClipRegion) target->setClipRegion(s.clipRegion(), s.clipOperation());
    if (f & DirtyClipPath) target->setClipPath(s.clipPath(), s.clipOperation());
    if (f & DirtyHints) target->setRenderHints(s.renderHints());
    if (f & DirtyCompositionMode) target->setCompositionMode(s.compositionMode());
    if (f & DirtyOpacity) target->setOpacity(s.opacity());
    brush_ = (f & DirtyBrush) ? s.brush() : brush_;
    pen_ = (f & DirtyPen) ? s.pen() : pen_;
  }

  bool replaceFill(const QRectF& r) {
    if (pen_.style() != Qt::NoPen || brush_.style() != Qt::SolidPattern) return false;
    const QColor c = brush_.color();
    const QPixmap* pm = nullptr;
    QPoint origin;
    if (textFill && c == EditingControl::kPaperSentinel) {
      pm = textFill;
      origin = textOrigin;
    } else if (gutterFill && c == EditingControl::kGutterSentinel) {
      pm = gutterFill;
      origin = gutterOrigin;
    }
    if (!pm) return false;
    const QRectF mapped = target->transform().mapRect(r);
    const QRectF source = mapped.translated(-origin);
    target->save();
    target->resetTransform();
    target->drawPixmap(mapped, *pm, source);
    target->restore();
    return true;
  }

  void drawRects(const QRect* rects, int n) override {
    for (int i = 0; i < n; ++i)
      if (!replaceFill(rects[i])) target->drawRect(rects[i]);
  }
  void drawRects(const QRectF* rects, int n) override {
    for (int i = 0; i < n; ++i)
      if (!replaceFill(rects[i])) target->drawRect(rects[i]);
  }
  void drawLines(const QLine* lines, int n) override { target->drawLines(lines, n); }
  void drawLines(const QLineF* lines, int n) override { target->drawLines(lines, n); }
  void drawEllipse(const QRectF& r) override { target->drawEllipse(r); }
  void drawEllipse(const QRect& r) override { target->drawEllipse(r); }
  void drawPath(const QPainterPath& path) override {
    if (path.elementCount() == 5 && replaceFill(path.boundingRect())) return;
    target->drawPath(path);
  }
  void drawPoints(const QPointF* p, int n) override { target->drawPoints(p, n); }
  void drawPoints(const QPoint* p, int n) override { target->drawPoints(p, n); }
  void drawPolygon(const QPointF* p, int n, PolygonDrawMode mode) override {
    if (mode == PolylineMode) target->drawPolyline(p, n);
    else target->drawPolygon(p, n, mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
  }
  void drawPolygon(const QPoint* p, int n, PolygonDrawMode mode) override {
    if (mode == PolylineMode) target->drawPolyline(p, n);
    else target->drawPolygon(p, n, mode == WindingMode ? Qt::WindingFill : Qt::OddEvenFill);
  }
  void drawPixmap(const QRectF& r, const QPixmap& pm, const QRectF& sr) override { target->drawPixmap(r, pm, sr); }
  void drawTiledPixmap(const QRectF& r, const QPixmap& pm, const QPointF& s) override {
    target->drawTiledPixmap(r, pm, s);
  }
  void drawImage(const QRectF& r, const QImage& img, const QRectF& sr, Qt::ImageConversionFlags flags) override {
    target->drawImage(r, img, sr, flags);
  }
  void drawTextItem(const QPointF& p, const QTextItem& ti) override { target->drawTextItem(p, ti); }

 private:
  QBrush brush_;
  QPen pen_;
};

// A paint device that looks like the viewport but paints through the engine.
class ForwardingDevice : public QPaintDevice {
 public:
  ForwardingDevice(QWidget* like, ForwardingEngine* engine) : like_(like), engine_(engine) {}
  QPaintEngine* paintEngine() const override { return engine_; }

 protected:
  int metric(PaintDeviceMetric m) const override {
    switch (m) {
      case PdmDevicePixelRatio: return 1;
      case PdmDevicePixelRatioScaled: return static_cast<int>(devicePixelRatioFScale());
      case PdmWidth: return like_->width();
      case PdmHeight: return like_->height();
      case PdmWidthMM: return like_->widthMM();
      case PdmHeightMM: return like_->heightMM();
      case PdmNumColors: return like_->colorCount();
      case PdmDepth: return like_->depth();
      case PdmDpiX: return like_->logicalDpiX();
      case PdmDpiY: return like_->logicalDpiY();
      case PdmPhysicalDpiX: return like_->physicalDpiX();
      case PdmPhysicalDpiY: return like_->physicalDpiY();
      default: return 0;
    }
  }

 private:
  QWidget* like_;
  ForwardingEngine* engine_;
};

}  // namespace

int gutterWidthOf(const EditingControl* m) {
  int w = 0;
  for (int i = 0; i < 5; ++i) w += m->marginWidth(i);
  return w;
}

void EditingControl::paintEvent(QPaintEvent* e) {
  const bool fills = fill_->textActive() || fill_->gutterActive();
  if (inRender_ || (!fills && !separators_)) {
    QsciScintilla::paintEvent(e);
    if (!inRender_ && separators_) {
      QPainter p(viewport());
      paintSeparators(p, e->rect());
    }
    return;
  }
  QWidget* vp = viewport();
  QPainter painter(vp);
  if (fills) {
    const int gutter = gutterWidthOf(this);
    ForwardingEngine engine;
    engine.target = &painter;
    const QSize textSize(std::max(1, vp->width() - gutter), std::max(1, vp->height()));
    if (fill_->textActive()) {
      engine.textFill = &fill_->textFill(textSize);
      engine.textOrigin = QPoint(gutter, 0);
    }
    if (fill_->gutterActive() && gutter > 0) {
      engine.gutterFill = &fill_->gutterFill(QSize(gutter, std::max(1, vp->height())));
      engine.gutterOrigin = QPoint(0, 0);
    }
    ForwardingDevice device(vp, &engine);
    const QRegion region = e->region();
    inRender_ = true;
    vp->setAttribute(Qt::WA_WState_InPaintEvent, false);
    vp->render(&device, region.boundingRect().topLeft(), region, QWidget::RenderFlags());
    vp->setAttribute(Qt::WA_WState_InPaintEvent, true);
    inRender_ = false;
    painter.resetTransform();
    painter.setClipRegion(region);
  } else {
    QsciScintilla::paintEvent(e);
  }
  if (separators_) paintSeparators(painter, e->rect());
}

void EditingControl::paintSeparators(QPainter& p, const QRect& clip) {
  const long first = SendScintilla(SCI_GETFIRSTVISIBLELINE);
  const long onScreen = SendScintilla(SCI_LINESONSCREEN) + 1;
  const long lineHeight = SendScintilla(SCI_TEXTHEIGHT, 0L);
  if (lineHeight <= 0) return;
  const int left = gutterWidthOf(this);
  QColor c = colorOf(textColor_);
  c.setAlpha(60);
  p.save();
  p.setPen(c);
  const long lineCount = SendScintilla(SCI_GETLINECOUNT);
  for (long v = first; v < first + onScreen; ++v) {
    const long doc = SendScintilla(SCI_DOCLINEFROMVISIBLE, v);
    if (doc >= lineCount) break;
    // A wrapped line gets its separator under its last display line only.
    if (SendScintilla(SCI_DOCLINEFROMVISIBLE, v + 1) == doc) continue;
    const int y = static_cast<int>((v - first + 1) * lineHeight) - 1;
    if (y < clip.top() - 1 || y > clip.bottom() + 1) continue;
    p.drawLine(left, y, viewport()->width(), y);
  }
  p.restore();
}

void EditingControl::resizeEvent(QResizeEvent* e) {
  fill_->invalidate();
  QsciScintilla::resizeEvent(e);
}

}  // namespace kiv
