#include "ui/common/icons.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace kiv {

namespace {

void page(QPainter& p, QRectF r, const QColor& fill) {
  QPainterPath path;
  path.moveTo(r.left(), r.top());
  path.lineTo(r.right() - 5, r.top());
  path.lineTo(r.right(), r.top() + 5);
  path.lineTo(r.right(), r.bottom());
  path.lineTo(r.left(), r.bottom());
  path.closeSubpath();
  p.setBrush(fill);
  p.drawPath(path);
  p.drawLine(QPointF(r.right() - 5, r.top()), QPointF(r.right() - 5, r.top() + 5));
  p.drawLine(QPointF(r.right() - 5, r.top() + 5), QPointF(r.right(), r.top() + 5));
}

void textLines(QPainter& p, QRectF r, int n) {
  p.save();
  p.setPen(QPen(QColor(0x70, 0x80, 0x90), 1));
  for (int i = 0; i < n; ++i) {
    const qreal y = r.top() + 4 + i * 3;
    p.drawLine(QPointF(r.left() + 3, y), QPointF(r.right() - 3 - (i % 2) * 3, y));
  }
  p.restore();
}

void folder(QPainter& p, QRectF r) {
  QPainterPath tab;
  tab.moveTo(r.left(), r.top() + 3);
  tab.lineTo(r.left() + 7, r.top() + 3);
  tab.lineTo(r.left() + 9, r.top() + 5);
  tab.lineTo(r.right(), r.top() + 5);
  tab.lineTo(r.right(), r.bottom());
  tab.lineTo(r.left(), r.bottom());
  tab.closeSubpath();
  p.setBrush(QColor(0xF2, 0xC1, 0x4E));
  p.drawPath(tab);
}

}  // namespace

QIcon toolIcon(const QString& name) {
  QPixmap pm(24, 24);
  pm.fill(Qt::transparent);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  const QPen outline(QColor(0x30, 0x38, 0x48), 1.2);
  p.setPen(outline);
  if (name == QLatin1String("new")) {
    page(p, QRectF(5, 2, 14, 20), Qt::white);
    p.setPen(QPen(QColor(0xE0, 0x90, 0x10), 2));
    p.drawLine(QPointF(15, 15), QPointF(15, 21));
    p.drawLine(QPointF(12, 18), QPointF(18, 18));
  } else if (name == QLatin1String("open")) {
    folder(p, QRectF(2, 4, 20, 16));
    p.setBrush(QColor(0xFF, 0xDE, 0x86));
    QPolygonF flap;
    flap << QPointF(5, 10) << QPointF(23, 10) << QPointF(20, 20) << QPointF(2, 20);
    p.drawPolygon(flap);
  } else if (name == QLatin1String("save")) {
    p.setBrush(QColor(0x35, 0x5C, 0xA8));
    p.drawRoundedRect(QRectF(3, 3, 18, 18), 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(6, 3, 12, 7));
    p.setBrush(QColor(0xC8, 0xD0, 0xDC));
    p.drawRect(QRectF(7, 14, 10, 7));
  } else if (name == QLatin1String("print")) {
    page(p, QRectF(7, 2, 10, 9), Qt::white);
    p.setBrush(QColor(0x90, 0x98, 0xA8));
    p.drawRoundedRect(QRectF(3, 9, 18, 9), 2, 2);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(7, 15, 10, 7));
  } else if (name == QLatin1String("copy")) {
    page(p, QRectF(3, 2, 11, 14), QColor(0xEE, 0xF2, 0xF8));
    page(p, QRectF(9, 8, 11, 14), Qt::white);
    textLines(p, QRectF(9, 10, 11, 10), 3);
  } else if (name == QLatin1String("cut")) {
    p.setPen(QPen(QColor(0x30, 0x38, 0x48), 1.6));
    p.drawLine(QPointF(8, 3), QPointF(15, 15));
    p.drawLine(QPointF(16, 3), QPointF(9, 15));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0xC0, 0x20, 0x20), 1.8));
    p.drawEllipse(QPointF(7.5, 18), 3.2, 3.2);
    p.drawEllipse(QPointF(16.5, 18), 3.2, 3.2);
  } else if (name == QLatin1String("paste")) {
    p.setBrush(QColor(0xC8, 0x96, 0x5A));
    p.drawRoundedRect(QRectF(3, 4, 14, 18), 2, 2);
    p.setBrush(QColor(0xB0, 0xB8, 0xC4));
    p.drawRect(QRectF(7, 2, 6, 4));
    page(p, QRectF(10, 9, 11, 13), Qt::white);
    textLines(p, QRectF(10, 11, 11, 9), 3);
  } else if (name == QLatin1String("undo")) {
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x20, 0x70, 0x30), 2.4, Qt::SolidLine, Qt::RoundCap));
    QPainterPath arc;
    arc.moveTo(7, 10);
    arc.cubicTo(12, 4, 22, 8, 19, 16);
    arc.cubicTo(17, 20, 12, 20, 10, 19);
    p.drawPath(arc);
    p.setBrush(QColor(0x20, 0x70, 0x30));
    p.setPen(Qt::NoPen);
    QPolygonF head;
    head << QPointF(3, 9) << QPointF(10, 4) << QPointF(10, 14);
    p.drawPolygon(head);
  } else if (name == QLatin1String("bookmarks")) {
    page(p, QRectF(4, 2, 14, 20), Qt::white);
    p.setBrush(QColor(0xD0, 0x20, 0x30));
    QPolygonF ribbon;
    ribbon << QPointF(12, 1) << QPointF(18, 1) << QPointF(18, 13) << QPointF(15, 10) << QPointF(12, 13);
    p.drawPolygon(ribbon);
  } else if (name == QLatin1String("info")) {
    p.setBrush(QColor(0x2A, 0x6C, 0xC8));
    p.drawEllipse(QRectF(2, 2, 20, 20));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(12, 7), 1.7, 1.7);
    p.drawRoundedRect(QRectF(10.4, 10, 3.2, 9), 1, 1);
  } else if (name == QLatin1String("browser")) {
    folder(p, QRectF(2, 2, 13, 10));
    folder(p, QRectF(9, 12, 13, 10));
    p.setPen(QPen(QColor(0x30, 0x38, 0x48), 1));
    p.drawLine(QPointF(5, 12), QPointF(5, 18));
    p.drawLine(QPointF(5, 18), QPointF(9, 18));
  } else if (name == QLatin1String("up") || name == QLatin1String("down")) {
    p.setBrush(QColor(0x40, 0x50, 0x68));
    QPolygonF tri;
    if (name == QLatin1String("up")) tri << QPointF(12, 6) << QPointF(20, 17) << QPointF(4, 17);
    else tri << QPointF(4, 7) << QPointF(20, 7) << QPointF(12, 18);
    p.drawPolygon(tri);
  }
  return QIcon(pm);
}

}  // namespace kiv
