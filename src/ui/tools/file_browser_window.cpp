#include "ui/tools/file_browser_window.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStorageInfo>
#include <QVBoxLayout>

#include "core/filebrowser/browser_paths.h"
#include "core/filebrowser/whole_file_ops.h"
#include "core/filetypes/file_types.h"
#include "ui/app/main_window.h"
#include "ui/common/dialogs.h"
#include "ui/common/font_fallback.h"
#include "ui/common/qt_text.h"
#include "ui/editor/control/background_fill.h"
#include "ui/tools/entry_properties_dialog.h"
#include "ui/tools/mask_dialog.h"

namespace kiv {

namespace {
// Lists at most this many names in a message.
QString nameList(const std::vector<std::string>& paths) {
  QStringList names;
  for (const auto& p : paths) {
    if (names.size() == 20) {
      names << QStringLiteral("… и ещё %1").arg(paths.size() - 20);
      break;
    }
    names << QFileInfo(qpath(p)).fileName();
  }
  return names.join(QLatin1Char('\n'));
}

// A name beside the taken one: "name (2).ext", "name (3).ext"...
QString freeNameFor(const QString& folder, const QString& name) {
  const QFileInfo info(name);
  const QString base = info.completeBaseName().isEmpty() ? name : info.completeBaseName();
  const QString suffix = info.completeBaseName().isEmpty() || info.suffix().isEmpty() ? QString()
                                                                                       : QLatin1Char('.') + info.suffix();
  for (int n = 2;; ++n) {
    const QString candidate = QStringLiteral("%1 (%2)%3").arg(base).arg(n).arg(suffix);
    if (!QFileInfo::exists(folder + QLatin1Char('/') + candidate)) return candidate;
  }
}
}  // namespace

FileBrowserWindow::FileBrowserWindow(MainWindow* main)
    : ToolWindow(main, QStringLiteral("FileBrowserWindow"), QStringLiteral("Browser"), true) {
  auto* l = new QVBoxLayout(this);
  l->setContentsMargins(0, 0, 0, 0);
  l->setSpacing(2);
  menuBar_ = new QMenuBar(this);
  l->setMenuBar(menuBar_);

  auto* top = new QHBoxLayout;
  top->setContentsMargins(2, 2, 2, 0);
  sizeLabel_ = new QLabel(QStringLiteral("Размер файла = "), this);
  sizeLabel_->setObjectName(QStringLiteral("lbSize"));
  drives_ = new QComboBox(this);
  drives_->setObjectName(QStringLiteral("DriveComboBox1"));
  auto* last = new QPushButton(QStringLiteral("Last dir"), this);
  last->setObjectName(QStringLiteral("btLastDir"));
  top->addWidget(sizeLabel_, 1);
  top->addWidget(drives_);
  top->addWidget(last);
  l->addLayout(top);

  view_ = new QListWidget(this);
  view_->setObjectName(QStringLiteral("FileListBox"));
  view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  view_->setFlow(QListView::TopToBottom);
  view_->setWrapping(true);
  view_->setResizeMode(QListView::Adjust);
  view_->setUniformItemSizes(true);
  view_->setContextMenuPolicy(Qt::CustomContextMenu);
  view_->installEventFilter(this);
  l->addWidget(view_, 1);
  setFocusProxy(view_);

  // Menus.
  QMenu* files = menuBar_->addMenu(QStringLiteral("Файлы"));
  files->addAction(QStringLiteral("Замена/Мультизамена"), this, &FileBrowserWindow::replaceInSelected)
      ->setObjectName(QStringLiteral("mniReplaceInFiles"));
  files->addAction(QStringLiteral("Поиск в файлах"), this, [main] {
    if (ToolWindow* w = main->tools().window(QStringLiteral("FindInFilesWindow"))) {
      w->show();
      w->raise();
    }
  });
  QAction* refreshAction = files->addAction(QStringLiteral("Обновить список"), this, &FileBrowserWindow::refresh);
  refreshAction->setShortcut(QKeySequence(QStringLiteral("Ctrl+R")));
  refreshAction->setObjectName(QStringLiteral("mniRefresh"));
  QMenu* recode = menuBar_->addMenu(QStringLiteral("Перекодировка"));
  const std::pair<const char*, Recoding> recodings[] = {{"Win > DOS", Recoding::WinToDos},
                                                        {"Win > KOI 8 R", Recoding::WinToKoi},
                                                        {"DOS > Win", Recoding::DosToWin},
                                                        {"KOI 8 R > Win", Recoding::KoiToWin}};
  for (const auto& [caption, how] : recodings) {
    const int code = static_cast<int>(how);
    recode->addAction(QString::fromLatin1(caption), this, [this, code] { recodeSelected(code); });
  }
  QAction* hotlist = menuBar_->addAction(QStringLiteral("Быстрые директории"));
  hotlist->setShortcut(QKeySequence(QStringLiteral("Ctrl+D")));
  hotlist->setObjectName(QStringLiteral("mniHotlist"));
  addAction(hotlist);
  connect(hotlist, &QAction::triggered, this, [main] {
    if (ToolWindow* w = main->tools().window(QStringLiteral("HotlistWindow"))) {
      w->show();
      w->raise();
      w->activateWindow();
    }
  });
  addAction(refreshAction);

  popup_ = new QMenu(this);
  popup_->addAction(QStringLiteral("Открыть файл во внешнем редакторе"), this, &FileBrowserWindow::openWithEditor);
  popup_->addAction(QStringLiteral("Открыть файл внешним вьювером"), this, &FileBrowserWindow::openWithViewer);
  popup_->addAction(QStringLiteral("Свойства"), this, &FileBrowserWindow::showProperties);
  popup_->addAction(QStringLiteral("Переименовать"), this, &FileBrowserWindow::renameCurrent);
  popup_->addAction(QStringLiteral("Удалить"), this, &FileBrowserWindow::deleteSelected);
  connect(view_, &QWidget::customContextMenuRequested, this,
          [this](const QPoint& p) { popup_->popup(view_->viewport()->mapToGlobal(p)); });

  connect(view_, &QListWidget::itemActivated, this, [this] { activateCurrent(); });
  connect(view_, &QListWidget::itemPressed, this, [this](QListWidgetItem* item) { showSizeOf(view_->row(item)); });
  connect(last, &QPushButton::clicked, this, &FileBrowserWindow::goToLastFolder);
  connect(drives_, &QComboBox::activated, this, [this](int i) {
    goToFolder(drives_->itemData(i).toString());
    view_->setFocus();
  });

  applyLook();
  fillDrives();
  const WindowBounds& b = main->config().session.fileBrowser;
  setGeometry(b.left, b.top, std::max(60, b.width), std::max(60, b.height));
  const QString start = qpath(main->config().session.fileBrowserFolder);
  goToFolder(!start.isEmpty() && QFileInfo(start).isDir() ? start : QDir::homePath());
  askReplacement_ = [main](QWidget* parent) { return askReplaceWindow(*main, parent); };
}

void FileBrowserWindow::applyLook() {
  const Settings& s = mainWindow()->settings();
  QFont font(availableFontFamily(qs(s.browserFont)));
  font.setStyleHint(QFont::Monospace);
  font.setPointSize(std::max(1, s.browserFontSize));
  view_->setFont(font);
  QPalette pal = view_->palette();
  pal.setColor(QPalette::Base, colorOf(s.browserBackgroundColor));
  view_->setPalette(pal);
  updateGrid();
  view_->viewport()->update();
}

void FileBrowserWindow::updateGrid() {
  const int columns = std::max(1, mainWindow()->settings().browserColumns);
  const int height = QFontMetrics(view_->font()).height() + 2;
  const int width = std::max(40, (view_->viewport()->width() - 2) / columns);
  view_->setGridSize(QSize(width, height));
}

void FileBrowserWindow::resizeEvent(QResizeEvent* e) {
  ToolWindow::resizeEvent(e);
  updateGrid();
}

bool FileBrowserWindow::event(QEvent* e) {
  // The options may have changed the background meanwhile.
  if (e->type() == QEvent::WindowActivate) {
    applyLook();
    if (!view_->hasFocus() && !menuBar_->activeAction()) view_->setFocus();
  }
  return ToolWindow::event(e);
}

void FileBrowserWindow::fillDrives() {
  drives_->clear();
  for (const QStorageInfo& v : QStorageInfo::mountedVolumes()) {
    if (!v.isValid() || !v.isReady()) continue;
    const QString root = v.rootPath();
    const QString device = QString::fromLocal8Bit(v.device());
    if (root != QLatin1String("/") && !device.startsWith(QLatin1Char('/'))) continue;  // proc, sysfs and the like
    drives_->addItem(v.name().isEmpty() ? root : QStringLiteral("%1 (%2)").arg(root, v.name()), root);
  }
  if (drives_->findData(QStringLiteral("/")) < 0) drives_->insertItem(0, QStringLiteral("/"), QStringLiteral("/"));
}

void FileBrowserWindow::goToFolder(const QString& folder) {
  list_.read(folder);
  fillView(0);
  setWindowTitle(list_.folder());
  // The drive list names the volume that holds the folder.
  const QString root = QStorageInfo(list_.folder()).rootPath();
  const int i = drives_->findData(root);
  if (i >= 0) drives_->setCurrentIndex(i);
}

void FileBrowserWindow::refresh() {
  const int keep = currentIndex();
  list_.reread();
  fillView(keep);
}

void FileBrowserWindow::goToLastFolder() {
  const QString last = qpath(mainWindow()->config().session.fileBrowserFolder);
  goToFolder(!last.isEmpty() && QFileInfo(last).isDir() ? last : QDir::homePath());
}

void FileBrowserWindow::fillView(int focusIndex) {
  const Settings& s = mainWindow()->settings();
  const FileTypes* types = mainWindow()->fileTypesOrNull();
  view_->setUpdatesEnabled(false);
  view_->clear();
  QFont bold = view_->font();
  bold.setBold(true);
  for (int i = 0; i < list_.count(); ++i) {
    auto* item = new QListWidgetItem(list_.names()[i], view_);
    if (list_.isFolder(i)) {
      item->setFont(bold);
      item->setForeground(colorOf(s.browserFolderColor));
      continue;
    }
    // A file's colour is its type's, or the browser's file colour.
    int color = s.browserFileColor;
    const QString suffix = QFileInfo(list_.names()[i]).suffix();
    if (types && !suffix.isEmpty())
      if (const FileType* t = types->findByExt(spath(QLatin1Char('.') + suffix))) color = t->color;
    item->setForeground(colorOf(color));
  }
  view_->setUpdatesEnabled(true);
  const int focus = std::clamp(focusIndex, 0, list_.count() - 1);
  view_->setCurrentRow(focus, QItemSelectionModel::NoUpdate);
  view_->clearSelection();
  updateGrid();
}

int FileBrowserWindow::currentIndex() const { return view_->currentRow(); }

void FileBrowserWindow::showSizeOf(int index) {
  qint64 size = -1;
  if (list_.isFolder(index)) {
    size = 0;
  } else {
    const QFileInfo info(list_.pathOf(index));
    if (info.exists()) size = info.size();
  }
  sizeLabel_->setText(QStringLiteral("Размер файла = %1").arg(size));
}

bool FileBrowserWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched != view_ || event->type() != QEvent::KeyPress) return ToolWindow::eventFilter(watched, event);
  auto* key = static_cast<QKeyEvent*>(event);
  showSizeOf(currentIndex());
  const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
  if (!plain) return false;
  switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      activateCurrent();
      return true;
    case Qt::Key_Backspace:
      backToParent();
      return true;
    case Qt::Key_Insert:
      toggleCurrentAndMoveDown();
      return true;
    case Qt::Key_Plus:
      if (key->modifiers() & Qt::KeypadModifier) {
        selectByMask();
        return true;
      }
      return false;
    default:
      return false;
  }
}

