#pragma once
// The main window: an MDI frame with the menu and tool bar built from the
// command table, the status bar and the program-wide objects. It reads
// "kiv.ini" when it is created and writes it back when it closes.

#include <QMainWindow>
#include <QPointer>
#include <QStringList>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/config/ini_file.h"
#include "core/config/program_paths.h"
#include "core/config/recent_files.h"
#include "core/config/settings.h"
#include "core/config/settings_table.h"
#include "core/translit/transliterator.h"
#include "ui/editor/document_host.h"

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QTimer;
class QTabWidget;

namespace kiv {

class FileFormats;
class EditorInterface;
class SoundPlayer;
class DocumentWindow;
class ToolWindows;
class DocumentsList;
class FileTypes;
class PluginManager;
class RecoveryKeeper;

class MainWindow : public QMainWindow, public DocumentHost {
  Q_OBJECT
 public:
  // A portable folder: everything beside the executable in programFolder.
  // arguments are the command line without the program name.
  MainWindow(const QString& programFolder, const QStringList& arguments, QWidget* parent = nullptr);
  // The files where `paths` puts them (an installed program).
  MainWindow(const ProgramPaths& paths, const QStringList& arguments, QWidget* parent = nullptr);
  ~MainWindow() override;

  // False when "kiv.ini" could not be created: the program ends at once.
  bool startedOk() const { return startedOk_; }
  // False when "kiv.ini" could not be read: nothing is written to it.
  bool settingsWritable() const { return settingsWritable_; }

  // --- DocumentHost ---
  QMdiArea* documentArea() const override { return mdi_; }
  QWidget* hostWidget() override { return this; }
  void setHostCaption(const QString& caption) override;
  void setStatusPanel(int panel, const QString& text) override;
  void documentCreated(DocumentWindow* doc) override;
  void showStatusMessage(const QString& text) override;
  QString statusPanel(int panel) const;

  // --- program-wide objects ---
  // Where kiv.ini, the Engine tree, the help files and the rest live.
  const ProgramPaths& paths() const { return paths_; }
  Configuration& config() { return config_; }
  Settings& settings() { return config_.settings; }
  IniFile& ini() { return *ini_; }
  RecentFiles& recent() { return recent_; }
  FileFormats& fileFormats() { return *fileFormats_; }
  EditorInterface& editor() { return *editor_; }
  SoundPlayer& sounds() { return *sounds_; }
  ToolWindows& tools() { return *tools_; }
  DocumentsList& documentsList() { return *documentsList_; }
  // The plugins: registry, menu, runs and the options page's operations.
  PluginManager& plugins() { return *plugins_; }
  // Recovery journals of the documents and the offer of those a crash left.
  RecoveryKeeper& recovery() { return *recovery_; }
  // The file type table; nullptr only while the window is being built.
  FileTypes* fileTypesOrNull() { return fileTypes_.get(); }
  FileTypes& fileTypes() { return *fileTypes_; }
  QTimer* autoScrollTimer() const { return autoScrollTimer_; }
  // The transliterator of the Encoding menu.
  Transliterator& transliterator() { return transliterator_; }

  bool hasDocument() const;
  DocumentWindow* activeDocument() const;
  QAction* action(const QString& component) const;
  QMenu* menu(const QString& component) const;
  QTabWidget* toolTabs() const { return tabs_; }

  // The shared open routine: opens the file in a new document window.
  // Returns the new window, or nullptr when nothing was opened.
  DocumentWindow* openFile(const QString& fileName);
  // Files a second start of the program handed over: opened here, and the
  // window brought forward.
  void openFilesFromAnotherStart(const QStringList& fileNames);
  // Closes a document without asking and without recording it (a document
  // whose opening failed half-way).
  void discardDocument(DocumentWindow* doc);
  // New: advances the untitled counter and creates a document.
  DocumentWindow* newDocument();
  // Restarts the automatic scrolling timer from the settings.
  void restartAutoScroll();
  // The document-closed callback.
  void documentClosed(const std::string& fileName, int leftColumn, int topLine);
  // Opens the first command-line argument (once, at the first activation).
  void firstActivation();
  // End of session (the desktop's, or SIGTERM, SIGINT, SIGHUP): saves every
  // document with a file when "shutdown" is on, then ends without a
  // question: unsaved documents stay in their recovery journals, kiv.ini is
  // written.
  void endSession();
  // Writes kiv.ini now when a setting or the recent-files list differs from
  // what the file holds (run every few seconds, so a crash loses none).
  void storeConfiguration();
  // Rebuilds the recent-files submenu.
  void refreshRecentMenu();
  // Shows an error from a failed file operation.
  void reportError(const QString& text);
  // The caption "Kiv build no. " + version.
  static QString buildCaption();
  // Cut and Copy enabled exactly when the active document has a selection.
  void updateEditActions();
  // The program's shortcuts that document windows must leave alone.
  QList<QKeySequence> programKeys() const;

 protected:
  void closeEvent(QCloseEvent* e) override;
  bool event(QEvent* e) override;
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dropEvent(QDropEvent* e) override;

 private:
  void createContents();
  bool prepareToClose();
  void buildStatusBar();
  void buildMenus();
  void buildToolBar();
  void readConfiguration();
  void writeConfiguration();
  void placeMainWindow();
  void installSignalHandlers();
  void saveFileTypes();
  bool prepareUserFolders(const QString& iniPath);

  ProgramPaths paths_;
  QStringList arguments_;
  bool startedOk_ = true;
  // False when "kiv.ini" is there but could not be read: it is left alone.
  bool settingsWritable_ = true;
  std::vector<const SettingKey*> clampedSettings_;  // numbers brought into their limits
  std::vector<const SettingKey*> refusedSettings_;  // values the file refused at exit
  bool closing_ = false;
  // The program is ending without questions (see endSession).
  bool endingSession_ = false;
  Configuration config_;
  std::unique_ptr<IniFile> ini_;
  RecentFiles recent_;
  std::unique_ptr<FileFormats> fileFormats_;
  std::unique_ptr<EditorInterface> editor_;
  Transliterator transliterator_;
  SoundPlayer* sounds_ = nullptr;
  PluginManager* plugins_ = nullptr;
  RecoveryKeeper* recovery_ = nullptr;
  std::unique_ptr<FileTypes> fileTypes_;
  std::unique_ptr<ToolWindows> tools_;
  std::unique_ptr<DocumentsList> documentsList_;
  QMdiArea* mdi_ = nullptr;
  QTimer* autoScrollTimer_ = nullptr;
  QTimer* activationFallback_ = nullptr;
  QLabel* panels_[3] = {nullptr, nullptr, nullptr};
  QTabWidget* tabs_ = nullptr;
  QMenu* recentMenu_ = nullptr;
  std::map<QString, QAction*> actions_;
  std::map<QString, QMenu*> menus_;
};

}  // namespace kiv
