#include "ui/tools/find_in_files_window.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRandomGenerator>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/search/file_search.h"
#include "ui/app/main_window.h"
#include "ui/common/dialogs.h"
#include "ui/common/qt_text.h"

namespace kiv {

namespace {

void remember(QComboBox* box) {
  const QString text = box->currentText();
  if (text.isEmpty()) return;
  const int at = box->findText(text);
  if (at >= 0) box->removeItem(at);
  box->insertItem(0, text);
  box->setCurrentIndex(0);
}

}  // namespace

FindInFilesWindow::FindInFilesWindow(MainWindow* main)
    : ToolWindow(main, QStringLiteral("FindInFilesWindow"), QStringLiteral("Поиск в файлах"), true) {
  auto* outer = new QHBoxLayout(this);
  results_ = new QListWidget(this);
  results_->setObjectName(QStringLiteral("ListBox1"));
  results_->setToolTip(QStringLiteral("Двойной щелчок открывает файл"));
  auto* left = new QVBoxLayout;
  left->addWidget(results_, 1);
  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("StatusPanel"));
  status_->setFrameShape(QFrame::StyledPanel);
  status_->setFrameShadow(QFrame::Sunken);
  status_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  left->addWidget(status_);
  outer->addLayout(left, 1);

  auto* right = new QGridLayout;
  mask_ = new QComboBox(this);
  mask_->setObjectName(QStringLiteral("FileMask"));
  mask_->setEditable(true);
  mask_->setInsertPolicy(QComboBox::NoInsert);
  mask_->setCurrentText(QStringLiteral("*.txt"));
  mask_->setToolTip(QStringLiteral("Одна маска: * — любые символы, ? — один символ; регистр не важен"));
  folder_ = new QLineEdit(this);
  folder_->setObjectName(QStringLiteral("FolderEdit"));
  auto* browse = new QToolButton(this);
  browse->setObjectName(QStringLiteral("FolderButton"));
  browse->setText(QStringLiteral("..."));
  text_ = new QComboBox(this);
  text_->setObjectName(QStringLiteral("TextToFind"));
  text_->setEditable(true);
  text_->setInsertPolicy(QComboBox::NoInsert);
  text_->setToolTip(QStringLiteral(
      "Регистр букв не важен; ? и * — любой один символ. Ищется в Windows-1251 и в UTF-8"));
  right->addWidget(new QLabel(QStringLiteral("Маска файлов"), this), 0, 0, 1, 2);
  right->addWidget(mask_, 1, 0, 1, 2);
  right->addWidget(new QLabel(QStringLiteral("Где искать?"), this), 2, 0, 1, 2);
  right->addWidget(folder_, 3, 0);
  right->addWidget(browse, 3, 1);
  right->addWidget(new QLabel(QStringLiteral("Что искать?"), this), 4, 0, 1, 2);
  right->addWidget(text_, 5, 0, 1, 2);
  struct ButtonSpec {
    const char* name;
    const char* caption;
    void (FindInFilesWindow::*slot)();
  };
  const ButtonSpec specs[] = {
      {"SearchButton", "Поиск", &FindInFilesWindow::startSearch},
      {"PauseButton", "Пауза", &FindInFilesWindow::pause},
      {"ResumeButton", "Возобновить", &FindInFilesWindow::resume},
      {"StopButton", "Стоп", &FindInFilesWindow::stop},
  };
  int row = 6;
  for (const auto& s : specs) {
    auto* b = new QPushButton(QString::fromUtf8(s.caption), this);
    b->setObjectName(QString::fromLatin1(s.name));
    connect(b, &QPushButton::clicked, this, s.slot);
    right->addWidget(b, row++, 0, 1, 2);
  }
  right->setRowStretch(row, 1);
  outer->addLayout(right);

  connect(browse, &QToolButton::clicked, this, &FindInFilesWindow::chooseFolder);
  connect(results_, &QListWidget::itemDoubleClicked, this, &FindInFilesWindow::openResult);
  resize(640, 380);
  hide();
}

FindInFilesWindow::~FindInFilesWindow() { worker_.stopAndJoin(); }

QPushButton* FindInFilesWindow::button(const QString& objectName) const {
  return findChild<QPushButton*>(objectName);
}

QString FindInFilesWindow::status() const { return status_->text(); }

void FindInFilesWindow::setStatus(const QString& text) { status_->setText(text); }

QStringList FindInFilesWindow::resultPaths() const {
  QStringList paths;
  for (int i = 0; i < results_->count(); ++i) paths << results_->item(i)->text();
  return paths;
}

QString FindInFilesWindow::oneOf(const char* usual, const char* sometimes) {
  return QString::fromUtf8(QRandomGenerator::global()->bounded(4) == 0 ? sometimes : usual);
}

void FindInFilesWindow::startSearch() {
  worker_.stopAndJoin();
  remember(mask_);
  remember(text_);
  results_->clear();
  setStatus(qs(fileSearchStartText()));
  FileSearchRequest request{spath(folder_->text()), u8(mask_->currentText()), u8(text_->currentText())};
  BackgroundWorker* worker = &worker_;
  worker_.start([this, worker, request = std::move(request)](WorkerControl& control) {
    const FileSearchSummary summary = searchFiles(request, &control, [this, worker](const FoundFile& f) {
      worker->post([this, path = qpath(f.path), utf8 = f.inUtf8] {
        auto* item = new QListWidgetItem(path, results_);
        if (utf8) item->setToolTip(QStringLiteral("Найдено в UTF-8"));
      });
    });
    // A stopped search leaves the stop message in place.
    if (!summary.stopped) worker->post([this, text = qs(fileSearchEndText(summary))] { setStatus(text); });
  });
}

void FindInFilesWindow::pause() {
  if (worker_.running() && !worker_.paused()) worker_.pause();
  setStatus(oneOf("ЖДУ", "МОГУ И ОБОЖДАТЬ..."));
}

void FindInFilesWindow::resume() {
  if (worker_.paused()) worker_.resume();
  setStatus(oneOf("ПРОДОЛЖИМ!", "ДАВНО ПОРА..."));
}

void FindInFilesWindow::stop() {
  if (worker_.exists()) worker_.requestStop();
  setStatus(oneOf("ПОИСК ПРЕРВАН", "КАКОЕ НЕТЕРПЕНИЕ!"));
}

void FindInFilesWindow::chooseFolder() {
  const auto chosen = chooseFolderDialog(this, QStringLiteral("Где искать?"), folder_->text());
  if (chosen) folder_->setText(*chosen);
}

void FindInFilesWindow::openResult(QListWidgetItem* item) {
  if (item) mainWindow()->openFile(item->text());
}

}  // namespace kiv
