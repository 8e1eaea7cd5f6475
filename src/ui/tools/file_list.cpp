#include "ui/tools/file_list.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <algorithm>

#include "core/filebrowser/browser_paths.h"
#include "ui/common/qt_text.h"

namespace kiv {

void FileList::read(const QString& folder) {
  folder_ = qpath(normalizeFolder(spath(QDir::cleanPath(folder))));
  QStringList folders, files;
  const QDir dir(folder_);
  for (const QFileInfo& info : dir.entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot, QDir::NoSort))
    (info.isDir() ? folders : files) << info.fileName();
  QCollator collator;
  collator.setCaseSensitivity(Qt::CaseInsensitive);
  collator.setNumericMode(false);
  auto less = [&collator](const QString& a, const QString& b) {
    const int c = collator.compare(a, b);
    return c != 0 ? c < 0 : a < b;
  };
  std::sort(folders.begin(), folders.end(), less);
  std::sort(files.begin(), files.end(), less);
  names_ = QStringList{QString::fromLatin1(kParent)} + folders + files;
  folderCount_ = 1 + static_cast<int>(folders.size());
}

void FileList::goUp() { read(qpath(parentFolder(spath(folder_)))); }

QString FileList::pathOf(int index) const {
  if (index < 0 || index >= count()) return {};
  if (isParent(index)) return qpath(parentFolder(spath(folder_)));
  return qpath(entryPath(spath(folder_), spath(names_[index])));
}

}  // namespace kiv
