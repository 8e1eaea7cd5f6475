// The two-tab button bar on the right edge of the main window.

#include <QAction>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "ui/app/main_window.h"
#include "ui/commands/command_table.h"
#include "ui/commands/web_buttons.h"
#include "ui/common/icons.h"
#include "ui/editor/control/background_fill.h"
#include "ui/editor/editor_interface.h"

namespace kiv {

void MainWindow::buildToolBar() {
  auto* bar = new QToolBar(QStringLiteral("qibTabBar1"), this);
  bar->setObjectName(QStringLiteral("qibTabBar1"));
  bar->setMovable(false);
  bar->setFloatable(false);
  addToolBar(Qt::RightToolBarArea, bar);
  tabs_ = new QTabWidget(bar);
  tabs_->setObjectName(QStringLiteral("qibTabs"));
  tabs_->setDocumentMode(true);
  bar->addWidget(tabs_);

  std::map<QString, QVBoxLayout*> pages;
  auto page = [&](const QString& tab) {
    auto it = pages.find(tab);
    if (it != pages.end()) return it->second;
    auto* w = new QWidget(tabs_);
    w->setObjectName(tab == QStringLiteral("Главные") ? QStringLiteral("qibTabSection1") : QStringLiteral("qibTabSection2"));
    if (tab == QStringLiteral("Главные")) {
      w->setAttribute(Qt::WA_StyledBackground, true);
      w->setStyleSheet(QStringLiteral("#qibTabSection1 { background: %1; }").arg(colorOf(6731252).name()));
    }
    auto* l = new QVBoxLayout(w);
    l->setContentsMargins(3, 4, 3, 4);
    l->setSpacing(2);
    tabs_->addTab(w, tab);
    pages[tab] = l;
    return l;
  };

  for (const auto& b : toolButtons()) {
    QVBoxLayout* l = page(QString::fromUtf8(b.tab));
    const QString component = QString::fromLatin1(b.component);
    if (component == QLatin1String("UpDown1")) {
      auto* box = new QWidget;
      box->setObjectName(component);
      auto* bl = new QVBoxLayout(box);
      bl->setContentsMargins(0, 0, 0, 0);
      bl->setSpacing(0);
      for (const char* dir : {"up", "down"}) {
        auto* arrow = new QToolButton(box);
        arrow->setObjectName(component + QLatin1Char('_') + QLatin1String(dir));
        arrow->setIcon(toolIcon(QLatin1String(dir)));
        arrow->setIconSize(QSize(16, 10));
        arrow->setToolTip(QString::fromUtf8(b.tooltip));
        arrow->setAutoRaise(true);
        arrow->setFixedSize(44, 16);
        const bool up = QLatin1String(dir) == QLatin1String("up");
        connect(arrow, &QToolButton::clicked, this, [this, up] {
          if (!hasDocument()) return;
          if (up) editor_->scrollLines(-1);
          else editor_->scrollLines(1);
        });
        bl->addWidget(arrow);
      }
      l->addWidget(box, 0, Qt::AlignHCenter);
      continue;
    }
    auto* button = new QToolButton;
    button->setObjectName(component);
    button->setToolTip(QString::fromUtf8(b.tooltip));
    button->setAutoRaise(true);
    button->setFixedSize(44, 32);
    if (QString::fromUtf8(b.tab) == QStringLiteral("Главные")) {
      button->setIcon(toolIcon(QString::fromLatin1(b.picture)));
      button->setIconSize(QSize(24, 24));
    } else {
      button->setText(QString::fromUtf8(b.picture));
      QFont f = button->font();
      f.setBold(true);
      button->setFont(f);
    }
    QAction* runs = *b.runs ? action(QString::fromLatin1(b.runs)) : nullptr;
    if (runs) {
      connect(button, &QToolButton::clicked, runs, &QAction::trigger);
      button->setEnabled(runs->isEnabled());
      connect(runs, &QAction::changed, button, [button, runs] { button->setEnabled(runs->isEnabled()); });
    } else if (const WebButton* web = findWebButton(b.component)) {
      attachWebButton(*this, button, *web);
    } else {
      button->setEnabled(false);
      button->setToolTip(QString::fromUtf8(b.tooltip) + QStringLiteral(" — ") + QString::fromUtf8(kNotYetHint));
    }
    l->addWidget(button, 0, Qt::AlignHCenter);
  }
  for (auto& [tab, l] : pages) l->addStretch(1);

}

void MainWindow::updateEditActions() {
  // Cut and Copy follow the selection; with no document open they keep their state.
  if (!editor_ || !hasDocument()) return;
  const bool sel = editor_->hasSelection();
  for (const char* c : {"EditCutItem", "EditCopyItem"})
    if (QAction* a = action(QString::fromLatin1(c)); a && a->isEnabled() != sel) a->setEnabled(sel);
}

}  // namespace kiv
