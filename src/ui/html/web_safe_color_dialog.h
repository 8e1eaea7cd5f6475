#pragma once
// The web-safe colour picker: a palette of the 216 web-safe colours and
// three slots. Moving the mouse over the palette shows the colour under it;
// releasing the button there puts that colour into the checked slot. OK
// gives the checked slot's text.

#include <QDialog>
#include <QLabel>
#include <optional>

#include "core/html/web_colors.h"

class QLineEdit;
class QRadioButton;

namespace kiv {

class WebSafePalette : public QLabel {
  Q_OBJECT
 public:
  explicit WebSafePalette(QWidget* parent);
 signals:
  void hovered(int index);
  void released(int index);

 protected:
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
};

class WebSafeColorDialog : public QDialog {
  Q_OBJECT
 public:
  explicit WebSafeColorDialog(QWidget* parent);
  // The picker of this main window, made on first use.
  static WebSafeColorDialog* of(QWidget* mainWindow);

  // Shows the picker modally: the checked slot's text on OK.
  std::optional<QString> pick();
  QString resultText() const;
  Rgb resultColor() const;

  WebSafePalette* palette() const { return palette_; }
  QRadioButton* slotButton(int i) const { return radios_[i]; }
  QLineEdit* slotEdit(int i) const { return edits_[i]; }
  QLabel* hoverLabel() const { return hoverLabel_; }

 private:
  void showHovered(int index);
  void putInCheckedSlot(int index);
  int checkedSlot() const;

  WebSafePalette* palette_;
  QLabel* hoverLabel_;
  QLabel* hoverSample_;
  QRadioButton* radios_[3];
  QLabel* samples_[3];
  QLineEdit* edits_[3];
  Rgb colors_[3];
};

}  // namespace kiv
