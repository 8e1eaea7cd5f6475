#include "ui/app/main_window.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QScreen>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QStatusBar>
#include <QTimer>
#include <csignal>

#include "core/common/file_bytes.h"
#include "core/common/file_identity.h"
#include "core/config/settings_table.h"
#include "core/config/shipped_data.h"
#include "core/document/document_rules.h"
#include "core/fileio/file_formats.h"
#include "core/filetypes/file_types.h"
#include "ui/app/documents_list.h"
#include "ui/commands/command_dispatch.h"
#include "ui/commands/command_table.h"
#include "ui/commands/file_commands.h"
#include "ui/commands/file_reload.h"
#include "ui/common/dialogs.h"
#include "ui/common/qt_text.h"
#include "ui/common/sound_player.h"
#include "ui/editor/control/editing_control.h"
#include "ui/editor/document_window.h"
#include "ui/editor/editor_interface.h"
#include "ui/common/sleep_watcher.h"
#include "ui/plugins/plugin_manager.h"
#include "ui/app/termination_watch.h"
#include "ui/recovery/recovery_keeper.h"
#include "ui/tools/file_browser_window.h"
#include "ui/tools/documents_window.h"
#include "ui/tools/hex_editor_window.h"
#include "ui/tools/tool_window.h"

namespace kiv {

namespace {
int gSignalFds[2] = {-1, -1};
// How often kiv.ini is compared with the settings and written when they differ.
constexpr int kConfigurationCheckMs = 2000;
}  // namespace

QString MainWindow::buildCaption() { return QStringLiteral("Kiv build no. ") + QStringLiteral(KIV_VERSION_STRING); }

MainWindow::MainWindow(const QString& programFolder, const QStringList& arguments, QWidget* parent)
    : MainWindow(ProgramPaths::portable(spath(programFolder), spath(QCoreApplication::applicationDirPath())), arguments,
                 parent) {}

MainWindow::MainWindow(const ProgramPaths& paths, const QStringList& arguments, QWidget* parent)
    : QMainWindow(parent), paths_(paths), arguments_(arguments) {
  setObjectName(QStringLiteral("MainForm"));
  createContents();
}

MainWindow::~MainWindow() {
  // Documents go before the editor interface they call back.
  if (mdi_) {
    for (QMdiSubWindow* sub : mdi_->subWindowList()) {
      if (auto* t = qobject_cast<DocumentWindow*>(sub->widget())) disconnect(t, nullptr, this, nullptr);
      delete sub;
    }
  }
}

void MainWindow::createContents() {
  setAcceptDrops(true);
  mdi_ = new QMdiArea(this);
  mdi_->setObjectName(QStringLiteral("ClientArea"));
  mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setCentralWidget(mdi_);
  buildStatusBar();

  // The configuration file: beside the executable in a portable folder, where
  // it is created empty when missing; an installed program makes the user's
  // from the shipped default and copies the shipped data the user lacks.
  const QString iniPath = qpath(paths_.iniFile());
  if (paths_.mode() == RunMode::Portable) {
    if (!QFileInfo::exists(iniPath)) {
      QFile f(iniPath);
      if (f.open(QIODevice::WriteOnly)) f.close();
    }
  } else if (!prepareUserFolders(iniPath)) {
    startedOk_ = false;
    return;
  }
  ini_ = std::make_unique<IniFile>(spath(iniPath));
  settings().firstActivation = true;
  fileFormats_ = std::make_unique<FileFormats>();
  settings().untitledCounter = -1;
  if (!QFileInfo::exists(iniPath)) {
    showError(this, QStringLiteral("Файл инициализации kiv.ini не найден!"));
    startedOk_ = false;
    return;
  }
  if (!ini_->loadError().empty()) {
    // A file that is there but unreadable holds the user's settings: run on
    // defaults and leave it as it is.
    settingsWritable_ = false;
    showError(this, QStringLiteral("Не удалось прочитать файл настроек kiv.ini: %1. Настройки не будут сохранены.")
                        .arg(qs(ini_->loadError())));
  }
  readConfiguration();

  sounds_ = new SoundPlayer(this);
  autoScrollTimer_ = new QTimer(this);
  autoScrollTimer_->setObjectName(QStringLiteral("astimer"));
  connect(autoScrollTimer_, &QTimer::timeout, this, [this] {
    if (hasDocument()) editor_->scrollLines(settings().autoScrollLines);
  });

  // Transliteration modes; a value the engine does not know keeps its mode.
  transliterator_.applyConfiguration(settings().shchaMode, settings().khaMode, settings().wMode);

  EditorCallbacks callbacks;
  callbacks.documentClosed = [this](const std::string& name, int left, int top) { documentClosed(name, left, top); };
  callbacks.keyClickSound = [this] { sounds_->playKeyClickSound(); };
  callbacks.enterSound = [this] { sounds_->playEnterSound(); };
  callbacks.openFile = [this](const std::string& name) { openFile(qpath(name)); };
  editor_ = std::make_unique<EditorInterface>(this, std::move(callbacks), &settings());
  recovery_ = new RecoveryKeeper(this, qpath(paths_.recoveryFolder()));
  plugins_ = new PluginManager(this, settings().pluginsFolder, paths_.pluginHost());
  plugins_->startUp();

  buildMenus();
  buildToolBar();
  editor_->setProgramKeys(programKeys());
  fileTypes_ = std::make_unique<FileTypes>(paths_.fileTypesFile());
  if (!fileTypes_->loadError().empty())
    showError(this, QStringLiteral("Не удалось прочитать таблицу типов файлов %1: %2. Она не будет перезаписана.")
                        .arg(qpath(fileTypes_->path()), qs(fileTypes_->loadError())));
  tools_ = std::make_unique<ToolWindows>(this);
  documentsList_ = std::make_unique<DocumentsList>(this, menu(QStringLiteral("dox")));
  refreshRecentMenu();

  setWindowTitle(buildCaption());
  placeMainWindow();

  installSignalHandlers();
  // Standby and suspend are one event here: the system going to sleep.
  new SleepWatcher(this, [this] {
    if (settings().saveAllOnStandBy || settings().saveAllOnSuspend) saveAllDocuments(*this);
  });
  connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& manager) {
    endSession();
    if (isVisible()) manager.cancel();
  });
  connect(mdi_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* sub) {
    if (!sub) {
      // With the last document gone the panels describe nothing.
      if (mdi_->subWindowList().isEmpty()) {
        setStatusPanel(1, QString());
        setStatusPanel(2, QString());
        setWindowTitle(buildCaption());
      }
      updateEditActions();
      return;
    }
    if (auto* t = qobject_cast<DocumentWindow*>(sub->widget())) t->activated();
    updateEditActions();
    QTimer::singleShot(0, this, [this] { offerReloadOfChangedFile(*this); });
  });
  // The command line is opened at the first activation, or as soon as the
  // shown window has had its first turn of the event loop, whichever comes
  // first: without a window manager the window may never be activated, and
  // with one there is nothing to gain by waiting for it.
  activationFallback_ = new QTimer(this);
  activationFallback_->setSingleShot(true);
  activationFallback_->setInterval(0);
  connect(activationFallback_, &QTimer::timeout, this, &MainWindow::firstActivation);
}

