#include "ui/tools/character_table_window.h"

#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "core/charsets/code_page.h"
#include "ui/app/main_window.h"
#include "ui/editor/control/editing_control.h"
#include "ui/editor/document_window.h"
#include "ui/editor/editor_interface.h"

namespace kiv {

namespace {
// What a cell shows for a byte: its character, a picture for a control
// character, nothing for code 0.
QString cellText(const CodePage& page, int code) {
  if (code == 0) return QString();
  const char32_t cp = page.toUnicode(static_cast<unsigned char>(code));
  if (cp < 0x20) return QString(QChar(static_cast<char16_t>(0x2400 + cp)));
  if (cp == 0x7F) return QString(QChar(0x2421));
  return QString::fromUcs4(&cp, 1);
}
}  // namespace

CharacterTableWindow::CharacterTableWindow(MainWindow* main)
    : ToolWindow(main, QStringLiteral("CharacterTableWindow"), QStringLiteral("Таблица символов"), true), main_(main) {
  auto* layout = new QHBoxLayout(this);
  grid_ = new QTableWidget(16, 16, this);
  grid_->setObjectName(QStringLiteral("StringGrid1"));
  grid_->horizontalHeader()->hide();
  grid_->verticalHeader()->hide();
  grid_->horizontalHeader()->setMinimumSectionSize(10);
  grid_->verticalHeader()->setMinimumSectionSize(10);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  for (int i = 0; i < 16; ++i) {
    grid_->setColumnWidth(i, 24);
    grid_->setRowHeight(i, 24);
  }
  for (int r = 0; r < 16; ++r)
    for (int c = 0; c < 16; ++c) {
      auto* item = new QTableWidgetItem;
      item->setTextAlignment(Qt::AlignCenter);
      grid_->setItem(r, c, item);
    }
  grid_->setFixedSize(24 * 16 + 2 * grid_->frameWidth(), 24 * 16 + 2 * grid_->frameWidth());
  grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  layout->addWidget(grid_);

  auto* side = new QVBoxLayout;
  auto* props = new QGroupBox(QStringLiteral("Свойства"), this);
  auto* propsLayout = new QVBoxLayout(props);
  preview_ = new QLabel(props);
  preview_->setObjectName(QStringLiteral("lblPreview"));
  preview_->setAlignment(Qt::AlignCenter);
  preview_->setMinimumSize(72, 72);
  propsLayout->addWidget(preview_);
  code_ = new QLineEdit(props);
  code_->setObjectName(QStringLiteral("edCode"));
  propsLayout->addWidget(code_);
  side->addWidget(props);
  copyChar_ = new QPushButton(QStringLiteral("Copy char"), this);
  copyChar_->setObjectName(QStringLiteral("btnCopyChar"));
  copyCode_ = new QPushButton(QStringLiteral("Copy code"), this);
  copyCode_->setObjectName(QStringLiteral("btnCopyCode"));
  side->addWidget(copyChar_);
  side->addWidget(copyCode_);
  side->addStretch(1);
  layout->addLayout(side);

  connect(grid_, &QTableWidget::cellClicked, this, [this](int r, int c) { clickCode(16 * r + c); });
  connect(copyChar_, &QPushButton::clicked, this, [this] {
    QTableWidgetItem* item = grid_->currentItem();
    const QString ch = item ? item->text() : QString();
    QApplication::clipboard()->setText(ch);
    code_->setText(ch);
  });
  connect(copyCode_, &QPushButton::clicked, this, [this] { QApplication::clipboard()->setText(code_->text()); });
  connect(main->documentArea(), &QMdiArea::subWindowActivated, this, [this] {
    if (isVisible()) refresh();
  });
  refresh();
  adjustSize();
}

bool CharacterTableWindow::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate || e->type() == QEvent::Show) refresh();
  return ToolWindow::event(e);
}

void CharacterTableWindow::refresh() {
  DocumentWindow* doc = main_->activeDocument();
  const CodePage& page = CodePage::ofCharset(doc ? doc->charset() : std::string("win"));
  if (doc) {
    QFont f = grid_->font();
    f.setFamily(doc->control()->documentFontFamily());
    grid_->setFont(f);
    QFont big = f;
    big.setPointSize(36);
    preview_->setFont(big);
  }
  for (int code = 0; code < 256; ++code) grid_->item(code / 16, code % 16)->setText(cellText(page, code));
}

void CharacterTableWindow::clickCode(int code) {
  if (code < 0 || code > 255) return;
  refresh();
  grid_->setCurrentCell(code / 16, code % 16);
  code_->setText(QString::number(code));
  preview_->setText(grid_->item(code / 16, code % 16)->text());
  // The byte the cell shows goes in at the caret; code 0 stands for nothing.
  if (code == 0 || !main_->hasDocument()) return;
  main_->editor().insertAtCaret(std::string(1, static_cast<char>(code)));
}

}  // namespace kiv
