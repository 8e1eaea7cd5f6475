#pragma once
// Tool windows: created once at start, hidden, living until the program
// ends; their commands show, hide or toggle them and their state survives
// hiding.

#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

namespace kiv {

class MainWindow;

class ToolWindow : public QWidget {
  Q_OBJECT
 public:
  ToolWindow(MainWindow* main, const QString& className, const QString& caption, bool stayOnTop);
  const QString& className() const { return className_; }
  MainWindow* mainWindow() const { return main_; }
  // Shows a hidden window, hides a shown one.
  void toggle();

 private:
  MainWindow* main_;
  QString className_;
};

// A window whose commands come in a later version: it says so.
class PlaceholderWindow : public ToolWindow {
  Q_OBJECT
 public:
  PlaceholderWindow(MainWindow* main, const QString& className, const QString& caption);
};

// All tool windows, created in their fixed order.
class ToolWindows {
 public:
  explicit ToolWindows(MainWindow* main);
  ~ToolWindows();
  ToolWindow* window(const QString& className) const;
  template <class T>
  T* get(const QString& className) const {
    return qobject_cast<T*>(window(className));
  }
  const std::vector<ToolWindow*>& all() const { return windows_; }
  // The class names in creation order.
  static QStringList creationOrder();

 private:
  std::vector<ToolWindow*> windows_;
};

}  // namespace kiv
