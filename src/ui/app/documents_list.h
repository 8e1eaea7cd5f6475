#pragma once
// The open documents as the "Документы" menu shows them (one item per
// document with Alt+0 … Alt+9 for the first ten slots) and as the documents
// window lists them. Entries keep a reference to their document, so names
// with "&" and names that differ only in case stay distinct.

#include <QObject>
#include <QPointer>
#include <vector>

class QAction;
class QListWidgetItem;
class QMenu;

namespace kiv {

class MainWindow;
class DocumentWindow;

class DocumentsList : public QObject {
  Q_OBJECT
 public:
  DocumentsList(MainWindow* main, QMenu* menu);

  void add(DocumentWindow* doc);
  void remove(DocumentWindow* doc);
  // Save As: the entry follows the document's new name.
  void rename(DocumentWindow* doc);
  // Brings the document to the front; every minimized document window is
  // restored; the main caption becomes the document's name.
  void activate(DocumentWindow* doc);
  void activateItem(QListWidgetItem* item);

  int count() const { return static_cast<int>(entries_.size()); }
  QAction* menuItemOf(DocumentWindow* doc) const;
  QListWidgetItem* listItemOf(DocumentWindow* doc) const;
  // Slot (0…9) of the document's shortcut, -1 for none.
  int slotOf(DocumentWindow* doc) const;

 private:
  struct Entry {
    QPointer<DocumentWindow> doc;
    QAction* action = nullptr;
    QListWidgetItem* item = nullptr;
    int slot = -1;
  };
  Entry* find(DocumentWindow* doc);
  const Entry* find(DocumentWindow* doc) const;

  MainWindow* main_;
  QMenu* menu_;
  std::vector<Entry> entries_;
};

// A file name as a menu caption: "&" stays a plain character.
QString menuCaption(const QString& text);

}  // namespace kiv