bool MainWindow::prepareUserFolders(const QString& iniPath) {
  for (const std::string& folder : {paths_.configFolder(), paths_.dataFolder(), paths_.stateFolder()}) {
    if (!QDir().mkpath(qpath(folder))) {
      showError(this, QStringLiteral("Не удалось создать папку %1.").arg(qpath(folder)));
      return false;
    }
  }
  CopyResult r = createFileIfMissing(spath(iniPath), paths_.defaultIniFile());
  if (!r.ok()) {
    showError(this, QStringLiteral("Файл инициализации kiv.ini не найден!") + QLatin1Char('\n') + qs(r.error));
    return false;
  }
  // Missing shipped files are a nuisance, not a reason to stop.
  r = copyMissingFiles(paths_.shippedEngineFolder(), paths_.engineFolder());
  if (r.ok()) r = copyMissingFiles(paths_.shippedPluginsFolder(), paths_.pluginsFolder());
  if (!r.ok()) showError(this, QStringLiteral("Не удалось подготовить данные программы: %1.").arg(qs(r.error)));
  return true;
}

void MainWindow::readConfiguration() {
  const std::string startFolder =
      paths_.mode() == RunMode::Portable ? paths_.dataFolder() : spath(QDir::homePath() + QLatin1Char('/'));
  config_.session.lastOpenFolder = startFolder;
  config_.session.lastSaveFolder = startFolder;
  config_.session.fileBrowserFolder = spath(QDir::homePath());
  // Numbers brought into their limits are written back at exit.
  clampedSettings_ = readSettings(*ini_, config_);
  buildFolders(settings(), paths_, settings().codeTablesFolder);
  recent_.setCapacity(RecentFiles::kStartCapacity);
  if (recent_.read(*ini_) > 0)
    showError(this, QStringLiteral("Часть списка недавних файлов в kiv.ini повреждена и пропущена."));
}

