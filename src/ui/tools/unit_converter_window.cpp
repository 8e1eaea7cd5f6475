#include "ui/tools/unit_converter_window.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "core/common/conversions.h"
#include "core/common/number_format.h"
#include "core/common/regional.h"
#include "core/units/unit_conversions.h"
#include "ui/app/main_window.h"
#include "ui/common/dialogs.h"
#include "ui/common/qt_text.h"

namespace kiv {

UnitConverterWindow::UnitConverterWindow(MainWindow* main)
    : ToolWindow(main, QStringLiteral("UnitConverterWindow"), QStringLiteral("Конвертация величин"), false) {
  auto* grid = new QGridLayout(this);
  grid->addWidget(new QLabel(QStringLiteral("Число:"), this), 0, 0);
  number_ = new QComboBox(this);
  number_->setObjectName(QStringLiteral("ComboBox1"));
  number_->setEditable(true);
  number_->setInsertPolicy(QComboBox::NoInsert);
  number_->setEditText(QStringLiteral("13"));
  grid->addWidget(number_, 0, 1);
  grid->addWidget(new QLabel(QStringLiteral("Способ конвертирования"), this), 1, 0);
  conversion_ = new QComboBox(this);
  conversion_->setObjectName(QStringLiteral("ComboBox2"));
  conversion_->setEditable(true);
  conversion_->setInsertPolicy(QComboBox::NoInsert);
  for (std::string_view text : unitConversionList()) conversion_->addItem(qs(text));
  conversion_->setCurrentIndex(0);
  conversion_->setMinimumWidth(320);
  grid->addWidget(conversion_, 1, 1);
  convert_ = new QPushButton(QStringLiteral("Перевести"), this);
  convert_->setObjectName(QStringLiteral("BitBtn1"));
  grid->addWidget(convert_, 2, 1, Qt::AlignRight);
  connect(convert_, &QPushButton::clicked, this, &UnitConverterWindow::convert);
  adjustSize();
}

void UnitConverterWindow::convert() {
  const QString text = number_->currentText();
  number_->addItem(text);
  number_->setEditText(text);
  const std::string conversion = u8(conversion_->currentText());
  // Read the number first: a conversion that names nothing leaves it alone.
  const auto value = strToFloat(u8(text), regionalFormat());
  if (!convertUnits(conversion, 0)) {
    showError(this, qs(unknownConversionMessage(conversion)));
    return;
  }
  if (!value.ok()) {
    showError(this, qs(value.error));
    return;
  }
  number_->setEditText(qs(formatGeneral(*convertUnits(conversion, value.value), regionalFormat())));
}

}  // namespace kiv