void FileBrowserWindow::activateCurrent() {
  const int index = currentIndex();
  if (index < 0) return;
  lastActivatedIndex_ = index;
  if (list_.isParent(index)) {
    list_.goUp();
    fillView(0);
  } else if (list_.isFolder(index)) {
    list_.read(list_.pathOf(index));
    fillView(0);
  } else {
    mainWindow()->openFile(list_.pathOf(index));
    activateWindow();
    view_->setFocus();
  }
  setWindowTitle(list_.folder());
}

void FileBrowserWindow::backToParent() {
  list_.goUp();
  fillView(lastActivatedIndex_);
  setWindowTitle(list_.folder());
}

void FileBrowserWindow::toggleCurrentAndMoveDown() {
  const int index = currentIndex();
  if (index < 0) return;
  QListWidgetItem* item = view_->item(index);
  item->setSelected(!item->isSelected());
  if (index + 1 < view_->count()) view_->setCurrentRow(index + 1, QItemSelectionModel::NoUpdate);
}

void FileBrowserWindow::selectByMask() {
  auto* dialog = mainWindow()->tools().get<MaskDialog>(QStringLiteral("MaskDialog"));
  if (!dialog) return;
  const std::optional<QString> mask = dialog->ask();
  if (!mask) return;
  for (int i = 0; i < view_->count(); ++i)
    if (nameMatchesMask(list_.names()[i], *mask)) view_->item(i)->setSelected(!view_->item(i)->isSelected());
}

