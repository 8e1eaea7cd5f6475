#include "ui/tools/bookmarks_window.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QMenuBar>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <functional>

#include "core/bookmarks/bookmark_tree.h"
#include "core/charsets/code_page.h"
#include "core/common/file_bytes.h"
#include "ui/app/main_window.h"
#include "ui/common/dialogs.h"
#include "ui/common/qt_text.h"
#include "ui/editor/document_window.h"
#include "ui/editor/editor_interface.h"

namespace kiv {

namespace {

constexpr int kFileRole = Qt::UserRole;
constexpr int kLineRole = Qt::UserRole + 1;

const CodePage& ansi() { return CodePage::get(CodePageId::Win1251); }

// Captions are stored as Windows-1251 text of 255 bytes at most.
QString captionText(const QString& text) {
  return qs(ansi().decodeToUtf8(cutBytes(ansi().encodeFromUtf8(u8(text)))));
}
QString fileText(const QString& text) { return qs(cutUtf8(u8(text))); }

}  // namespace

BookmarksWindow::BookmarksWindow(MainWindow* main)
    : ToolWindow(main, QStringLiteral("BookmarksWindow"), QStringLiteral("ЗАКЛАДКИ"), true),
      main_(main),
      treeFile_(qpath(main->paths().bookmarksFile())) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(2, 2, 2, 2);
  menuBar_ = new QMenuBar(this);
  layout->setMenuBar(menuBar_);
  QMenu* menu = menuBar_->addMenu(QStringLiteral("Закладка"));
  menu->addAction(QStringLiteral("Добавить элемент"), this, &BookmarksWindow::addItem)
      ->setObjectName(QStringLiteral("bmxAdd"));
  menu->addAction(QStringLiteral("Добавить подэлемент"), this, &BookmarksWindow::addChild)
      ->setObjectName(QStringLiteral("bmxAddChild"));
  menu->addAction(QStringLiteral("Обновить текущую"), this, &BookmarksWindow::updateCurrent)
      ->setObjectName(QStringLiteral("bmxUpdate"));
  menu->addAction(QStringLiteral("Удалить"), this, &BookmarksWindow::deleteCurrent)
      ->setObjectName(QStringLiteral("bmxDelete"));

  tree_ = new QTreeWidget(this);
  tree_->setObjectName(QStringLiteral("bmxTree"));
  tree_->setHeaderHidden(true);
  tree_->setColumnCount(1);
  tree_->setRootIsDecorated(true);
  tree_->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
  tree_->setStyleSheet(QStringLiteral("QTreeView::item { border-bottom: 1px solid palette(midlight); }"));
  layout->addWidget(tree_, 1);

  caption_ = new QLineEdit(this);
  caption_->setObjectName(QStringLiteral("bmxCaption"));
  caption_->setToolTip(QStringLiteral("Заголовок закладки редактируйте здесь"));
  caption_->setMaxLength(static_cast<int>(kBookmarkStringMax));
  layout->addWidget(caption_);
  auto* fileRow = new QHBoxLayout;
  file_ = new QLineEdit(this);
  file_->setObjectName(QStringLiteral("bmxFile"));
  file_->setToolTip(QStringLiteral("Имя файла редактируйте здесь"));
  chooseFile_ = new QToolButton(this);
  chooseFile_->setObjectName(QStringLiteral("bmxChooseFile"));
  chooseFile_->setText(QStringLiteral("..."));
  chooseFile_->setToolTip(QStringLiteral("Имя файла редактируйте здесь"));
  fileRow->addWidget(file_, 1);
  fileRow->addWidget(chooseFile_);
  layout->addLayout(fileRow);

  connect(tree_, &QTreeWidget::currentItemChanged, this, &BookmarksWindow::showCurrent);
  connect(tree_, &QTreeWidget::itemClicked, this, &BookmarksWindow::showCurrent);
  connect(tree_, &QTreeWidget::itemDoubleClicked, this, &BookmarksWindow::openBookmark);
  connect(tree_, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item) {
    // In-place editing: the caption, cut to what the file holds.
    const QString cut = captionText(item->text(0));
    if (cut != item->text(0)) {
      QSignalBlocker block(tree_);
      item->setText(0, cut);
    }
    if (item == tree_->currentItem()) showCurrent();
  });
  connect(caption_, &QLineEdit::textEdited, this, [this](const QString& text) {
    if (QTreeWidgetItem* item = tree_->currentItem()) {
      QSignalBlocker block(tree_);
      item->setText(0, captionText(text));
    }
  });
  connect(file_, &QLineEdit::textEdited, this, [this](const QString& text) {
    if (QTreeWidgetItem* item = tree_->currentItem()) item->setData(0, kFileRole, fileText(text));
  });
  connect(chooseFile_, &QToolButton::clicked, this, [this] {
    QTreeWidgetItem* item = tree_->currentItem();
    if (!item) return;
    auto chosen = chooseFilesToOpen(this, QStringLiteral("Открыть"), QFileInfo(fileOf(item)).absolutePath(), {}, false);
    if (!chosen || chosen->isEmpty()) return;
    item->setData(0, kFileRole, fileText(chosen->first()));
    showCurrent();
  });

  const WindowBounds& b = main->config().session.bookmarksWindow;
  setGeometry(b.left, b.top, std::max(60, b.width), std::max(60, b.height));
  loadTree();
}

BookmarksWindow::~BookmarksWindow() { saveTree(); }

QString BookmarksWindow::fileOf(const QTreeWidgetItem* item) { return item->data(0, kFileRole).toString(); }
int BookmarksWindow::lineOf(const QTreeWidgetItem* item) { return item->data(0, kLineRole).toInt(); }