void MainWindow::placeMainWindow() {
  WindowBounds b = config_.session.mainWindow;
  QScreen* screen = QGuiApplication::screenAt(QPoint(b.left + b.width / 2, b.top + b.height / 2));
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (screen) {
    const QRect a = screen->availableGeometry();
    b = fitBounds(b, WindowBounds{a.top(), a.left(), a.width(), a.height()});
  }
  move(b.left, b.top);
  resize(b.width, b.height);
}

void MainWindow::buildStatusBar() {
  auto* bar = statusBar();
  bar->setObjectName(QStringLiteral("StatusBar"));
  const int widths[3] = {150, 100, 50};
  for (int i = 0; i < 3; ++i) {
    panels_[i] = new QLabel(bar);
    panels_[i]->setFixedWidth(widths[i]);
    panels_[i]->setFrameStyle(i == 1 ? (QFrame::Panel | QFrame::Raised) : (QFrame::Panel | QFrame::Sunken));
    bar->addWidget(panels_[i]);
  }
}

void MainWindow::setHostCaption(const QString& caption) { setWindowTitle(caption); }

void MainWindow::setStatusPanel(int panel, const QString& text) {
  if (panel >= 0 && panel < 3) panels_[panel]->setText(text);
}

QString MainWindow::statusPanel(int panel) const {
  return panel >= 0 && panel < 3 ? panels_[panel]->text() : QString();
}

bool MainWindow::hasDocument() const { return mdi_ && !mdi_->subWindowList().isEmpty(); }

DocumentWindow* MainWindow::activeDocument() const { return editor_ ? editor_->active() : nullptr; }

QAction* MainWindow::action(const QString& component) const {
  auto it = actions_.find(component);
  return it == actions_.end() ? nullptr : it->second;
}

QMenu* MainWindow::menu(const QString& component) const {
  auto it = menus_.find(component);
  return it == menus_.end() ? nullptr : it->second;
}

QList<QKeySequence> MainWindow::programKeys() const {
  QList<QKeySequence> keys;
  for (const auto& [name, a] : actions_)
    for (const auto& k : a->shortcuts()) keys << k;
  for (int i = 0; i < 10; ++i) keys << QKeySequence(Qt::ALT | static_cast<Qt::Key>(Qt::Key_0 + i));
  return keys;
}