QStringList FileBrowserWindow::selectedFiles() const {
  QStringList paths;
  for (int i = 0; i < view_->count(); ++i)
    if (view_->item(i)->isSelected() && !list_.isFolder(i)) paths << list_.pathOf(i);
  return paths;
}

void FileBrowserWindow::reportWholeFileRun(const QString& what, const WholeFileReport& report) {
  QStringList parts;
  if (!report.skippedZeroByte.empty())
    parts << QStringLiteral("Эти файлы содержат нулевые байты и не тронуты:\n") + nameList(report.skippedZeroByte);
  if (!report.error.empty()) parts << qs(report.error) + QStringLiteral("\nОстальные файлы не обработаны.");
  if (!parts.isEmpty()) showError(this, what + QStringLiteral(": ") + parts.join(QStringLiteral("\n\n")));
}

void FileBrowserWindow::recodeSelected(int recoding) {
  const QStringList files = selectedFiles();
  if (files.isEmpty()) return;
  std::vector<std::string> paths;
  for (const QString& f : files) paths.push_back(spath(f));
  const auto how = static_cast<Recoding>(recoding);
  const WholeFileReport report = transformFiles(
      paths, [how](std::string_view text) { return recodeText(text, how); },
      [this](const std::string& path, std::string_view bytes) {
        if (!isNonAsciiUtf8(bytes)) return true;
        return askYesNo(this, QStringLiteral("Файл %1 записан в UTF-8; перекодировка испортит его русские буквы. "
                                             "Всё равно перекодировать?")
                                  .arg(qpath(path)));
      });
  reportWholeFileRun(QStringLiteral("Перекодировка"), report);
}