void BookmarksWindow::loadTree() {
  if (!QFileInfo::exists(treeFile_)) return;
  const auto bytes = readFileBytes(spath(treeFile_));
  BookmarkTreeReading reading;
  if (bytes) reading = readBookmarkTree(*bytes);
  else reading.error = "Cannot open file " + spath(treeFile_);
  if (!reading.ok()) {
    refusedFile_ = true;
    showError(main_, qs(reading.error));
    return;
  }
  std::function<void(QTreeWidgetItem*, const std::vector<BookmarkNode>&)> add =
      [&](QTreeWidgetItem* parent, const std::vector<BookmarkNode>& nodes) {
        for (const auto& node : nodes) {
          auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree_);
          item->setFlags(item->flags() | Qt::ItemIsEditable);
          item->setText(0, qs(ansi().decodeToUtf8(node.bookmark.caption)));
          item->setData(0, kFileRole, QString::fromUtf8(node.bookmark.fileName.data(),
                                                        static_cast<qsizetype>(node.bookmark.fileName.size())));
          item->setData(0, kLineRole, node.bookmark.line);
          add(item, node.children);
          item->setExpanded(node.expanded);
        }
      };
  QSignalBlocker block(tree_);
  add(nullptr, reading.nodes);
}

bool BookmarksWindow::saveTree() {
  std::function<BookmarkNode(const QTreeWidgetItem*)> nodeOf = [&](const QTreeWidgetItem* item) {
    BookmarkNode node;
    node.bookmark.caption = cutBytes(ansi().encodeFromUtf8(u8(item->text(0))));
    node.bookmark.fileName = cutUtf8(u8(fileOf(item)));
    node.bookmark.line = lineOf(item);
    node.expanded = item->isExpanded();
    for (int i = 0; i < item->childCount(); ++i) node.children.push_back(nodeOf(item->child(i)));
    return node;
  };
  std::vector<BookmarkNode> nodes;
  for (int i = 0; i < tree_->topLevelItemCount(); ++i) nodes.push_back(nodeOf(tree_->topLevelItem(i)));
  const int rowHeight = tree_->topLevelItemCount() ? tree_->visualItemRect(tree_->topLevelItem(0)).height() : 18;
  const std::string bytes = writeBookmarkTree(nodes, rowHeight > 0 ? rowHeight : 18);

  const QString folder = QFileInfo(treeFile_).absolutePath();
  std::string why;
  if (!QDir().mkpath(folder)) {
    why = "не удалось создать папку " + spath(folder);
  } else {
    if (refusedFile_ && QFileInfo::exists(treeFile_)) {
      // The file that could not be read is kept aside, not overwritten.
      const QString aside = treeFile_ + QStringLiteral(".damaged");
      QFile::remove(aside);
      QFile::rename(treeFile_, aside);
    }
    if (writeFileAtomically(spath(treeFile_), bytes, &why)) {
      refusedFile_ = false;
      return true;
    }
  }
  showError(nullptr, QStringLiteral("Не удалось записать закладки в файл %1: %2").arg(treeFile_, qs(why)));
  return false;
}

QTreeWidgetItem* BookmarksWindow::newBookmark() {
  EditorInterface& ed = main_->editor();
  ++counter_;
  const std::string name = ed.fileName();
  auto* item = new QTreeWidgetItem;
  item->setFlags(item->flags() | Qt::ItemIsEditable);
  item->setText(0, captionText(QFileInfo(qpath(name)).fileName() + QString::number(counter_)));
  item->setData(0, kFileRole, fileText(qpath(name)));
  item->setData(0, kLineRole, ed.topLine());
  return item;
}

void BookmarksWindow::addItem() {
  if (!main_->hasDocument()) return;
  QTreeWidgetItem* item = newBookmark();
  QTreeWidgetItem* focused = tree_->currentItem();
  if (!focused) {
    tree_->addTopLevelItem(item);
  } else if (QTreeWidgetItem* parent = focused->parent()) {
    parent->insertChild(parent->indexOfChild(focused) + 1, item);
  } else {
    tree_->insertTopLevelItem(tree_->indexOfTopLevelItem(focused) + 1, item);
  }
  tree_->setCurrentItem(item);
}

void BookmarksWindow::addChild() {
  if (!main_->hasDocument()) return;
  QTreeWidgetItem* item = newBookmark();
  if (QTreeWidgetItem* focused = tree_->currentItem()) {
    focused->addChild(item);
    focused->setExpanded(true);
  } else {
    tree_->addTopLevelItem(item);
  }
  tree_->setCurrentItem(item);
}

void BookmarksWindow::updateCurrent() {
  QTreeWidgetItem* item = tree_->currentItem();
  if (!main_->hasDocument() || !item) return;
  EditorInterface& ed = main_->editor();
  item->setData(0, kFileRole, fileText(qpath(ed.fileName())));
  item->setData(0, kLineRole, ed.topLine());
  showCurrent();
}

void BookmarksWindow::deleteCurrent() {
  QTreeWidgetItem* item = tree_->currentItem();
  if (!item) return;
  if (!askOkCancel(this, QStringLiteral("на всякий пожарный..."), QStringLiteral("Вы точно хотите удалить?"))) return;
  delete item;  // with its children
  showCurrent();
}

void BookmarksWindow::showCurrent() {
  QTreeWidgetItem* item = tree_->currentItem();
  caption_->setText(item ? item->text(0) : QString());
  file_->setText(item ? fileOf(item) : QString());
}

void BookmarksWindow::openBookmark(QTreeWidgetItem* item) {
  if (!item) return;
  const QString path = fileOf(item);
  if (path.isEmpty() || !QFileInfo(path).isFile()) return;
  if (!main_->openFile(path)) return;
  const int line = lineOf(item);
  if (line > 0) main_->editor().scrollBy(0, line);
}

}  // namespace kiv
