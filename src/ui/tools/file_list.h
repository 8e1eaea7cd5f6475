#pragma once
// The listing behind the file browser: one folder at a time, ".." first,
// then its folders, then its files, each group sorted without regard to
// case; hidden entries are not listed.

#include <QString>
#include <QStringList>

namespace kiv {

class FileList {
 public:
  static constexpr const char* kParent = "..";

  // Makes the folder current and lists it. A folder that cannot be read
  // lists only "..".
  void read(const QString& folder);
  void reread() { read(folder_); }
  // The parent of the current folder ("/" stays "/"), listed.
  void goUp();

  const QString& folder() const { return folder_; }
  const QStringList& names() const { return names_; }
  int count() const { return static_cast<int>(names_.size()); }
  bool isParent(int index) const { return index == 0; }
  // ".." and the folders.
  bool isFolder(int index) const { return index >= 0 && index < folderCount_; }
  QString pathOf(int index) const;
  int indexOf(const QString& name) const { return static_cast<int>(names_.indexOf(name)); }

 private:
  QString folder_ = QStringLiteral("/");
  QStringList names_{QString::fromLatin1(kParent)};
  int folderCount_ = 1;
};

}  // namespace kiv
