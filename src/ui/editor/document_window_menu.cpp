// The context menu of the document window.

#include <QActionGroup>
#include <QMenu>

#include "core/charsets/charset_id.h"
#include "ui/editor/control/editing_control.h"
#include "ui/editor/document_window.h"
#include "ui/editor/editor_interface.h"

namespace kiv {

void DocumentWindow::buildContextMenu() {
  menu_ = new QMenu(this);
  menu_->setObjectName(QStringLiteral("PopupMenu1"));
  menu_->addAction(QStringLiteral("Копировать"), this, [this] { editor_->copy(); });
  menu_->addAction(QStringLiteral("Вставить"), this, [this] { editor_->paste(); });
  menu_->addAction(QStringLiteral("Вырезать"), this, [this] { editor_->cut(); });
  menu_->addSeparator();
  menu_->addAction(QStringLiteral("Windows"), this, [this] { setCharset(std::string(charset::kWin)); });
  menu_->addAction(QStringLiteral("KOI8-R"), this, [this] { setCharset(std::string(charset::kKoi)); });
  menu_->addAction(QStringLiteral("DOS"), this, [this] { setCharset(std::string(charset::kDos)); });
  menu_->addSeparator();
  menu_->addAction(QStringLiteral("Toggle breakpoint"), this, [this] { control_->toggleBreakPoint(); });
  QMenu* set = menu_->addMenu(QStringLiteral("Установить локальную закладку"));
  QMenu* go = menu_->addMenu(QStringLiteral("Перейти на локальную закладку"));
  QMenu* del = menu_->addMenu(QStringLiteral("Удалить локальную закладку"));
  for (int n = 1; n <= 9; ++n) {
    const QString caption = QString::number(n);
    set->addAction(caption, this, [this, n] { control_->toggleBookmark(n); });
    go->addAction(caption, this, [this, n] { control_->gotoBookmark(n); });
    del->addAction(caption, this, [this, n] { control_->removeBookmark(n); });
  }
  menu_->addSeparator();
  QMenu* selMode = menu_->addMenu(QStringLiteral("Режим выделения"));
  selectionGroup_ = new QActionGroup(this);
  QAction* stream = selMode->addAction(QStringLiteral("Поточный"), this, [this] { control_->setColumnSelection(false); });
  QAction* column = selMode->addAction(QStringLiteral("Блочный"), this, [this] { control_->setColumnSelection(true); });
  for (QAction* a : {stream, column}) {
    a->setCheckable(true);
    selectionGroup_->addAction(a);
  }
  stream->setChecked(true);
  QMenu* eol = menu_->addMenu(QStringLiteral("Режим конца строки"));
  lineEndGroup_ = new QActionGroup(this);
  const struct {
    const char* caption;
    EditingControl::LineEnd mode;
  } ends[] = {{"Windows", EditingControl::LineEnd::Windows},
              {"UNIX", EditingControl::LineEnd::Unix},
              {"MAC", EditingControl::LineEnd::Mac}};
  for (const auto& e : ends) {
    QAction* a = eol->addAction(QString::fromLatin1(e.caption));
    a->setCheckable(true);
    const auto mode = e.mode;
    connect(a, &QAction::triggered, this, [this, mode] { control_->setStreamLineEnd(mode); });
    lineEndGroup_->addAction(a);
    if (mode == EditingControl::LineEnd::Windows) a->setChecked(true);
  }
  menu_->addSeparator();
  menu_->addAction(QStringLiteral("Открыть выделенный файл"), this, [this] { openNamedFile(false); });
  menu_->addAction(QStringLiteral("Посмотреть выделенный файл"), this, [this] { openNamedFile(true); });
}

}  // namespace kiv
