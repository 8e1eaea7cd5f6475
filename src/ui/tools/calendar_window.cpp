#include "ui/tools/calendar_window.h"

#include <QCalendarWidget>
#include <QDateTime>
#include <QEvent>
#include <QGridLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCharFormat>
#include <QTimeZone>

#include "core/common/regional.h"
#include "ui/app/main_window.h"
#include "ui/common/qt_text.h"

namespace kiv {

CalendarWindow::CalendarWindow(MainWindow* main)
    : ToolWindow(main, QStringLiteral("CalendarWindow"), QStringLiteral("Календарь"), false) {
  auto* grid = new QGridLayout(this);
  calendar_ = new QCalendarWidget(this);
  calendar_->setObjectName(QStringLiteral("MonthCalendar1"));
  calendar_->setVerticalHeaderFormat(QCalendarWidget::ISOWeekNumbers);
  calendar_->setStyleSheet(QStringLiteral("QCalendarWidget QAbstractItemView { background: white; color: black; }"));
  grid->addWidget(calendar_, 0, 0, 1, 3);
  first_ = new QPushButton(QStringLiteral("Первая дата"), this);
  first_->setObjectName(QStringLiteral("btnFirstDate"));
  second_ = new QPushButton(QStringLiteral("Вторая дата"), this);
  second_->setObjectName(QStringLiteral("btnSecondDate"));
  difference_ = new QPushButton(QStringLiteral("="), this);
  difference_->setObjectName(QStringLiteral("btnDifference"));
  grid->addWidget(first_, 1, 0);
  grid->addWidget(second_, 1, 1);
  grid->addWidget(difference_, 1, 2);
  results_ = new QPlainTextEdit(this);
  results_->setObjectName(QStringLiteral("Memo1"));
  grid->addWidget(results_, 2, 0, 1, 3);
  info_ = new QPushButton(QStringLiteral("Инфо разная"), this);
  info_->setObjectName(QStringLiteral("btnInfo"));
  ok_ = new QPushButton(QStringLiteral("OK"), this);
  ok_->setObjectName(QStringLiteral("btnOk"));
  grid->addWidget(info_, 3, 0);
  grid->addWidget(ok_, 3, 2);

  connect(calendar_, &QCalendarWidget::clicked, results_, &QPlainTextEdit::clear);
  connect(first_, &QPushButton::clicked, this, [this] { choose(true); });
  connect(second_, &QPushButton::clicked, this, [this] { choose(false); });
  connect(difference_, &QPushButton::clicked, this, &CalendarWindow::appendDifference);
  connect(info_, &QPushButton::clicked, this, &CalendarWindow::appendTimeZone);
  connect(ok_, &QPushButton::clicked, this, &QWidget::hide);
  adjustSize();
}

bool CalendarWindow::event(QEvent* e) {
  // Each time the window becomes active the calendar shows today.
  if (e->type() == QEvent::WindowActivate) calendar_->setSelectedDate(QDate::currentDate());
  return ToolWindow::event(e);
}

void CalendarWindow::choose(bool first) {
  const QDate d = calendar_->selectedDate();
  (first ? firstDate_ : secondDate_) = CivilDate{d.year(), d.month(), d.day()};
  (first ? first_ : second_)->setText(d.toString(qs(regionalFormat().shortDatePattern)));
}

void CalendarWindow::appendDifference() {
  for (const std::string& line : dateDifferenceLines(dateDifference(firstDate_, secondDate_)))
    results_->appendPlainText(qs(line));
}

void CalendarWindow::appendTimeZone() {
  int bias = 0;
  if (biasForTests_) {
    bias = *biasForTests_;
  } else {
    // Standard time: daylight saving is left out.
    const int east = QTimeZone::systemTimeZone().standardTimeOffset(QDateTime::currentDateTime());
    bias = -east / 60;
  }
  results_->appendPlainText(qs(timeZoneLine(bias)));
}

}  // namespace kiv
