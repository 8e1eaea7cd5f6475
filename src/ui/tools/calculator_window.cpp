#include "ui/tools/calculator_window.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/bignum/mega_calc.h"
#include "ui/app/main_window.h"
#include "ui/common/dialogs.h"
#include "ui/common/qt_text.h"

namespace kiv {

CalculatorWindow::CalculatorWindow(MainWindow* main)
    : ToolWindow(main, QStringLiteral("CalculatorWindow"), QStringLiteral("Калькулятор мега-больших величин"), true) {
  auto* grid = new QGridLayout(this);
  auto box = [this](const char* name) {
    auto* b = new QComboBox(this);
    b->setObjectName(QString::fromLatin1(name));
    b->setEditable(true);
    b->setInsertPolicy(QComboBox::NoInsert);
    b->setMinimumWidth(360);
    return b;
  };
  grid->addWidget(new QLabel(QStringLiteral("Первое очень большое число"), this), 0, 0, 1, 5);
  first_ = box("ComboBox1");
  grid->addWidget(first_, 1, 0, 1, 5);
  grid->addWidget(new QLabel(QStringLiteral("Второе очень большое число"), this), 2, 0, 1, 5);
  second_ = box("ComboBox2");
  grid->addWidget(second_, 3, 0, 1, 5);
  grid->addWidget(new QLabel(QStringLiteral("Результат"), this), 4, 0, 1, 5);
  result_ = new QLineEdit(this);
  result_->setObjectName(QStringLiteral("Edit1"));
  grid->addWidget(result_, 5, 0, 1, 5);
  const char* captions[10] = {"Сложить", "Умножить, гыыы", "Разделить", "Вычесть", "Сравнить",
                              "To HEX", "To DEC", "Копировать в буфер", "Очистить поля", "Очистить историю"};
  for (int i = 0; i < 10; ++i) {
    buttons_[i] = new QPushButton(QString::fromUtf8(captions[i]), this);
    buttons_[i]->setObjectName(QStringLiteral("Button%1").arg(i + 1));
    grid->addWidget(buttons_[i], 6 + i / 5, i % 5);
  }
  auto binary = [this](MegaCalcResult (*op)(std::string_view, std::string_view), const char* caption) {
    return [this, op, caption] {
      remember(true);
      showResult(op(u8(first_->currentText()), u8(second_->currentText())), caption);
    };
  };
  connect(buttons_[0], &QPushButton::clicked, this, binary(&megaAdd, "АХЫ, Я СЧИТАТЬ, ТЫ РАДОВАТЬСЯ, КЫ!!"));
  connect(buttons_[1], &QPushButton::clicked, this, binary(&megaMultiply, "ГЫЫЫЫЫЫ!!"));
  connect(buttons_[2], &QPushButton::clicked, this, binary(&megaDivide, "Я СЧИТАТЬ! КУ!"));
  connect(buttons_[3], &QPushButton::clicked, this, binary(&megaSubtract, "ЦИФИРЬ СИЛА ДА... ДЫН! КУ!"));
  connect(buttons_[4], &QPushButton::clicked, this, binary(&megaCompare, "УХ, Я СЧИТАТЬ! ДЫН!"));
  connect(buttons_[5], &QPushButton::clicked, this, [this] {
    remember(false);
    showResult(megaToHex(u8(first_->currentText())), "АХЫ, Я СЧИТАТЬ, ТЫ РАДОВАТЬСЯ, КЫ!!");
  });
  connect(buttons_[6], &QPushButton::clicked, this, [this] {
    remember(false);
    showResult(megaToDec(u8(first_->currentText())), "ЭХ!!!");
  });
  connect(buttons_[7], &QPushButton::clicked, this, [this] {
    // The selected part of the result, or all of it when nothing is selected.
    QApplication::clipboard()->setText(result_->hasSelectedText() ? result_->selectedText() : result_->text());
    setWindowTitle(QStringLiteral("КОПИ ТО КЛИПБОРД КОМПЛИТЫД ВЭЛЛ. КУУУУУУУЛ!!! ЙООООО!"));
  });
  connect(buttons_[8], &QPushButton::clicked, this, [this] {
    result_->clear();
    first_->clear();
    second_->clear();
    first_->setEditText(QString());
    second_->setEditText(QString());
    setWindowTitle(QStringLiteral("АААААА! РУССКА ВОДКА!!!"));
  });
  connect(buttons_[9], &QPushButton::clicked, this, [this] {
    const QString a = first_->currentText(), b = second_->currentText();
    first_->clear();
    second_->clear();
    first_->setEditText(a);
    second_->setEditText(b);
    setWindowTitle(QStringLiteral("АХЫЧ!"));
  });
  adjustSize();
}

void CalculatorWindow::remember(bool both) {
  // The histories keep every operand used, repeats included.
  const QString a = first_->currentText(), b = second_->currentText();
  second_->addItem(b);
  second_->setEditText(b);
  if (both) {
    first_->addItem(a);
    first_->setEditText(a);
  }
}

void CalculatorWindow::showResult(const MegaCalcResult& r, const char* caption) {
  if (!r.ok()) {
    showError(this, qs(r.error));
    return;
  }
  result_->setText(qs(r.text));
  setWindowTitle(QString::fromUtf8(caption));
}

}  // namespace kiv
