#include "ui/app/documents_list.h"

#include <QAction>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>

#include "ui/app/main_window.h"
#include "ui/common/qt_text.h"
#include "ui/editor/document_window.h"
#include "ui/editor/editor_interface.h"
#include "ui/tools/documents_window.h"
#include "ui/tools/tool_window.h"

namespace kiv {

QString menuCaption(const QString& text) {
  QString s = text;
  s.replace(QLatin1Char('&'), QStringLiteral("&&"));
  return s;
}

DocumentsList::DocumentsList(MainWindow* main, QMenu* menu) : QObject(main), main_(main), menu_(menu) {}

DocumentsList::Entry* DocumentsList::find(DocumentWindow* doc) {
  for (auto& e : entries_)
    if (e.doc == doc) return &e;
  return nullptr;
}

const DocumentsList::Entry* DocumentsList::find(DocumentWindow* doc) const {
  for (const auto& e : entries_)
    if (e.doc == doc) return &e;
  return nullptr;
}

void DocumentsList::add(DocumentWindow* doc) {
  if (!doc || find(doc)) return;
  Entry e;
  e.doc = doc;
  const QString name = qpath(doc->fileName());
  auto& freeSlots = main_->settings().docSlotFree;
  for (int i = 0; i < 10; ++i) {
    if (freeSlots[i]) {
      freeSlots[i] = false;
      e.slot = i;
      break;
    }
  }
  e.action = new QAction(menuCaption(name), menu_);
  if (e.slot >= 0) e.action->setShortcut(QKeySequence(Qt::ALT | static_cast<Qt::Key>(Qt::Key_0 + e.slot)));
  e.action->setShortcutContext(Qt::ApplicationShortcut);
  QPointer<DocumentWindow> target = doc;
  connect(e.action, &QAction::triggered, this, [this, target] {
    if (target) activate(target);
  });
  menu_->addAction(e.action);
  main_->addAction(e.action);
  if (auto* w = main_->tools().get<DocumentsWindow>(QStringLiteral("DocumentsWindow"))) {
    e.item = new QListWidgetItem(name, w->list());
  }
  entries_.push_back(e);
}

void DocumentsList::remove(DocumentWindow* doc) {
  for (auto it = entries_.begin(); it != entries_.end(); ++it) {
    if (it->doc != doc) continue;
    if (it->slot >= 0) main_->settings().docSlotFree[it->slot] = true;
    main_->removeAction(it->action);
    delete it->action;
    delete it->item;
    entries_.erase(it);
    return;
  }
}

void DocumentsList::rename(DocumentWindow* doc) {
  remove(doc);
  add(doc);
}

void DocumentsList::activate(DocumentWindow* doc) {
  if (!doc) return;
  QMdiArea* area = main_->documentArea();
  for (QMdiSubWindow* sub : area->subWindowList())
    if (sub->isMinimized()) sub->showNormal();
  if (QMdiSubWindow* sub = doc->subWindow()) {
    area->setActiveSubWindow(sub);
    sub->raise();
  }
  main_->setHostCaption(qpath(doc->fileName()));
}

void DocumentsList::activateItem(QListWidgetItem* item) {
  for (const auto& e : entries_)
    if (e.item == item && e.doc) return activate(e.doc);
}

QAction* DocumentsList::menuItemOf(DocumentWindow* doc) const {
  const Entry* e = find(doc);
  return e ? e->action : nullptr;
}

QListWidgetItem* DocumentsList::listItemOf(DocumentWindow* doc) const {
  const Entry* e = find(doc);
  return e ? e->item : nullptr;
}

int DocumentsList::slotOf(DocumentWindow* doc) const {
  const Entry* e = find(doc);
  return e ? e->slot : -1;
}

}  // namespace kiv
