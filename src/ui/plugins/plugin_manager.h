#pragma once
// The plugins of the program: the registry read at start-up, the "Плагины"
// menu built from it, running a plugin on the working text of the active
// document, and the operations of the options dialog's plugin page. Every
// plugin call goes through the plugin host (core/plugins/plugin_host.h):
// a plugin that crashes, hangs or answers nonsense leaves the document as
// it was and says why.

#include <QObject>
#include <QString>
#include <chrono>
#include <string>
#include <vector>

#include "core/plugins/plugin_folder.h"
#include "core/plugins/plugin_host.h"
#include "core/plugins/plugin_registry.h"

class QMenu;

namespace kiv {

class MainWindow;

// One item of the "Плагины" menu.
struct PluginMenuItem {
  QString text;         // the caption up to its first "|"
  QString hint;         // the rest of the caption
  std::string caption;  // the caption's bytes, which run the plugin
};

// The menu's items for captions in registry order: the last registered
// first; a caption equal to one already listed without regard to case is
// listed once (where the later one would stand); at most 100 items, those
// registered first falling off.
std::vector<PluginMenuItem> pluginMenuItems(const std::vector<std::string>& captions);
inline constexpr int kPluginMenuCapacity = 100;

// A caption's bytes as text: UTF-8 when they are valid UTF-8, else
// Windows-1251.
QString pluginCaptionText(const std::string& caption);

class PluginManager : public QObject {
  Q_OBJECT
 public:
  // folder: the plugins folder, ending in "/". The host program is looked
  // for beside the running executable.
  // `host` is the path of the plugin helper.
  PluginManager(MainWindow* main, const std::string& folder, const std::string& host);

  const PluginRegistry& registry() const { return registry_; }
  PluginHost& host() { return host_; }
  const std::string& folder() const { return folder_; }

  // Reads "plugslist.idx", or scans the folder and writes it.
  void startUp();
  // Fills the "Плагины" menu from the registry.
  void rebuildMenu();
  // Runs the plugin with that caption on the working text of the active
  // document, as one undo step. Nothing happens without a document.
  void runOnActiveDocument(const std::string& caption);

  // --- The options dialog's plugin page. Each rescans the folder, writes
  // "plugslist.idx" and rebuilds the menu; the result says what was skipped
  // and what went wrong.
  PluginFolderResult install(const QString& libraryPath);
  PluginFolderResult remove(const std::string& caption);
  PluginFolderResult rescan();
  // The line shown before a rescan: "scan at: " + folder + "*.so".
  QString scanAnnouncement() const;
  // The two information lines of a plugin: caption and file name.
  QStringList describe(const std::string& caption) const;

 signals:
  void registryChanged();

 private:
  PluginOutcome runWithProgress(const std::string& library, const std::string& text, const QString& caption);
  void afterChange(const PluginFolderResult& r);

  MainWindow* main_;
  std::string folder_;
  PluginRegistry registry_;
  PluginHost host_;
};

}  // namespace kiv
