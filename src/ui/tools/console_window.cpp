#include "ui/tools/console_window.h"

#include <QEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

namespace kiv {

ConsoleWindow::ConsoleWindow(MainWindow* main) : ToolWindow(main, QStringLiteral("ConsoleWindow"), QStringLiteral("Infoconsole"), true) {
  setWindowFlags((windowFlags() | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint) &
                 ~Qt::WindowMaximizeButtonHint);
  auto* l = new QVBoxLayout(this);
  l->setContentsMargins(2, 2, 2, 2);
  box_ = new QPlainTextEdit(this);
  box_->setObjectName(QStringLiteral("Memo1"));
  box_->setReadOnly(true);
  box_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QPalette pal = box_->palette();
  pal.setColor(QPalette::Base, Qt::white);
  pal.setColor(QPalette::Text, Qt::black);
  box_->setPalette(pal);
  box_->setPlainText(QStringLiteral(">Information console ver 1.0\n>Status information updating"));
  l->addWidget(box_, 1);
  auto* clear = new QPushButton(QStringLiteral("CLEAR"), this);
  clear->setObjectName(QStringLiteral("Button1"));
  connect(clear, &QPushButton::clicked, this, &ConsoleWindow::clear);
  l->addWidget(clear);
  resize(460, 280);
  hide();
}

void ConsoleWindow::appendLine(const QString& text) {
  box_->appendPlainText(QStringLiteral("con> ") + text);
  scrollToEnd();
}

void ConsoleWindow::clear() { box_->clear(); }

QString ConsoleWindow::text() const { return box_->toPlainText(); }

void ConsoleWindow::scrollToEnd() { box_->verticalScrollBar()->setValue(box_->verticalScrollBar()->maximum()); }

bool ConsoleWindow::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate || e->type() == QEvent::Show) scrollToEnd();
  return ToolWindow::event(e);
}

}  // namespace kiv
