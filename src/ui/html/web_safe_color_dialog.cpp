#include "ui/html/web_safe_color_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/common/qt_text.h"

namespace kiv {

namespace {

QColor qcolor(Rgb c) { return QColor(c.red, c.green, c.blue); }

void paintSample(QLabel* sample, Rgb c) {
  sample->setStyleSheet(QStringLiteral("background: %1; border: 1px solid black;").arg(qcolor(c).name()));
}

QPixmap paletteImage() {
  QPixmap image(kWebSafeSide, kWebSafeSide);
  image.fill(Qt::white);
  QPainter p(&image);
  for (int i = 0; i < kWebSafeCount; ++i)
    p.fillRect(i % kWebSafePerRow * kWebSafeCell, i / kWebSafePerRow * kWebSafeCell, kWebSafeCell, kWebSafeCell,
               qcolor(webSafeColor(i)));
  return image;
}

}  // namespace

WebSafePalette::WebSafePalette(QWidget* parent) : QLabel(parent) {
  setObjectName(QStringLiteral("paletteImage"));
  setPixmap(paletteImage());
  setFixedSize(kWebSafeSide, kWebSafeSide);
  setMouseTracking(true);
}

void WebSafePalette::mouseMoveEvent(QMouseEvent* e) {
  emit hovered(webSafeIndexAt(e->position().toPoint().x(), e->position().toPoint().y()));
}

void WebSafePalette::mouseReleaseEvent(QMouseEvent* e) {
  if (rect().contains(e->position().toPoint()))
    emit released(webSafeIndexAt(e->position().toPoint().x(), e->position().toPoint().y()));
}

WebSafeColorDialog::WebSafeColorDialog(QWidget* parent) : QDialog(parent, Qt::Dialog | Qt::WindowStaysOnTopHint) {
  setObjectName(QStringLiteral("websafeF"));
  setWindowTitle(QStringLiteral("Websafe Colors"));
  palette_ = new WebSafePalette(this);
  hoverLabel_ = new QLabel(QStringLiteral("Color"), this);
  hoverLabel_->setObjectName(QStringLiteral("Label1"));
  hoverSample_ = new QLabel(this);
  hoverSample_->setFixedSize(40, 20);
  paintSample(hoverSample_, {255, 255, 255});

  auto* slotGrid = new QGridLayout;
  for (int i = 0; i < 3; ++i) {
    radios_[i] = new QRadioButton(this);
    radios_[i]->setObjectName(QStringLiteral("RadioButton%1").arg(i + 1));
    samples_[i] = new QLabel(this);
    samples_[i]->setFixedSize(24, 20);
    edits_[i] = new QLineEdit(QStringLiteral("#000000"), this);
    edits_[i]->setObjectName(QStringLiteral("Edit%1").arg(i + 1));
    colors_[i] = {};
    paintSample(samples_[i], colors_[i]);
    slotGrid->addWidget(radios_[i], i, 0);
    slotGrid->addWidget(samples_[i], i, 1);
    slotGrid->addWidget(edits_[i], i, 2);
  }
  radios_[0]->setChecked(true);

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("Button1"));
  ok->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  cancel->setObjectName(QStringLiteral("Button2"));
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* side = new QVBoxLayout;
  auto* hover = new QHBoxLayout;
  hover->addWidget(hoverLabel_);
  hover->addWidget(hoverSample_);
  side->addLayout(hover);
  side->addLayout(slotGrid);
  side->addStretch(1);
  side->addWidget(ok);
  side->addWidget(cancel);
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(palette_);
  layout->addLayout(side);

  connect(palette_, &WebSafePalette::hovered, this, &WebSafeColorDialog::showHovered);
  connect(palette_, &WebSafePalette::released, this, &WebSafeColorDialog::putInCheckedSlot);
}

WebSafeColorDialog* WebSafeColorDialog::of(QWidget* mainWindow) {
  auto* d = mainWindow->findChild<WebSafeColorDialog*>(QStringLiteral("websafeF"), Qt::FindDirectChildrenOnly);
  return d ? d : new WebSafeColorDialog(mainWindow);
}

void WebSafeColorDialog::showHovered(int index) {
  const Rgb c = webSafeColor(index);
  hoverLabel_->setText(QString::fromLatin1(colorTextLower(c).c_str()));
  paintSample(hoverSample_, c);
}

void WebSafeColorDialog::putInCheckedSlot(int index) {
  const int slot = checkedSlot();
  colors_[slot] = webSafeColor(index);
  edits_[slot]->setText(QString::fromLatin1(colorTextLower(colors_[slot]).c_str()));
  paintSample(samples_[slot], colors_[slot]);
}

int WebSafeColorDialog::checkedSlot() const {
  for (int i = 0; i < 3; ++i)
    if (radios_[i]->isChecked()) return i;
  return 0;
}

std::optional<QString> WebSafeColorDialog::pick() {
  if (exec() != QDialog::Accepted) return std::nullopt;
  return resultText();
}

QString WebSafeColorDialog::resultText() const { return edits_[checkedSlot()]->text(); }
Rgb WebSafeColorDialog::resultColor() const { return colors_[checkedSlot()]; }

}  // namespace kiv
