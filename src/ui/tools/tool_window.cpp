#include "ui/tools/tool_window.h"

#include <QLabel>
#include <QVBoxLayout>

#include "ui/app/main_form.h"
#include "ui/tools/console_window.h"
#include "ui/tools/documents_window.h"
#include "ui/tools/enclose_dialog.h"

namespace kiv {

ToolWindow::ToolWindow(TMainForm* main, const QString& className, const QString& caption, bool stayOnTop)
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

PlaceholderWindow::PlaceholderWindow(TMainForm* main, const QString& className, const QString& caption)
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
    {"Tfrm_CharTable", "Таблица символов"},
    {"Tcon", "Infoconsole"},
    {"Treplaceform", "Найти и заменить"},
    {"Tfrm_cal", "Календарь"},
    {"Tunt", "УНИверсальный Текстовый АналиЗатор 1.0"},
    {"Tsupacalc", "Калькулятор мега-больших величин"},
    {"Tfm_valconv", "Конвертация величин"},
    {"Ttablewizard", "tablewizard"},
    {"Tfopts", "Настройки"},
    {"Tfmba", "Опции"},
    {"Tfmdox", "Документы"},
    {"Tfmhexedit", "HEX editor"},
    {"Tfmhexfind", "HEx find"},
    {"Tfmhexedoptz", "HEX Editor optz"},
    {"Tfmbmxtree", "ЗАКЛАДКИ"},
    {"Tnewfilebox", "Browser"},
    {"Tfrm_FileFind", "Поиск в файлах"},
    {"Tfm_filesel", "Выбор файлов"},
    {"Tfm_Hotlist", "Hotlist"},
    {"TfmFileProps", "Свойства типа файлов"},
};
}  // namespace

QStringList ToolWindows::creationOrder() {
  QStringList names;
  for (const auto& t : kTools) names << QString::fromLatin1(t.className);
  return names;
}

ToolWindows::ToolWindows(TMainForm* main) {
  for (const auto& t : kTools) {
    const QString cls = QString::fromLatin1(t.className);
    const QString caption = QString::fromUtf8(t.caption);
    ToolWindow* w = nullptr;
    if (cls == QLatin1String("Tfmdox")) w = new Tfmdox(main);
    else if (cls == QLatin1String("Tcon")) w = new Tcon(main);
    else if (cls == QLatin1String("Tfmba")) w = new Tfmba(main);
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