void MainWindow::buildMenus() {
  QMenuBar* bar = menuBar();
  for (const auto& top : topMenus()) {
    QMenu* m = bar->addMenu(QString::fromUtf8(top.caption));
    m->setObjectName(QString::fromLatin1(top.component));
    m->setToolTipsVisible(true);
    menus_[m->objectName()] = m;
  }
  auto topMenu = [this](const QString& caption) -> QMenu* {
    for (const auto& top : topMenus())
      if (caption == QString::fromUtf8(top.caption)) return menu(QString::fromLatin1(top.component));
    return nullptr;
  };
  for (const auto& row : commandTable()) {
    const QStringList path = QString::fromUtf8(row.menuPath).split(QLatin1Char('/'));
    QMenu* parent = topMenu(path.first());
    for (int i = 1; parent && i < path.size(); ++i) {
      QMenu* sub = nullptr;
      for (QAction* a : parent->actions())
        if (a->menu() && a->menu()->title() == path[i]) sub = a->menu();
      if (!sub) {
        sub = parent->addMenu(path[i]);
        sub->setToolTipsVisible(true);
      }
      parent = sub;
    }
    if (!parent) continue;
    QAction* a = parent->addAction(QString::fromUtf8(row.caption));
    a->setObjectName(QString::fromLatin1(row.component));
    if (*row.shortcut) a->setShortcut(QKeySequence(QString::fromLatin1(row.shortcut), QKeySequence::PortableText));
    a->setShortcutContext(Qt::WindowShortcut);
    actions_[a->objectName()] = a;
    addAction(a);
    if (a->objectName() == QLatin1String("mwordwrap") || a->objectName() == QLatin1String("mniAscroll")) {
      a->setCheckable(true);
      a->setChecked(a->objectName() == QLatin1String("mwordwrap") ? settings().wordWrap : settings().autoScroll);
    }
    bindCommand(*this, a, row);
    if (QString::fromLatin1(row.component) == QLatin1String("mniOpen")) {
      recentMenu_ = parent->addMenu(QStringLiteral("Документы"));
      recentMenu_->setObjectName(QStringLiteral("MR"));
      menus_[recentMenu_->objectName()] = recentMenu_;
    }
  }
  menu(QStringLiteral("dox"))->addSeparator()->setObjectName(QStringLiteral("ah1"));
  for (QAction* a : menu(QStringLiteral("FileMenu"))->actions())
    if (a->menu() && a->text() == QStringLiteral("Экспортировать в")) a->setStatusTip(QStringLiteral("Зафуговать в..."));
  updateSystemFileItems(*this);
  if (QMenu* file = menu(QStringLiteral("FileMenu")))
    connect(file, &QMenu::aboutToShow, this, [this] { updateSystemFileItems(*this); });
  plugins_->rebuildMenu();
}

void MainWindow::refreshRecentMenu() {
  if (!recentMenu_) return;
  recentMenu_->clear();
  for (const auto& e : recent_.entries()) {
    QAction* a = recentMenu_->addAction(menuCaption(qpath(e.fileName)));
    const std::string name = e.fileName;
    connect(a, &QAction::triggered, this, [this, name] { openRecent(*this, name); });
  }
  recentMenu_->setEnabled(!recent_.empty());
  recentMenu_->menuAction()->setEnabled(!recent_.empty());
}

void MainWindow::reportError(const QString& text) { showError(this, text); }

// ---------------------------------------------------------------------------
// Documents

DocumentWindow* MainWindow::newDocument() {
  ++settings().untitledCounter;
  DocumentWindow* doc = editor_->createDocument(this);
  documentsList_->add(doc);
  setHostCaption(qpath(doc->fileName()));
  return doc;
}

void MainWindow::documentCreated(DocumentWindow* doc) {
  if (recovery_) recovery_->watch(doc);
  connect(doc, &DocumentWindow::closing, this, [this](DocumentWindow* t) { documentsList_->remove(t); });
  connect(doc->control(), &QsciScintilla::selectionChanged, this, &MainWindow::updateEditActions);
  // Files dropped on a document's text go where files dropped on the frame go.
  connect(doc->control(), &QsciScintillaBase::SCN_URIDROPPED, this, [this](const QUrl& url) {
    if (url.isLocalFile()) dropFiles(*this, {url.toLocalFile()});
  });
}

DocumentWindow* MainWindow::openFile(const QString& fileName) {
  const QFileInfo fileInfo(fileName);
  if (!fileInfo.isFile()) return nullptr;
  const std::string path = spath(fileInfo.absoluteFilePath());
  const std::optional<FileIdentity> identity = fileIdentity(path);
  // What the file is is learnt before its window exists: a read error leaves nothing behind.
  const std::optional<DocumentFileInfo> info = examineDocumentFile(*this, path);
  if (!info) return nullptr;
  DocumentWindow* doc = nullptr;
  try {
    doc = editor_->createDocument(this);
  } catch (const std::bad_alloc&) {
    reportError(QStringLiteral("Недостаточно памяти, чтобы открыть файл %1").arg(qpath(path)));
    return nullptr;
  }
  if (!readIntoDocument(*this, doc, path, *info, false)) {
    discardDocument(doc);
    return nullptr;
  }
  doc->setHasFile(true);
  editor_->setFileName(path);
  doc->selectHighlighter(qs(highlighterForFile(path)));
  doc->setDiskIdentity(identity);
  if (identity) doc->setReadFrom(DocumentWindow::ReadFrom{path, *info, *identity});
  documentsList_->add(doc);
  restartAutoScroll();
  if (settings().backupOnOpen) {
    try {
      writeBackupCopy(*this, doc);
    } catch (const FileError& e) {
      reportError(qs(e.what()));
    }
  }
  return doc;
}

