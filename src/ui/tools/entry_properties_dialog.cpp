#include "ui/tools/entry_properties_dialog.h"

#include <QDateTime>
#include <QDialogButtonBox>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QLabel>
#include <QLocale>
#include <QVBoxLayout>

namespace kiv {

namespace {
QString permissionsText(QFile::Permissions p) {
  const std::pair<QFile::Permission, char> bits[] = {
      {QFile::ReadOwner, 'r'}, {QFile::WriteOwner, 'w'}, {QFile::ExeOwner, 'x'},
      {QFile::ReadGroup, 'r'}, {QFile::WriteGroup, 'w'}, {QFile::ExeGroup, 'x'},
      {QFile::ReadOther, 'r'}, {QFile::WriteOther, 'w'}, {QFile::ExeOther, 'x'}};
  QString s;
  for (const auto& [bit, c] : bits) s += (p & bit) ? QLatin1Char(c) : QLatin1Char('-');
  return s;
}
}  // namespace

QStringList EntryPropertiesDialog::describe(const QString& path) {
  const QFileInfo info(path);
  if (!info.exists() && !info.isSymLink()) return {QStringLiteral("Нет такого файла: ") + path};
  const QLocale locale;
  QString kind = info.isSymLink() ? QStringLiteral("ссылка на ") + info.symLinkTarget()
                 : info.isDir()   ? QStringLiteral("папка")
                 : info.isFile()  ? QStringLiteral("файл")
                                  : QStringLiteral("особый файл");
  QStringList lines{QStringLiteral("Имя: ") + info.fileName(), QStringLiteral("Папка: ") + info.absolutePath(),
                    QStringLiteral("Тип: ") + kind};
  if (info.isFile()) {
    lines << QStringLiteral("Размер: %1 байт").arg(locale.toString(info.size()));
  } else if (info.isDir()) {
    int count = 0;
    for (QDirIterator it(path, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System); it.hasNext(); it.next())
      ++count;
    lines << QStringLiteral("Элементов: %1").arg(count);
  }
  lines << QStringLiteral("Изменён: ") + locale.toString(info.lastModified(), QLocale::LongFormat)
        << QStringLiteral("Владелец: %1, группа: %2").arg(info.owner(), info.group())
        << QStringLiteral("Права: ") + permissionsText(info.permissions());
  return lines;
}

EntryPropertiesDialog::EntryPropertiesDialog(const QString& path, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("EntryPropertiesDialog"));
  setWindowTitle(QStringLiteral("Свойства: ") + QFileInfo(path).fileName());
  setAttribute(Qt::WA_DeleteOnClose);
  auto* l = new QVBoxLayout(this);
  auto* text = new QLabel(describe(path).join(QLatin1Char('\n')), this);
  text->setTextInteractionFlags(Qt::TextSelectableByMouse);
  l->addWidget(text);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
  l->addWidget(buttons);
}

}  // namespace kiv