void FileBrowserWindow::replaceInSelected() {
  const QStringList files = selectedFiles();
  if (files.isEmpty() || !askReplacement_) return;
  const std::optional<ReplaceRequest> request = askReplacement_(this);
  if (!request) return;
  std::vector<std::string> paths;
  for (const QString& f : files) paths.push_back(spath(f));
  const ReplaceRequest r = *request;
  const WholeFileReport report =
      transformFiles(paths, [&r](std::string_view text) { return applyReplaceRequest(text, r); });
  reportWholeFileRun(QStringLiteral("Замена"), report);
}

void FileBrowserWindow::deleteSelected() {
  QStringList targets;
  for (int i = 0; i < view_->count(); ++i)
    if (view_->item(i)->isSelected() && !list_.isParent(i)) targets << list_.pathOf(i);
  // Without a selection the focused entry is meant.
  if (targets.isEmpty() && currentIndex() > 0 && view_->selectedItems().isEmpty()) targets << list_.pathOf(currentIndex());
  if (targets.isEmpty()) return;
  if (!askYesNo(this, QStringLiteral("Вы и впрямь хотите энто сделать?"))) return;
  QStringList notTrashed;
  for (const QString& path : targets)
    if (!QFile::moveToTrash(path)) notTrashed << path;
  QStringList failed;
  if (!notTrashed.isEmpty()) {
    QStringList names;
    for (const QString& p : notTrashed) names << QFileInfo(p).fileName();
    if (askYesNo(this, QStringLiteral("Эти файлы нельзя переместить в корзину:\n%1\n\nУдалить их навсегда?")
                           .arg(names.join(QLatin1Char('\n'))))) {
      for (const QString& p : notTrashed) {
        const QFileInfo info(p);
        const bool removed = info.isDir() && !info.isSymLink() ? QDir(p).removeRecursively() : QFile::remove(p);
        if (!removed) failed << info.fileName();
      }
    }
  }
  refresh();
  if (!failed.isEmpty()) showError(this, QStringLiteral("Не удалось удалить:\n") + failed.join(QLatin1Char('\n')));
}