void MainWindow::discardDocument(DocumentWindow* doc) {
  doc->control()->setModifiedFlag(false);
  if (QMdiSubWindow* sub = doc->subWindow()) {
    sub->close();
  }
}

void MainWindow::showStatusMessage(const QString& text) { statusBar()->showMessage(text, 10000); }

void MainWindow::restartAutoScroll() {
  autoScrollTimer_->setInterval(std::max(1, settings().autoScrollInterval));
  if (settings().autoScroll) autoScrollTimer_->start();
  else autoScrollTimer_->stop();
}

void MainWindow::documentClosed(const std::string& fileName, int, int topLine) {
  if (settings().versions.saveOnClose) saveVersionOnClose(*this, fileName);
  if (fileName.find("untitled") == std::string::npos) {
    recent_.add(fileName, topLine);
    refreshRecentMenu();
  }
}

void MainWindow::openFilesFromAnotherStart(const QStringList& fileNames) {
  if (isMinimized()) showNormal();
  raise();
  activateWindow();
  for (const QString& f : fileNames) openFile(f);
}

void MainWindow::firstActivation() {
  if (!settings().firstActivation) return;
  settings().firstActivation = false;
  if (!arguments_.isEmpty()) openFile(QFileInfo(arguments_.first()).absoluteFilePath());
  recovery_->offerLeftJournals();
}

bool MainWindow::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate && settings().firstActivation)
    QTimer::singleShot(0, this, &MainWindow::firstActivation);
  if (e->type() == QEvent::WindowActivate) QTimer::singleShot(0, this, [this] { offerReloadOfChangedFile(*this); });
  if (e->type() == QEvent::Show && settings().firstActivation && activationFallback_) activationFallback_->start();
  return QMainWindow::event(e);
}

// ---------------------------------------------------------------------------
// End of the program

void MainWindow::installSignalHandlers() {
  if (gSignalFds[0] < 0 && ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, gSignalFds) != 0) return;
  auto* notifier = new QSocketNotifier(gSignalFds[1], QSocketNotifier::Read, this);
  connect(notifier, &QSocketNotifier::activated, this, [this] {
    char b;
    (void)!::read(gSignalFds[1], &b, 1);
    terminationTakenUp();
    endSession();
  });
  installTerminationHandlers(gSignalFds[0]);

  auto* configTimer = new QTimer(this);
  configTimer->setInterval(kConfigurationCheckMs);
  connect(configTimer, &QTimer::timeout, this, &MainWindow::storeConfiguration);
  configTimer->start();
}

void MainWindow::endSession() {
  if (closing_) return;
  // A dialog left open would keep the program waiting for it.
  for (int i = 0; i < 16; ++i) {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->close()) break;
  }
  if (settings().saveAllOnShutdown) saveAllDocuments(*this);
  endingSession_ = true;
  close();
}

void MainWindow::storeConfiguration() {
  if (!startedOk_ || closing_ || !settingsWritable_ || !ini_ || !tools_) return;
  const std::string before = ini_->serialize();
  ini_->setAutoFlush(false);
  // The list is cut to its configured length in the file only; the menu
  // keeps its entries until exit, as before.
  const RecentFiles shown = recent_;
  writeConfiguration();
  recent_.write(*ini_);
  recent_ = shown;
  ini_->setAutoFlush(true);
  if (ini_->serialize() != before) ini_->flush();
}

