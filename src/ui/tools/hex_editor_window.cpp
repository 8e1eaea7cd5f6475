#include "ui/tools/hex_editor_window.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QVBoxLayout>

#include "ui/app/main_window.h"
#include "ui/common/dialogs.h"
#include "ui/common/qt_text.h"
#include "ui/tools/hex_view.h"

namespace kiv {

namespace {
const QString kUntitled = QStringLiteral("Untitled");

// The hourglass while a long file operation runs.
struct BusyCursor {
  BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~BusyCursor() { QApplication::restoreOverrideCursor(); }
};
}  // namespace

HexEditorWindow::HexEditorWindow(MainWindow* main)
    : ToolWindow(main, QStringLiteral("HexEditorWindow"), QStringLiteral("HEX editor"), false), main_(main) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  menuBar_ = new QMenuBar(this);
  layout->setMenuBar(menuBar_);
  QMenu* file = menuBar_->addMenu(QStringLiteral("Файл"));
  QAction* open = file->addAction(QStringLiteral("Открыть"), this, &HexEditorWindow::chooseAndOpen);
  open->setObjectName(QStringLiteral("hexOpen"));
  save_ = file->addAction(QStringLiteral("Сохранить"), this, [this] { save(); });
  save_->setObjectName(QStringLiteral("hexSave"));
  saveAs_ = file->addAction(QStringLiteral("Сохранить как"), this, [this] { saveAs(); });
  saveAs_->setObjectName(QStringLiteral("hexSaveAs"));
  file->addSeparator();
  file->addAction(QStringLiteral("Выход"), this, &QWidget::hide)->setObjectName(QStringLiteral("hexExit"));
  QAction* find = menuBar_->addAction(QStringLiteral("Поиск"));
  find->setObjectName(QStringLiteral("hexFind"));
  connect(find, &QAction::triggered, this, [main] {
    if (ToolWindow* w = main->tools().window(QStringLiteral("HexFindDialog"))) {
      w->show();
      w->raise();
      w->activateWindow();
    }
  });
  QAction* options = menuBar_->addAction(QStringLiteral("Опции"));
  options->setObjectName(QStringLiteral("hexOptions"));
  connect(options, &QAction::triggered, this, [main] {
    if (ToolWindow* w = main->tools().window(QStringLiteral("HexOptionsDialog"))) {
      w->show();
      w->raise();
      w->activateWindow();
    }
  });

  view_ = new HexView(this);
  layout->addWidget(view_, 1);
  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("hexStatus"));
  status_->setContentsMargins(4, 2, 4, 2);
  layout->addWidget(status_);
  connect(view_, &HexView::caretMoved, this, &HexEditorWindow::updateState);
  connect(view_, &HexView::modifiedChanged, this, &HexEditorWindow::updateState);
  resize(760, 480);
  updateState();
}

void HexEditorWindow::updateState() {
  const HexDocument& doc = view_->document();
  save_->setEnabled(doc.isOpen());
  saveAs_->setEnabled(doc.isOpen());
  if (!doc.isOpen()) {
    status_->clear();
    return;
  }
  status_->setText(QStringLiteral("Смещение: 0x%1 (%2)   Размер: %3%4")
                       .arg(QString::number(view_->caret(), 16).toUpper())
                       .arg(view_->caret())
                       .arg(doc.size())
                       .arg(doc.isModified() ? QStringLiteral("   Изменён") : QString()));
}

void HexEditorWindow::chooseAndOpen() {
  auto chosen = chooseFilesToOpen(this, QStringLiteral("Открыть"), QString(), {}, false);
  if (!chosen || chosen->isEmpty()) return;
  openFile(chosen->first());
}

bool HexEditorWindow::confirmDiscard() {
  const HexDocument& doc = view_->document();
  if (!doc.isOpen() || !doc.isModified()) return true;
  const int answer = askYesNoCancel(this, QStringLiteral("Сохранить изменения в файле %1?").arg(qpath(doc.fileName())));
  if (answer == QMessageBox::Cancel) return false;
  if (answer == QMessageBox::Yes) return save();
  return true;
}

bool HexEditorWindow::openFile(const QString& path) {
  if (!confirmDiscard()) return false;
  std::string why;
  bool ok = false;
  {
    BusyCursor busy;
    ok = view_->document().open(spath(path), &why);
  }
  if (!ok) {
    // Nothing is loaded; the line below the grid says why.
    status_->setText(QStringLiteral("Не удалось открыть %1: %2").arg(path, qs(why)));
    return false;
  }
  view_->setCaret(0, false);
  view_->scrollToRow(0);
  view_->documentReset();
  setWindowTitle(path);
  return true;
}

bool HexEditorWindow::saveTo(const QString& path) {
  std::string why;
  bool ok = false;
  {
    BusyCursor busy;
    ok = view_->document().save(spath(path), &why);
  }
  if (!ok) {
    showError(this, QStringLiteral("Не удалось сохранить файл %1: %2").arg(path, qs(why)));
    return false;
  }
  view_->documentReset();
  setWindowTitle(path);
  return true;
}

bool HexEditorWindow::save() {
  if (!view_->document().isOpen()) return false;
  return saveTo(qpath(view_->document().fileName()));
}

bool HexEditorWindow::saveAs() {
  if (!view_->document().isOpen()) return false;
  const QString folder = QFileInfo(qpath(view_->document().fileName())).absolutePath();
  auto target = chooseFileToSave(this, QStringLiteral("Сохранить как"), folder, {}, 0, QString());
  if (!target || target->isEmpty()) return false;
  return saveTo(*target);
}

}  // namespace kiv
