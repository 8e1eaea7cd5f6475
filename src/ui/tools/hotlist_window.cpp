#include "ui/tools/hotlist_window.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/filebrowser/hotlist_file.h"
#include "ui/app/main_window.h"
#include "ui/common/dialogs.h"
#include "ui/common/qt_text.h"
#include "ui/tools/file_browser_window.h"

namespace kiv {

HotlistWindow::HotlistWindow(MainWindow* main) : ToolWindow(main, QStringLiteral("HotlistWindow"), QStringLiteral("Hotlist"), true) {
  auto* l = new QVBoxLayout(this);
  l->setContentsMargins(2, 2, 2, 2);
  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("ListBox1"));
  list_->installEventFilter(this);
  l->addWidget(list_, 1);
  auto* buttons = new QHBoxLayout;
  auto* add = new QPushButton(QStringLiteral("+"), this);
  add->setObjectName(QStringLiteral("btAdd"));
  auto* remove = new QPushButton(QStringLiteral("-"), this);
  remove->setObjectName(QStringLiteral("btRemove"));
  buttons->addWidget(add);
  buttons->addWidget(remove);
  l->addLayout(buttons);
  connect(add, &QPushButton::clicked, this, &HotlistWindow::addBrowserFolder);
  connect(remove, &QPushButton::clicked, this, &HotlistWindow::removeCurrent);
  connect(list_, &QListWidget::itemActivated, this, &HotlistWindow::openCurrent);
  resize(300, 240);

  path_ = qpath(main->paths().hotlistFile());
  if (const auto folders = readHotlist(spath(path_))) {
    for (const std::string& f : *folders) list_->addItem(qpath(f));
  } else {
    loaded_ = false;
    showError(main, QStringLiteral("Не удалось прочитать список быстрых директорий %1; он не будет перезаписан.").arg(path_));
  }
}

HotlistWindow::~HotlistWindow() {
  // At the end of the program: the main window and its settings are gone,
  // only what this window holds is used.
  if (loaded_) {
    std::vector<std::string> folders;
    for (const QString& f : this->folders()) folders.push_back(spath(f));
    writeHotlist(spath(path_), folders);
  }
}

bool HotlistWindow::save() {
  if (!loaded_) return false;
  std::vector<std::string> folders;
  for (const QString& f : this->folders()) folders.push_back(spath(f));
  std::string why;
  if (writeHotlist(spath(path_), folders, &why)) return true;
  showError(this, QStringLiteral("Не удалось записать %1: %2").arg(path_, qs(why)));
  return false;
}

QStringList HotlistWindow::folders() const {
  QStringList out;
  for (int i = 0; i < list_->count(); ++i) out << list_->item(i)->text();
  return out;
}

void HotlistWindow::addBrowserFolder() {
  if (auto* browser = mainWindow()->tools().get<FileBrowserWindow>(QStringLiteral("FileBrowserWindow")))
    list_->addItem(browser->folder());
}

void HotlistWindow::removeCurrent() {
  const int row = list_->currentRow();
  if (row < 0 || !list_->currentItem()->isSelected()) return;
  delete list_->takeItem(row);
}

void HotlistWindow::openCurrent() {
  QListWidgetItem* item = list_->currentItem();
  if (!item || !item->isSelected()) return;
  if (auto* browser = mainWindow()->tools().get<FileBrowserWindow>(QStringLiteral("FileBrowserWindow"))) {
    browser->goToFolder(item->text());
    browser->setWindowTitle(item->text());
    browser->show();
  }
}

bool HotlistWindow::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate) list_->setFocus();
  return ToolWindow::event(e);
}

bool HotlistWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list_ && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
      openCurrent();
      return true;
    }
  }
  return ToolWindow::eventFilter(watched, event);
}

}  // namespace kiv
