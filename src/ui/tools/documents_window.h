#pragma once
// The documents window: a small always-on-top list of the open documents;
// clicking a line activates its document.

#include "ui/tools/tool_window.h"

class QListWidget;

namespace kiv {

class DocumentsWindow : public ToolWindow {
  Q_OBJECT
 public:
  explicit DocumentsWindow(MainWindow* main);
  QListWidget* list() const { return list_; }

 private:
  QListWidget* list_;
};

}  // namespace kiv
