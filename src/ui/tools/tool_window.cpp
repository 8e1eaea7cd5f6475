#include "ui/tools/tool_window.h"

#include <QLabel>
#include <QVBoxLayout>

#include "ui/app/main_window.h"
#include "ui/tools/analyzer_window.h"
#include "ui/tools/bookmarks_window.h"
#include "ui/tools/calculator_window.h"
#include "ui/tools/calendar_window.h"
#include "ui/tools/character_table_window.h"
#include "ui/tools/console_window.h"
#include "ui/tools/documents_window.h"
#include "ui/tools/enclose_dialog.h"
#include "ui/tools/file_browser_window.h"
#include "ui/tools/file_properties_dialog.h"
#include "ui/tools/find_in_files_window.h"
#include "ui/tools/hex_editor_window.h"
#include "ui/tools/hex_find_dialog.h"
#include "ui/tools/hex_options_dialog.h"
#include "ui/tools/hotlist_window.h"
#include "ui/tools/mask_dialog.h"
#include "ui/tools/replace_window.h"
#include "ui/tools/unit_converter_window.h"

namespace kiv {

ToolWindow::ToolWindow(MainWindow* main, const QString& className, const QString& caption, bool stayOnTop)
    : QWidget(main, Qt::Tool | (stayOnTop ? Qt::WindowStaysOnTopHint : Qt::WindowType(0))),
      main_(main),
      className_(className) {
  setObjectName(className);
  setWindowTitle(caption);
  hide();
}

void ToolWindow::toggle() {
  if (isVisible()) {
    hide();
  } else {
    show();
    raise();
    activateWindow();
  }
}

PlaceholderWindow::PlaceholderWindow(MainWindow* main, const QString& className, const QString& caption)
    : ToolWindow(main, className, caption, false) {
  auto* l = new QVBoxLayout(this);
  auto* label = new QLabel(QStringLiteral("Будет в следующей версии"), this);
  label->setAlignment(Qt::AlignCenter);
  l->addWidget(label);
  resize(320, 160);
}

namespace {
struct ToolSpec {
  const char* className;
  const char* caption;
};
// Creation order at start-up.
const ToolSpec kTools[] = {
    {"CharacterTableWindow", "Таблица символов"},
    {"ConsoleWindow", "Infoconsole"},
    {"ReplaceWindow", "Найти и заменить"},
    {"CalendarWindow", "Календарь"},
    {"AnalyzerWindow", "УНИверсальный Текстовый АналиЗатор 1.0"},
    {"CalculatorWindow", "Калькулятор мега-больших величин"},
    {"UnitConverterWindow", "Конвертация величин"},
    {"TableWizardDialog", "tablewizard"},
    {"OptionsDialog", "Настройки"},
    {"EncloseDialog", "Опции"},
    {"DocumentsWindow", "Документы"},
    {"HexEditorWindow", "HEX editor"},
    {"HexFindDialog", "HEx find"},
    {"HexOptionsDialog", "HEX Editor optz"},
    {"BookmarksWindow", "ЗАКЛАДКИ"},
    {"FileBrowserWindow", "Browser"},
    {"FindInFilesWindow", "Поиск в файлах"},
    {"MaskDialog", "Выбор файлов"},
    {"HotlistWindow", "Hotlist"},
    {"FilePropertiesDialog", "Свойства типа файлов"},
};
}  // namespace

QStringList ToolWindows::creationOrder() {
  QStringList names;
  for (const auto& t : kTools) names << QString::fromLatin1(t.className);
  return names;
}

ToolWindows::ToolWindows(MainWindow* main) {
  for (const auto& t : kTools) {
    const QString cls = QString::fromLatin1(t.className);
    const QString caption = QString::fromUtf8(t.caption);
    ToolWindow* w = nullptr;
    if (cls == QLatin1String("DocumentsWindow")) w = new DocumentsWindow(main);
    else if (cls == QLatin1String("ConsoleWindow")) w = new ConsoleWindow(main);
    else if (cls == QLatin1String("EncloseDialog")) w = new EncloseDialog(main);
    else if (cls == QLatin1String("FileBrowserWindow")) w = new FileBrowserWindow(main);
    else if (cls == QLatin1String("MaskDialog")) w = new MaskDialog(main);
    else if (cls == QLatin1String("HotlistWindow")) w = new HotlistWindow(main);
    else if (cls == QLatin1String("FilePropertiesDialog")) w = new FilePropertiesDialog(main);
    else if (cls == QLatin1String("ReplaceWindow")) w = new ReplaceWindow(main);
    else if (cls == QLatin1String("FindInFilesWindow")) w = new FindInFilesWindow(main);
    else if (cls == QLatin1String("AnalyzerWindow")) w = new AnalyzerWindow(main);
    else if (cls == QLatin1String("CharacterTableWindow")) w = new CharacterTableWindow(main);
    else if (cls == QLatin1String("CalendarWindow")) w = new CalendarWindow(main);
    else if (cls == QLatin1String("CalculatorWindow")) w = new CalculatorWindow(main);
    else if (cls == QLatin1String("UnitConverterWindow")) w = new UnitConverterWindow(main);
    else if (cls == QLatin1String("HexEditorWindow")) w = new HexEditorWindow(main);
    else if (cls == QLatin1String("HexFindDialog")) w = new HexFindDialog(main);
    else if (cls == QLatin1String("HexOptionsDialog")) w = new HexOptionsDialog(main);
    else if (cls == QLatin1String("BookmarksWindow")) w = new BookmarksWindow(main);
    else w = new PlaceholderWindow(main, cls, caption);
    windows_.push_back(w);
  }
}

ToolWindows::~ToolWindows() = default;

ToolWindow* ToolWindows::window(const QString& className) const {
  for (ToolWindow* w : windows_)
    if (w->className() == className) return w;
  return nullptr;
}

}  // namespace kiv