void FileBrowserWindow::renameCurrent() {
  const int index = currentIndex();
  if (index < 0) return;
  if (list_.isParent(index)) {
    showError(this, QStringLiteral("«..» — это ссылка на папку выше; её нельзя переименовать."));
    return;
  }
  const QString oldName = list_.names()[index];
  const QString answer = inputBox(this, QStringLiteral("Переименование файла"), QStringLiteral("Новое имя: "), oldName);
  if (answer.isEmpty() || answer == oldName) {
    refresh();
    return;
  }
  if (const std::string why = renameRefusal(spath(answer)); !why.empty()) {
    showError(this, qs(why));
    refresh();
    return;
  }
  const QString folder = QFileInfo(list_.pathOf(index)).absolutePath();
  QString target = answer;
  if (QFileInfo::exists(folder + QLatin1Char('/') + target) || QFileInfo(folder + QLatin1Char('/') + target).isSymLink())
    target = freeNameFor(folder, answer);
  const bool renamed = QFile::rename(list_.pathOf(index), folder + QLatin1Char('/') + target);
  list_.reread();
  fillView(renamed ? list_.indexOf(target) : index);
  if (!renamed) showError(this, QStringLiteral("Не удалось переименовать %1 в %2.").arg(oldName, target));
}

void FileBrowserWindow::showProperties() {
  const int index = currentIndex();
  if (index < 0) return;
  auto* dlg = new EntryPropertiesDialog(list_.pathOf(index), this);
  dlg->show();
}

void FileBrowserWindow::openWithProgram(bool viewer) {
  const int index = currentIndex();
  if (index < 0 || list_.isFolder(index)) return;
  const FileTypes* types = mainWindow()->fileTypesOrNull();
  if (!types) return;
  const QString suffix = QFileInfo(list_.names()[index]).suffix();
  if (suffix.isEmpty()) return;
  const int i = types->indexOfExt(spath(suffix));
  if (i < 0) return;
  const FileType& t = types->types()[static_cast<std::size_t>(i)];
  const QString program = qpath(viewer ? t.viewer : t.editor);
  if (program.isEmpty() || !QFileInfo(program).isFile()) return;
  if (!startProgram(program, {list_.pathOf(index)}))
    showError(this, QStringLiteral("Не удалось запустить %1").arg(program));
}

void FileBrowserWindow::openWithViewer() { openWithProgram(true); }
void FileBrowserWindow::openWithEditor() { openWithProgram(false); }

}  // namespace kiv
