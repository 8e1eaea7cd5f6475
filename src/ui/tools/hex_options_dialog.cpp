#include "ui/tools/hex_options_dialog.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/common/conversions.h"
#include "core/hex/byte_translation.h"
#include "ui/app/main_window.h"
#include "ui/common/dialogs.h"
#include "ui/common/qt_text.h"
#include "ui/tools/hex_editor_window.h"
#include "ui/tools/hex_view.h"

namespace kiv {

HexOptionsDialog::HexOptionsDialog(MainWindow* main)
    : ToolWindow(main, QStringLiteral("HexOptionsDialog"), QStringLiteral("HEX Editor optz"), true), main_(main) {
  auto* grid = new QGridLayout(this);
  grid->addWidget(new QLabel(QStringLiteral("Translation"), this), 0, 0);
  translation_ = new QComboBox(this);
  translation_->setObjectName(QStringLiteral("hexTranslation"));
  for (int i = 0; i < 5; ++i) translation_->addItem(qs(translationName(static_cast<ByteTranslation>(i))));
  grid->addWidget(translation_, 0, 1, 1, 2);
  grid->addWidget(new QLabel(QStringLiteral("bytes per column"), this), 1, 0);
  perColumn_ = new QLineEdit(QStringLiteral("2"), this);
  perColumn_->setObjectName(QStringLiteral("hexBytesPerColumn"));
  grid->addWidget(perColumn_, 1, 1);
  setPerColumn_ = new QPushButton(QStringLiteral("SET"), this);
  setPerColumn_->setObjectName(QStringLiteral("hexSetBytesPerColumn"));
  grid->addWidget(setPerColumn_, 1, 2);
  grid->addWidget(new QLabel(QStringLiteral("bytes per line"), this), 2, 0);
  perLine_ = new QLineEdit(QStringLiteral("16"), this);
  perLine_->setObjectName(QStringLiteral("hexBytesPerLine"));
  grid->addWidget(perLine_, 2, 1);
  setPerLine_ = new QPushButton(QStringLiteral("SET"), this);
  setPerLine_->setObjectName(QStringLiteral("hexSetBytesPerLine"));
  grid->addWidget(setPerLine_, 2, 2);

  connect(translation_, &QComboBox::currentIndexChanged, this, [this](int index) {
    if (auto* hex = main_->tools().get<HexEditorWindow>(QStringLiteral("HexEditorWindow")))
      hex->view()->setTranslation(static_cast<ByteTranslation>(index));
  });
  connect(setPerColumn_, &QPushButton::clicked, this, &HexOptionsDialog::applyBytesPerColumn);
  connect(setPerLine_, &QPushButton::clicked, this, &HexOptionsDialog::applyBytesPerLine);
}

void HexOptionsDialog::applyBytesPerColumn() {
  if (perColumn_->text().isEmpty()) return;
  const auto n = strToInt(u8(perColumn_->text()));
  if (!n.ok()) return showError(this, qs(n.error));
  if (n.value < 1) return showError(this, QStringLiteral("Invalid BytesPerColumn argument"));
  if (auto* hex = main_->tools().get<HexEditorWindow>(QStringLiteral("HexEditorWindow")))
    hex->view()->setBytesPerColumn(n.value);
}

void HexOptionsDialog::applyBytesPerLine() {
  if (perLine_->text().isEmpty()) return;
  const auto n = strToInt(u8(perLine_->text()));
  if (!n.ok()) return showError(this, qs(n.error));
  if (n.value < 1 || n.value > 256) return showError(this, QStringLiteral("Invalid BytesPerLine argument"));
  if (auto* hex = main_->tools().get<HexEditorWindow>(QStringLiteral("HexEditorWindow")))
    hex->view()->setBytesPerLine(n.value);
}

}  // namespace kiv
