#include "ui/tools/analyzer_window.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>
#include <chrono>

#include "core/analysis/word_frequency.h"
#include "core/charsets/cyrillic_conversions.h"
#include "ui/app/main_window.h"
#include "ui/commands/text_command.h"
#include "ui/common/dialogs.h"
#include "ui/common/qt_text.h"
#include "ui/editor/editor_interface.h"

namespace kiv {

AnalyzerWindow::AnalyzerWindow(MainWindow* main)
    : ToolWindow(main, QStringLiteral("AnalyzerWindow"), QStringLiteral("УНИверсальный Текстовый АналиЗатор 1.0"), false),
      worker_() {
  auto* l = new QVBoxLayout(this);
  out_ = new QPlainTextEdit(this);
  out_->setObjectName(QStringLiteral("mdataout"));
  out_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  out_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  out_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  l->addWidget(out_, 1);

  auto* row = new QHBoxLayout;
  struct ButtonSpec {
    const char* name;
    const char* caption;
    void (AnalyzerWindow::*slot)();
  };
  const ButtonSpec specs[] = {
      {"Button2", "Анализ", &AnalyzerWindow::analyze},
      {"Button3", "СТОП", &AnalyzerWindow::stop},
      {"Button4", "ПАУЗА", &AnalyzerWindow::pause},
      {"Button5", "ВОЗОБНОВИТЬ", &AnalyzerWindow::resume},
      {"Button1", "Очистить", &AnalyzerWindow::clearOutput},
      {"Button7", "КОПИР. В БУФЕР", &AnalyzerWindow::copyOutput},
  };
  for (const auto& s : specs) {
    auto* b = new QPushButton(QString::fromUtf8(s.caption), this);
    b->setObjectName(QString::fromLatin1(s.name));
    connect(b, &QPushButton::clicked, this, s.slot);
    row->addWidget(b);
  }
  auto* close = new QPushButton(QStringLiteral("ЗАКРЫТЬ"), this);
  close->setObjectName(QStringLiteral("Button6"));
  connect(close, &QPushButton::clicked, this, &QWidget::close);
  row->addWidget(close);
  l->addLayout(row);

  auto* prow = new QHBoxLayout;
  prow->addWidget(new QLabel(QStringLiteral("ПРИОРИТЕТ РАБОТЫ"), this));
  priority_ = new QSlider(Qt::Horizontal, this);
  priority_->setObjectName(QStringLiteral("tbPriority"));
  priority_->setRange(1, 7);
  priority_->setValue(4);
  priority_->setTickPosition(QSlider::TicksBelow);
  priority_->setPageStep(1);
  priority_->setToolTip(QStringLiteral(
      "Приоритет потока анализа: 1 — только когда процессор свободен, 2–3 — ниже обычного, "
      "4 — обычный, 5–7 — выше обычного (nice −5, −10, −15; без прав администратора система "
      "не даёт поднять приоритет, и он остаётся прежним)"));
  connect(priority_, &QSlider::valueChanged, this, &AnalyzerWindow::setPriorityLevel);
  prow->addWidget(priority_, 1);
  l->addLayout(prow);
  resize(620, 440);
  hide();
}

AnalyzerWindow::~AnalyzerWindow() { worker_.stopAndJoin(); }

QPushButton* AnalyzerWindow::button(const QString& objectName) const {
  return findChild<QPushButton*>(objectName);
}

QString AnalyzerWindow::output() const { return out_->toPlainText(); }

void AnalyzerWindow::append(const QString& line) { out_->appendPlainText(line); }

void AnalyzerWindow::analyze() {
  append(QStringLiteral("Thread constructor call..."));
  if (worker_.exists()) {
    worker_.stopAndJoin();
    append(QStringLiteral("Thread destoying done"));
  }
  MainWindow& main = *mainWindow();
  const bool haveDocument = main.hasDocument();
  const std::string charset = activeCharset(main);
  std::string text = haveDocument ? main.editor().workingText() : std::string();
  worker_.setPriorityLevel(priority_->value());
  append(QStringLiteral("Thread constructor called OK"));
  if (!haveDocument) {
    showMessage(this, QStringLiteral("Еще ни один файл не открыт, нечего анализировать!"));
    return;
  }
  if (text.empty()) return;
  const RegionalFormat format = regionalFormat();
  BackgroundWorker* worker = &worker_;
  worker_.start([this, worker, charset, format, text = std::move(text)](WorkerControl& control) {
    auto line = [worker, this](QString s) { worker->post([this, s = std::move(s)] { append(s); }); };
    line(QStringLiteral("Вычисляю, ЖДИТЕ!"));
    const auto started = std::chrono::steady_clock::now();
    // Letters are read with the Windows-1251 tables; each word is shown
    // through the document's own code page.
    WordFrequency counted = countWords(toWin1251Reversibly(text, charset), &control);
    if (counted.stopped) {
      line(QStringLiteral("Анализ остановлен"));
      return;
    }
    line(QStringLiteral("Начинаю сортировку"));
    sortWordCounts(counted);
    line(QStringLiteral("Сортировка завершена"));
    line(QStringLiteral("Вывод результатов"));
    const auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - started).count();
    line(qs(elapsedTimeLine(ms, format)));
    QStringList batch;
    for (const std::string& s : analyzerSummaryLines(counted, format)) batch << qs(s);
    for (const WordCount& w : counted.words) {
      if (!control.checkpoint()) return;
      batch << decodeBytes(fromWin1251Reversibly(frequencyLine(w), charset), charset);
    }
    line(batch.join(QLatin1Char('\n')));
  });
}

void AnalyzerWindow::stop() {
  if (!worker_.exists()) return;
  worker_.requestStop();
  append(QStringLiteral("Thread stopped OK"));
}

void AnalyzerWindow::pause() {
  if (!worker_.exists() || worker_.paused()) return;
  worker_.pause();
  append(QStringLiteral("Thread paused OK"));
}

void AnalyzerWindow::resume() {
  if (!worker_.exists() || !worker_.paused()) return;
  worker_.resume();
  append(QStringLiteral("Thread resumed OK"));
}

void AnalyzerWindow::setPriorityLevel(int level) {
  if (!worker_.exists()) return;
  // A paused worker goes on with its new priority.
  worker_.setPriorityLevel(level);
  worker_.resume();
}

void AnalyzerWindow::clearOutput() { out_->clear(); }

void AnalyzerWindow::copyOutput() {
  out_->selectAll();
  out_->copy();
}

void AnalyzerWindow::closeEvent(QCloseEvent* e) {
  // Closing ends the analysis: no thread outlives its window's use.
  worker_.stopAndJoin();
  ToolWindow::closeEvent(e);
}

}  // namespace kiv
