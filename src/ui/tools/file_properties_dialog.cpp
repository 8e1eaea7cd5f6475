#include "ui/tools/file_properties_dialog.h"

#include <QColorDialog>
#include <QEventLoop>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/common/dialogs.h"
#include "ui/common/qt_text.h"
#include "ui/editor/control/background_fill.h"

namespace kiv {

namespace {
QWidget* withBrowseButton(QWidget* parent, QLineEdit* edit, const QString& title) {
  auto* row = new QWidget(parent);
  auto* l = new QHBoxLayout(row);
  l->setContentsMargins(0, 0, 0, 0);
  l->addWidget(edit, 1);
  auto* browse = new QPushButton(QStringLiteral("..."), row);
  browse->setFixedWidth(30);
  l->addWidget(browse);
  QObject::connect(browse, &QPushButton::clicked, row, [row, edit, title] {
    if (auto files = chooseFilesToOpen(row, title, edit->text(), {QStringLiteral("Все файлы (*)")}, false);
        files && !files->isEmpty())
      edit->setText(files->first());
  });
  return row;
}
}  // namespace

FilePropertiesDialog::FilePropertiesDialog(MainWindow* main)
    : ToolWindow(main, QStringLiteral("FilePropertiesDialog"), QStringLiteral("Свойства типа файлов"), true) {
  auto* l = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  extension_ = new QLineEdit(QStringLiteral("TXT"), this);
  extension_->setObjectName(QStringLiteral("edExt"));
  extension_->setToolTip(QStringLiteral("Например - TXT - без точки, без *"));
  form->addRow(QStringLiteral("Расширение:"), extension_);
  auto* colorRow = new QHBoxLayout;
  colorButton_ = new QPushButton(this);
  colorButton_->setObjectName(QStringLiteral("ColorBox"));
  colorButton_->setMinimumWidth(80);
  auto* more = new QPushButton(QStringLiteral("больше"), this);
  colorRow->addWidget(colorButton_);
  colorRow->addWidget(more);
  colorRow->addStretch();
  form->addRow(QStringLiteral("Цвет"), colorRow);
  viewer_ = new QLineEdit(this);
  viewer_->setObjectName(QStringLiteral("edViewer"));
  form->addRow(QStringLiteral("Смотрелка (F3)"), withBrowseButton(this, viewer_, QStringLiteral("Смотрелка")));
  editor_ = new QLineEdit(this);
  editor_->setObjectName(QStringLiteral("edEditor"));
  form->addRow(QStringLiteral("Редактор (F4)"), withBrowseButton(this, editor_, QStringLiteral("Редактор")));
  l->addLayout(form);
  auto* buttons = new QHBoxLayout;
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  auto* cancel = new QPushButton(QStringLiteral("Отмена"), this);
  ok->setDefault(true);
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  l->addLayout(buttons);
  auto pick = [this] {
    const QColor c = QColorDialog::getColor(colorOf(color_), this, windowTitle());
    if (c.isValid()) setColor(c.red() | (c.green() << 8) | (c.blue() << 16));
  };
  connect(colorButton_, &QPushButton::clicked, this, pick);
  connect(more, &QPushButton::clicked, this, pick);
  connect(ok, &QPushButton::clicked, this, &FilePropertiesDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &FilePropertiesDialog::reject);
  setColor(FileTypes::kDefaultColor);
  resize(380, 180);
}

void FilePropertiesDialog::setColor(int color) {
  color_ = color;
  colorButton_->setStyleSheet(QStringLiteral("background-color: %1").arg(colorOf(color).name()));
}

void FilePropertiesDialog::accept() {
  accepted_ = true;
  hide();
}

void FilePropertiesDialog::reject() {
  accepted_ = false;
  hide();
}

bool FilePropertiesDialog::edit(FileType& type, bool adding) {
  extension_->setText(adding ? QStringLiteral("TXT") : qs(type.name));
  viewer_->setText(adding ? QString() : qpath(type.viewer));
  editor_->setText(adding ? QString() : qpath(type.editor));
  setColor(adding ? FileTypes::kDefaultColor : type.color);
  accepted_ = false;
  setWindowModality(Qt::ApplicationModal);
  show();
  raise();
  activateWindow();
  extension_->setFocus();
  QEventLoop loop;
  while (isVisible()) loop.processEvents(QEventLoop::WaitForMoreEvents);
  setWindowModality(Qt::NonModal);
  if (!accepted_) return false;
  type.name = u8(extension_->text());
  type.viewer = spath(viewer_->text());
  type.editor = spath(editor_->text());
  type.color = color_;
  return true;
}

}  // namespace kiv
