#pragma once
// The calendar: a month calendar, two chosen dates and their difference in
// days, months and weeks, and the time zone's offset from Greenwich.

#include <optional>

#include "core/datetime/date_difference.h"
#include "ui/tools/tool_window.h"

class QCalendarWidget;
class QPlainTextEdit;
class QPushButton;

namespace kiv {

class CalendarWindow : public ToolWindow {
  Q_OBJECT
 public:
  explicit CalendarWindow(MainWindow* main);
  QCalendarWidget* calendar() const { return calendar_; }
  QPlainTextEdit* results() const { return results_; }
  QPushButton* firstButton() const { return first_; }
  QPushButton* secondButton() const { return second_; }
  QPushButton* differenceButton() const { return difference_; }
  QPushButton* infoButton() const { return info_; }
  QPushButton* okButton() const { return ok_; }
  // The standard time-zone bias in minutes (UTC = local + bias); tests set it.
  void setBiasForTests(std::optional<int> bias) { biasForTests_ = bias; }

 protected:
  bool event(QEvent* e) override;

 private:
  void choose(bool first);
  void appendDifference();
  void appendTimeZone();

  QCalendarWidget* calendar_;
  QPlainTextEdit* results_;
  QPushButton* first_;
  QPushButton* second_;
  QPushButton* difference_;
  QPushButton* info_;
  QPushButton* ok_;
  CivilDate firstDate_;   // day 0 until chosen
  CivilDate secondDate_;
  std::optional<int> biasForTests_;
};

}  // namespace kiv
