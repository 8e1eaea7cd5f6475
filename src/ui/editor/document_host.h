#pragma once
// What the editor interface needs of the main window: the MDI area whose
// children are the documents, the caption and the status bar panels.

#include <QString>

class QMdiArea;
class QWidget;

namespace kiv {

class DocumentWindow;

class DocumentHost {
 public:
  virtual ~DocumentHost() = default;
  virtual QMdiArea* documentArea() const = 0;
  virtual QWidget* hostWidget() = 0;
  virtual void setHostCaption(const QString& caption) = 0;
  // Status bar panel 0…2.
  virtual void setStatusPanel(int panel, const QString& text) = 0;
  // A passing message in the status bar.
  virtual void showStatusMessage(const QString&) {}
  // A document window was created (before its settings are applied).
  virtual void documentCreated(DocumentWindow*) {}
};

}  // namespace kiv