void MainWindow::writeConfiguration() {
  SessionState& s = config_.session;
  // The position of the frame, as move() takes it at the next start, and
  // the size as resize() takes it.
  s.mainWindow = {y(), x(), width(), height()};
  auto bounds = [this](const char* cls, WindowBounds& into) {
    if (ToolWindow* w = tools_ ? tools_->window(QString::fromLatin1(cls)) : nullptr) {
      const QRect r = w->geometry();
      into = {r.top(), r.left(), r.width(), r.height()};
    }
  };
  bounds("BookmarksWindow", s.bookmarksWindow);
  bounds("DocumentsWindow", s.documentsWindow);
  bounds("FileBrowserWindow", s.fileBrowser);
  if (auto* browser = tools_ ? tools_->get<FileBrowserWindow>(QStringLiteral("FileBrowserWindow")) : nullptr)
    s.fileBrowserFolder = spath(browser->folder());
  const QColor window = palette().color(QPalette::Window);
  s.mainWindowColor = window.red() | (window.green() << 8) | (window.blue() << 16);
  s.writeLastFolders = false;
  if (DocumentWindow* doc = activeDocument(); doc && doc->hasFile()) {
    const QString folder = QFileInfo(qpath(doc->fileName())).absolutePath() + QLatin1Char('/');
    s.lastOpenFolder = s.lastSaveFolder = spath(folder);
    s.writeLastFolders = true;
  }
  if (QAction* wrap = action(QStringLiteral("mwordwrap"))) settings().wordWrap = wrap->isChecked();
  recent_.setCapacity(settings().recentFilesCount);
  refusedSettings_ = writeSettings(*ini_, config_, clampedSettings_);
}

bool MainWindow::prepareToClose() {
  if (endingSession_) {
    // No one can answer a question now: unsaved documents stay in their
    // journals and close as if saved.
    recovery_->keepAll();
    for (DocumentWindow* doc : editor_->documents()) doc->control()->setModifiedFlag(false);
  }
  // The hex editor's unsaved bytes are asked about like a document's.
  if (auto* hex = tools_->get<HexEditorWindow>(QStringLiteral("HexEditorWindow"));
      hex && !endingSession_ && !hex->confirmDiscard())
    return false;
  // Settings that could not be read are not written either.
  if (settingsWritable_) writeConfiguration();
  // Every document is asked to close, last MDI child first; one that stays
  // open (its close question answered No) keeps the program running.
  const QList<DocumentWindow*> docs = editor_->documents();
  for (auto it = docs.rbegin(); it != docs.rend(); ++it) {
    QPointer<QMdiSubWindow> sub = (*it)->subWindow();
    if (!sub) continue;
    if (!sub->close()) return false;
  }
  if (!settingsWritable_) return true;
  recent_.write(*ini_);
  if (ini_->lastFlushFailed())
    reportError(QStringLiteral("Не удалось записать файл настроек %1").arg(qpath(ini_->path())));
  if (!refusedSettings_.empty()) {
    QStringList keys;
    for (const SettingKey* k : refusedSettings_) keys << QStringLiteral("[%1] %2").arg(qs(k->section), qs(k->key));
    reportError(QStringLiteral("Значения с переводом строки не записаны в kiv.ini: %1.").arg(keys.join(QStringLiteral(", "))));
  }
  return true;
}

void MainWindow::closeEvent(QCloseEvent* e) {
  if (!startedOk_ || closing_) {
    e->accept();
    return;
  }
  if (!prepareToClose()) {
    e->ignore();
    return;
  }
  closing_ = true;
  saveFileTypes();
  for (ToolWindow* w : tools_->all()) w->close();
  if (!endingSession_) recovery_->removeFolderIfEmpty();
  else recovery_->removeFolderIfEmptyNow();  // a folder still holding journals stays
  e->accept();
}

void MainWindow::saveFileTypes() {
  if (!fileTypes_ || !fileTypes_->loadError().empty()) return;
  std::string why;
  if (!fileTypes_->save(&why))
    reportError(QStringLiteral("Не удалось записать таблицу типов файлов %1: %2").arg(qpath(fileTypes_->path()), qs(why)));
}

// ---------------------------------------------------------------------------
// Drag and drop

void MainWindow::dragEnterEvent(QDragEnterEvent* e) {
  if (e->mimeData()->hasUrls()) e->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* e) {
  QStringList files;
  for (const QUrl& url : e->mimeData()->urls())
    if (url.isLocalFile()) files << url.toLocalFile();
  if (files.isEmpty()) return;
  e->acceptProposedAction();
  dropFiles(*this, files);
}

}  // namespace kiv
