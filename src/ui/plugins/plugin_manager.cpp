#include "ui/plugins/plugin_manager.h"

#include <QAction>
#include <QCoreApplication>
#include <QEventLoop>
#include <QMenu>
#include <QPointer>
#include <QProgressDialog>
#include <QTimer>
#include <atomic>
#include <thread>

#include "core/charsets/code_page.h"
#include "core/charsets/utf8.h"
#include "ui/app/main_window.h"
#include "ui/common/dialogs.h"
#include "ui/common/qt_text.h"
#include "ui/editor/document_window.h"
#include "ui/editor/editor_interface.h"

namespace kiv {

QString pluginCaptionText(const std::string& caption) {
  if (isValidUtf8(caption)) return qs(caption);
  return qs(CodePage::get(CodePageId::Win1251).decodeToUtf8(caption));
}

std::vector<PluginMenuItem> pluginMenuItems(const std::vector<std::string>& captions) {
  // Built as a recent-items list: each caption goes to the top.
  std::vector<PluginMenuItem> items;
  for (const std::string& caption : captions) {
    const QString full = pluginCaptionText(caption);
    const qsizetype bar = full.indexOf(QLatin1Char('|'));
    PluginMenuItem item{bar < 0 ? full : full.left(bar), bar < 0 ? QString() : full.mid(bar + 1), caption};
    auto same = std::find_if(items.begin(), items.end(), [&](const PluginMenuItem& i) {
      return pluginCaptionText(i.caption).compare(full, Qt::CaseInsensitive) == 0;
    });
    if (same != items.end()) {
      item = *same;
      items.erase(same);
    }
    items.insert(items.begin(), std::move(item));
    if (items.size() > static_cast<std::size_t>(kPluginMenuCapacity)) items.pop_back();
  }
  return items;
}

PluginManager::PluginManager(MainWindow* main, const std::string& folder, const std::string& host)
    : QObject(main), main_(main), folder_(folder), host_(host) {}

void PluginManager::startUp() {
  const PluginFolderResult r = loadOrScanPlugins(registry_, folder_, host_);
  if (!r.ok()) showError(main_, qs(r.error));
}

void PluginManager::rebuildMenu() {
  QMenu* menu = main_->menu(QStringLiteral("plugsmenubase"));
  if (!menu) return;
  menu->clear();
  for (const PluginMenuItem& item : pluginMenuItems(registry_.captions())) {
    QString text = item.text;
    text.replace(QLatin1Char('&'), QStringLiteral("&&"));
    QAction* a = menu->addAction(text);
    a->setToolTip(item.hint);
    a->setStatusTip(item.hint);
    const std::string caption = item.caption;
    connect(a, &QAction::triggered, this, [this, caption] { runOnActiveDocument(caption); });
  }
  menu->setEnabled(!menu->actions().isEmpty());
  menu->menuAction()->setEnabled(menu->isEnabled());
}

void PluginManager::runOnActiveDocument(const std::string& caption) {
  if (!main_->hasDocument()) return;
  EditorInterface& ed = main_->editor();
  const QString shown = pluginCaptionText(caption).section(QLatin1Char('|'), 0, 0);
  // The menu item's text runs the first plugin whose caption equals it.
  const PluginRecord* record = registry_.findByCaption(caption);
  if (!record || record->fileName.find('/') != std::string::npos) {
    showError(main_, QStringLiteral("Плагина «%1» нет в списке плагинов.").arg(shown));
    return;
  }
  const std::string text = ed.workingText();
  QPointer<DocumentWindow> doc = main_->activeDocument();
  const PluginOutcome outcome = runWithProgress(folder_ + record->fileName, text, shown);
  if (!outcome.ok()) {
    showError(main_, qs(pluginFailureMessage(outcome, u8(shown), host_.timeLimit())));
    return;
  }
  // The document may have gone while the plugin ran (the program was asked
  // to end): the result then has nowhere to go.
  if (!doc || main_->activeDocument() != doc) return;
  ed.putWorkingText(outcome.text);
}

PluginOutcome PluginManager::runWithProgress(const std::string& library, const std::string& text,
                                             const QString& caption) {
  // A zero byte would cut the text: refused before anything starts.
  if (text.find('\0') != std::string::npos) {
    PluginOutcome o;
    o.failure = PluginFailure::ZeroByte;
    return o;
  }
  std::atomic<bool> stop{false};
  std::atomic<bool> done{false};
  PluginOutcome outcome;
  QEventLoop loop;
  std::thread worker([&] {
    outcome = host_.handleData(library, text, &stop);
    done = true;
    QMetaObject::invokeMethod(&loop, "quit", Qt::QueuedConnection);
  });
  // A quick plugin shows nothing; the user cannot type meanwhile. A slow one
  // gets a window with a button that stops it.
  QTimer patience;
  patience.setSingleShot(true);
  connect(&patience, &QTimer::timeout, &loop, &QEventLoop::quit);
  patience.start(400);
  loop.exec(QEventLoop::ExcludeUserInputEvents);
  if (!done) {
    QProgressDialog progress(QStringLiteral("Плагин «%1» обрабатывает текст…").arg(caption),
                             QStringLiteral("Прервать"), 0, 0, main_);
    progress.setObjectName(QStringLiteral("PluginProgress"));
    progress.setWindowTitle(QStringLiteral("Плагины"));
    progress.setWindowModality(Qt::ApplicationModal);
    progress.setMinimumDuration(0);
    connect(&progress, &QProgressDialog::canceled, &loop, [&stop] { stop = true; });
    progress.show();
    while (!done) loop.exec();
  }
  worker.join();
  return outcome;
}

void PluginManager::afterChange(const PluginFolderResult&) {
  rebuildMenu();
  emit registryChanged();
}

PluginFolderResult PluginManager::install(const QString& libraryPath) {
  const PluginFolderResult r = installPlugin(registry_, folder_, spath(libraryPath), host_);
  afterChange(r);
  return r;
}

PluginFolderResult PluginManager::remove(const std::string& caption) {
  const PluginFolderResult r = removePlugin(registry_, folder_, caption, host_);
  afterChange(r);
  return r;
}

PluginFolderResult PluginManager::rescan() {
  const PluginFolderResult r = rescanPlugins(registry_, folder_, host_);
  afterChange(r);
  return r;
}

QString PluginManager::scanAnnouncement() const {
  return QStringLiteral("scan at: ") + qpath(folder_) + QString::fromLatin1(PluginRegistry::kLibraryMask);
}

QStringList PluginManager::describe(const std::string& caption) const {
  const PluginRecord* r = registry_.findByCaption(caption);
  if (!r) return {};
  return {QStringLiteral("Название плагина: ") + pluginCaptionText(r->caption),
          QStringLiteral("Имя файла: ") + qpath(r->fileName)};
}

}  // namespace kiv
