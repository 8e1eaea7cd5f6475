#include "ui/options/options_dialog.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFontComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QScrollArea>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <map>

#include "core/config/settings_table.h"
#include "core/filetypes/file_types.h"
#include "ui/app/main_window.h"
#include "ui/common/dialogs.h"
#include "ui/common/qt_text.h"
#include "ui/common/sleep_watcher.h"
#include "ui/editor/editor_interface.h"
#include "ui/options/color_button.h"
#include "ui/plugins/plugin_manager.h"
#include "ui/tools/file_browser_window.h"
#include "ui/tools/file_properties_dialog.h"
#include "ui/tools/tool_window.h"

namespace kiv {

namespace {

// --- Values of a table key, whatever its type -------------------------------

bool boolOf(const SettingKey& k, Configuration& c) {
  if (auto* b = std::get_if<BoolKey>(&k.type)) return b->field(c);
  return false;
}
void setBool(const SettingKey& k, Configuration& c, bool v) {
  if (auto* b = std::get_if<BoolKey>(&k.type)) b->field(c) = v;
}
int intOf(const SettingKey& k, Configuration& c) {
  if (auto* i = std::get_if<IntKey>(&k.type)) return i->field(c);
  if (auto* b = std::get_if<ByteKey>(&k.type)) return b->field(c);
  return 0;
}
std::pair<int, int> limitsOf(const SettingKey& k) {
  if (auto* i = std::get_if<IntKey>(&k.type)) return {i->min, i->max};
  if (auto* b = std::get_if<ByteKey>(&k.type)) return {b->min, b->max};
  return {0, 0};
}
void setInt(const SettingKey& k, Configuration& c, int v) {
  const auto [lo, hi] = limitsOf(k);
  v = std::clamp(v, lo, hi);
  if (auto* i = std::get_if<IntKey>(&k.type)) i->field(c) = v;
  if (auto* b = std::get_if<ByteKey>(&k.type)) b->field(c) = static_cast<std::uint8_t>(v);
}
bool isText(const SettingKey& k) { return std::holds_alternative<StringKey>(k.type); }
std::string textOf(const SettingKey& k, Configuration& c) {
  if (auto* s = std::get_if<StringKey>(&k.type)) return s->field(c);
  return std::to_string(intOf(k, c));
}
void setText(const SettingKey& k, Configuration& c, const std::string& v) {
  if (auto* s = std::get_if<StringKey>(&k.type)) s->field(c) = v;
  else setInt(k, c, std::stoi(v));
}

// "caption=value|…" as (caption, value) pairs.
std::vector<std::pair<QString, QString>> choicesOf(const char* text) {
  std::vector<std::pair<QString, QString>> out;
  for (const QString& item : QString::fromUtf8(text).split(QLatin1Char('|'), Qt::SkipEmptyParts)) {
    const int eq = item.indexOf(QLatin1Char('='));
    if (eq < 0) out.emplace_back(item, item);
    else out.emplace_back(item.left(eq), item.mid(eq + 1));
  }
  return out;
}

QString randomSuffix() { return QString::number(QRandomGenerator::global()->bounded(2, 13001)); }

bool askDanger(QWidget* parent, const QString& text) {
  if (DialogScript* s = dialogScript()) return s->question(text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
  return QMessageBox::question(parent, QStringLiteral("Ахтунг!"), text, QMessageBox::Yes | QMessageBox::No,
                               QMessageBox::No) == QMessageBox::Yes;
}

const char* extensionOf(ColorFileKind kind) { return kind == ColorFileKind::Scheme ? ".pal" : ".grd"; }

}  // namespace

OptionsDialog& optionsDialog(MainWindow& main) {
  if (auto* d = main.findChild<OptionsDialog*>(QStringLiteral("OptionsDialog"), Qt::FindDirectChildrenOnly)) return *d;
  return *new OptionsDialog(&main);
}

OptionsDialog::OptionsDialog(MainWindow* main) : QDialog(main), main_(main) {
  setObjectName(QStringLiteral("OptionsDialog"));
  setWindowTitle(QStringLiteral("Настройки"));
  setModal(false);
  auto* outer = new QVBoxLayout(this);
  pages_ = new QTabWidget(this);
  outer->addWidget(pages_);
  std::map<QString, QTabWidget*> subTabs;
  for (const char* name : optionPages()) {
    const QString full = QString::fromUtf8(name);
    const int slash = full.indexOf(QLatin1Char('/'));
    auto* scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    auto* page = new QWidget;
    page->setObjectName(full);
    scroll->setWidget(page);
    if (slash < 0) {
      pages_->addTab(scroll, full);
    } else {
      const QString top = full.left(slash);
      QTabWidget*& sub = subTabs[top];
      if (!sub) {
        sub = new QTabWidget;
        pages_->addTab(sub, top);
      }
      sub->addTab(scroll, full.mid(slash + 1));
    }
    if (full == QStringLiteral("Плагины")) buildPluginPage(page);
    else buildPage(page, name);
  }
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setObjectName(QStringLiteral("btOK"));
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &OptionsDialog::confirm);
  buttons->addWidget(ok);
  outer->addLayout(buttons);
  // F8 hides the window from inside it too.
  if (QAction* toggle = main_->action(QStringLiteral("mniOpts"))) addAction(toggle);
  resize(820, 620);
  loadValues();
}

void OptionsDialog::buildPage(QWidget* page, std::string_view name) {
  auto* layout = new QVBoxLayout(page);
  std::map<std::string, QFormLayout*> groups;
  QFormLayout* plain = nullptr;
  for (const OptionRow& row : optionRows()) {
    if (row.page != name) continue;
    const SettingKey* key = findSetting(row.section, row.key);
    if (!key) continue;
    QFormLayout* form;
    if (*row.group) {
      QFormLayout*& g = groups[row.group];
      if (!g) {
        auto* box = new QGroupBox(QString::fromUtf8(row.group), page);
        g = new QFormLayout(box);
        layout->addWidget(box);
      }
      form = g;
    } else {
      if (!plain) {
        plain = new QFormLayout;
        layout->addLayout(plain);
      }
      form = plain;
    }
    QWidget* w = buildControl(row, *key, page);
    bound_.push_back({&row, key, w});
    const QString caption = QString::fromUtf8(row.caption);
    if (row.control == OptionControl::Check || row.control == OptionControl::Radio) form->addRow(w);
    else form->addRow(caption, w);
  }
  const std::string_view n = name;
  if (n == "Цвета/Область редактирования") layout->addWidget(buildSchemeLists(page));
  if (n == "Файл-менеджер") layout->addWidget(buildBrowserExtras(page));
  layout->addStretch(1);
}

QWidget* OptionsDialog::buildControl(const OptionRow& row, const SettingKey& key, QWidget* parent) {
  const QString caption = QString::fromUtf8(row.caption);
  const QString name = QString::fromLatin1(row.name);
  auto changed = [this, &row, &key] {
    if (!loading_) store(row, key);
  };
  QWidget* w = nullptr;
  switch (row.control) {
    case OptionControl::Check: {
      auto* c = new QCheckBox(caption, parent);
      connect(c, &QCheckBox::toggled, this, changed);
      w = c;
      break;
    }
    case OptionControl::Radio: {
      auto* r = new QRadioButton(caption, parent);
      // Each group holds the radio buttons of one key only.
      connect(r, &QRadioButton::toggled, this, [r, changed] {
        if (r->isChecked()) changed();
      });
      w = r;
      break;
    }
    case OptionControl::Spin: {
      auto* s = new QSpinBox(parent);
      const auto [lo, hi] = limitsOf(key);
      s->setRange(lo, hi);
      s->setKeyboardTracking(true);
      connect(s, &QSpinBox::valueChanged, this, changed);
      w = s;
      break;
    }
    case OptionControl::IntText:
    case OptionControl::Text: {
      auto* e = new QLineEdit(parent);
      if (row.control == OptionControl::IntText) connect(e, &QLineEdit::editingFinished, this, changed);
      else connect(e, &QLineEdit::textEdited, this, changed);
      w = e;
      break;
    }
    case OptionControl::File:
    case OptionControl::Folder: {
      auto* box = new QWidget(parent);
      auto* h = new QHBoxLayout(box);
      h->setContentsMargins(0, 0, 0, 0);
      auto* e = new QLineEdit(box);
      e->setObjectName(name + QStringLiteral("Edit"));
      auto* browse = new QPushButton(QStringLiteral("..."), box);
      browse->setMaximumWidth(32);
      h->addWidget(e, 1);
      h->addWidget(browse);
      // Typed names take effect when the typing ends; chosen ones at once.
      connect(e, &QLineEdit::editingFinished, this, changed);
      connect(e, &QLineEdit::textChanged, this, [e, changed] {
        if (!e->hasFocus()) changed();
      });
      const bool folder = row.control == OptionControl::Folder;
      const QStringList filters = QString::fromUtf8(row.choices).split(QLatin1Char('|'), Qt::SkipEmptyParts);
      connect(browse, &QPushButton::clicked, this, [this, e, folder, filters, caption] {
        const QString start = QFileInfo(e->text()).absolutePath();
        if (folder) {
          if (auto f = chooseFolderDialog(this, caption, e->text())) e->setText(*f);
        } else if (auto f = chooseFilesToOpen(this, caption, start, filters, false); f && !f->isEmpty()) {
          e->setText(f->front());
        }
      });
      w = box;
      break;
    }
    case OptionControl::Color: {
      auto* b = new ColorButton(parent);
      b->setAccessibleName(caption);
      b->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
      connect(b, &ColorButton::colorChanged, this, changed);
      w = b;
      break;
    }
    case OptionControl::Font: {
      auto* f = new QFontComboBox(parent);
      f->setEditable(true);
      connect(f, &QFontComboBox::currentTextChanged, this, changed);
      w = f;
      break;
    }
    case OptionControl::Choice: {
      auto* c = new QComboBox(parent);
      for (const auto& [text, value] : choicesOf(row.choices)) c->addItem(text, value);
      connect(c, &QComboBox::currentIndexChanged, this, changed);
      w = c;
      break;
    }
  }
  w->setObjectName(name);
  if (row.key == "StandBy" || row.key == "Suspend")
    w->setToolTip(sleepSignalAvailable()
                      ? QStringLiteral("Все документы сохраняются, когда компьютер засыпает")
                      : QStringLiteral("Только хранится в настройках: эта система не сообщает о засыпании"));
  return w;
}

QWidget* OptionsDialog::control(const char* name) const {
  for (const Bound& b : bound_)
    if (std::string_view(b.row->name) == name) return b.widget;
  return nullptr;
}

void OptionsDialog::showEvent(QShowEvent* e) {
  loadValues();
  QDialog::showEvent(e);
}

void OptionsDialog::loadValues() {
  loading_ = true;
  for (const Bound& b : bound_) loadControl(b);
  loading_ = false;
  reloadSchemes();
  reloadGradients();
  reloadBrowserColors();
  reloadPlugins();
  reloadFileTypes();
}

void OptionsDialog::loadControl(const Bound& b) {
  Configuration& c = main_->config();
  const OptionRow& row = *b.row;
  switch (row.control) {
    case OptionControl::Check:
      static_cast<QCheckBox*>(b.widget)->setChecked(boolOf(*b.key, c));
      break;
    case OptionControl::Radio:
      if (textOf(*b.key, c) == row.choices) static_cast<QRadioButton*>(b.widget)->setChecked(true);
      break;
    case OptionControl::Spin:
      static_cast<QSpinBox*>(b.widget)->setValue(intOf(*b.key, c));
      break;
    case OptionControl::IntText:
    case OptionControl::Text:
      static_cast<QLineEdit*>(b.widget)->setText(qs(textOf(*b.key, c)));
      break;
    case OptionControl::File:
    case OptionControl::Folder:
      b.widget->findChild<QLineEdit*>()->setText(qs(textOf(*b.key, c)));
      break;
    case OptionControl::Color:
      static_cast<ColorButton*>(b.widget)->showColor(intOf(*b.key, c));
      break;
    case OptionControl::Font:
      static_cast<QFontComboBox*>(b.widget)->setEditText(qs(textOf(*b.key, c)));
      break;
    case OptionControl::Choice: {
      auto* box = static_cast<QComboBox*>(b.widget);
      const int i = box->findData(qs(textOf(*b.key, c)));
      box->setCurrentIndex(std::max(0, i));
      break;
    }
  }
}

void OptionsDialog::store(const OptionRow& row, const SettingKey& key) {
  Configuration& c = main_->config();
  QWidget* w = control(row.name);
  switch (row.control) {
    case OptionControl::Check:
      setBool(key, c, static_cast<QCheckBox*>(w)->isChecked());
      // The copy folder is taken from its box whenever the copy box is clicked.
      if (row.key == "DoCopyVer")
        if (QWidget* folder = control("deCopyVer")) c.settings.versions.copyFolder = u8(folder->findChild<QLineEdit*>()->text());
      break;
    case OptionControl::Radio:
      setText(key, c, row.choices);
      break;
    case OptionControl::Spin: {
      auto* s = static_cast<QSpinBox*>(w);
      int v = s->value();
      if (row.key == "RMargin" && adjustRightMargin(v) != v) {
        v = adjustRightMargin(v);
        loading_ = true;
        s->setValue(v);
        loading_ = false;
      }
      setInt(key, c, v);
      break;
    }
    case OptionControl::IntText: {
      auto* e = static_cast<QLineEdit*>(w);
      bool ok = false;
      const int v = e->text().trimmed().toInt(&ok);
      const auto [lo, hi] = limitsOf(key);
      if (!ok || v < lo || v > hi) {
        // The old value goes back before the message, so that the focus
        // leaving for the message box finds nothing more to report.
        const QString typed = e->text();
        e->setText(qs(textOf(key, c)));
        showError(this, ok ? QStringLiteral("Число должно быть от %1 до %2").arg(lo).arg(hi)
                           : QStringLiteral("'%1' не является целым числом").arg(typed));
        return;
      }
      setInt(key, c, v);
      break;
    }
    case OptionControl::Text:
      setText(key, c, u8(static_cast<QLineEdit*>(w)->text()));
      break;
    case OptionControl::File:
    case OptionControl::Folder:
      setText(key, c, u8(w->findChild<QLineEdit*>()->text()));
      break;
    case OptionControl::Color:
      setInt(key, c, static_cast<ColorButton*>(w)->color());
      break;
    case OptionControl::Font:
      setText(key, c, u8(static_cast<QFontComboBox*>(w)->currentText()));
      break;
    case OptionControl::Choice: {
      const QString value = static_cast<QComboBox*>(w)->currentData().toString();
      if (isText(key)) setText(key, c, u8(value));
      else setInt(key, c, value.toInt());
      break;
    }
  }
  if (row.writeAtOnce && main_->settingsWritable()) writeSetting(main_->ini(), key, key.key, c);
  applyEffect(row.effect);
}

void OptionsDialog::applyEffect(OptionEffect effect) {
  EditorInterface& ed = main_->editor();
  Settings& s = main_->settings();
  switch (effect) {
    case OptionEffect::None: break;
    case OptionEffect::Margin: ed.applyMargin(); break;
    case OptionEffect::SyntaxHighlight: ed.applySyntaxHighlight(); break;
    case OptionEffect::BlockIndent: ed.applyBlockIndent(); break;
    case OptionEffect::LineSeparators: ed.applyLineSeparators(); break;
    case OptionEffect::LineNumbers: ed.applyLineNumbers(); break;
    case OptionEffect::Colors: ed.applyColors(); break;
    case OptionEffect::TextBackground:
      ed.applyTextBackground();
      if (s.textAreaFill.kind == 0) {  // a picture that could not be shown falls back to none
        loading_ = true;
        if (auto* r = qobject_cast<QRadioButton*>(control("rbFNONE"))) r->setChecked(true);
        loading_ = false;
      }
      break;
    case OptionEffect::GutterPlainColor:
      s.gutterFill.kind = 0;
      loading_ = true;
      if (auto* r = qobject_cast<QRadioButton*>(control("rbFillSimpleColor"))) r->setChecked(true);
      loading_ = false;
      ed.applyGutter();
      break;
    case OptionEffect::Gutter: ed.applyGutter(); break;
    case OptionEffect::CharsetFonts: ed.applyCharsetFonts(); break;
    case OptionEffect::CharsetFontSizes: ed.applyCharsetFontSizes(); break;
    case OptionEffect::AutoScrollActive:
      if (QAction* a = main_->action(QStringLiteral("mniAscroll"))) a->setChecked(s.autoScroll);
      main_->restartAutoScroll();
      break;
    case OptionEffect::AutoScrollLines: main_->restartAutoScroll(); break;
    case OptionEffect::RecentCount:
      main_->recent().setCapacity(s.recentFilesCount);
      main_->refreshRecentMenu();
      break;
    case OptionEffect::FileBrowser:
      if (auto* b = main_->tools().get<FileBrowserWindow>(QStringLiteral("FileBrowserWindow"))) b->applyLook();
      break;
    case OptionEffect::Transliteration:
      main_->transliterator().applyConfiguration(s.shchaMode, s.khaMode, s.wMode);
      break;
  }
}

void OptionsDialog::confirm() {
  if (main_->settings().autoScroll) main_->restartAutoScroll();
  hide();
}

// --- Colour schemes and gradient presets ------------------------------------

QWidget* OptionsDialog::listPanel(QWidget* parent, const QString& label, QListWidget* list,
                                  const QStringList& buttons, const std::vector<void (OptionsDialog::*)()>& actions) {
  auto* box = new QWidget(parent);
  auto* v = new QVBoxLayout(box);
  v->setContentsMargins(0, 0, 0, 0);
  v->addWidget(new QLabel(label, box));
  v->addWidget(list);
  auto* h = new QHBoxLayout;
  for (int i = 0; i < buttons.size(); ++i) {
    auto* b = new QPushButton(buttons[i], box);
    b->setObjectName(list->objectName() + buttons[i]);
    connect(b, &QPushButton::clicked, this, actions[static_cast<std::size_t>(i)]);
    h->addWidget(b);
  }
  v->addLayout(h);
  return box;
}

QWidget* OptionsDialog::buildSchemeLists(QWidget* parent) {
  auto* box = new QWidget(parent);
  auto* h = new QHBoxLayout(box);
  h->setContentsMargins(0, 0, 0, 0);
  schemes_ = new QListWidget(box);
  schemes_->setObjectName(QStringLiteral("lbschemes"));
  gradients_ = new QListWidget(box);
  gradients_->setObjectName(QStringLiteral("lbGrads"));
  h->addWidget(listPanel(box, QStringLiteral("Цветовые схемы:"), schemes_,
                         {QStringLiteral("Save"), QStringLiteral("Del"), QStringLiteral("New"), QStringLiteral("Rename")},
                         {&OptionsDialog::saveScheme, &OptionsDialog::deleteScheme, &OptionsDialog::newScheme,
                          &OptionsDialog::renameScheme}));
  h->addWidget(listPanel(box, QStringLiteral("Пресеты градиентов:"), gradients_,
                         {QStringLiteral("Save"), QStringLiteral("New"), QStringLiteral("Rename"), QStringLiteral("Del")},
                         {&OptionsDialog::saveGradient, &OptionsDialog::newGradient, &OptionsDialog::renameGradient,
                          &OptionsDialog::deleteGradient}));
  connect(schemes_, &QListWidget::itemClicked, this, [this](QListWidgetItem* it) { chooseScheme(schemes_->row(it)); });
  connect(gradients_, &QListWidget::itemClicked, this, [this](QListWidgetItem* it) { chooseGradient(gradients_->row(it)); });
  return box;
}

void OptionsDialog::reloadColorList(QListWidget* list, ColorFileKind kind) {
  if (!list) return;
  const QString current = list->currentItem() ? list->currentItem()->text() : QString();
  list->clear();
  for (const std::string& n : listColorFiles(main_->settings().colorsFolder, extensionOf(kind))) list->addItem(qs(n));
  const auto found = list->findItems(current, Qt::MatchExactly);
  if (!found.isEmpty()) list->setCurrentItem(found.front());
}

void OptionsDialog::reloadSchemes() { reloadColorList(schemes_, ColorFileKind::Scheme); }
void OptionsDialog::reloadGradients() { reloadColorList(gradients_, ColorFileKind::Gradient); }

void OptionsDialog::chooseColorFile(QListWidget* list, ColorFileKind kind, int row) {
  if (row < 0 || row >= list->count()) return;
  list->setCurrentRow(row);
  const std::string name = u8(list->item(row)->text());
  if (!isPlainFileName(name)) return;
  const std::string path = main_->settings().colorsFolder + name;
  setWindowTitle(qpath(path));
  Settings& s = main_->settings();
  if (kind == ColorFileKind::Scheme) {
    applyScheme(s, readColorScheme(path));
  } else {
    const GradientPreset g = readGradientPreset(path);
    s.textAreaFill.gradientColor1 = g.from;
    s.textAreaFill.gradientColor2 = g.to;
  }
  loading_ = true;
  for (const Bound& b : bound_)
    if (b.row->control == OptionControl::Color) loadControl(b);
  loading_ = false;
  main_->editor().applyColors();
}

void OptionsDialog::saveColorFile(QListWidget* list, ColorFileKind kind) {
  QListWidgetItem* item = list->currentItem();
  if (!item) return;
  const std::string name = changeExtension(u8(item->text()), extensionOf(kind));
  if (!isPlainFileName(name)) return;
  const std::string path = main_->settings().colorsFolder + name;
  const Settings& s = main_->settings();
  const bool ok = kind == ColorFileKind::Scheme
                      ? writeColorScheme(path, schemeOf(s))
                      : writeGradientPreset(path, {s.textAreaFill.gradientColor1, s.textAreaFill.gradientColor2});
  if (!ok) showError(this, QStringLiteral("Не удалось записать файл %1").arg(qpath(path)));
  item->setText(qs(name));
  reloadColorList(list, kind);
}

void OptionsDialog::newColorFile(QListWidget* list, ColorFileKind kind) {
  list->addItem(QStringLiteral("Новая схема ") + randomSuffix() + QString::fromLatin1(extensionOf(kind)));
  list->setCurrentRow(list->count() - 1);
}

void OptionsDialog::renameColorFile(QListWidget* list, ColorFileKind kind) {
  QListWidgetItem* item = list->currentItem();
  if (!item) return;
  const bool scheme = kind == ColorFileKind::Scheme;
  const auto answer = inputQuery(this, QStringLiteral("Введите новое название:"),
                                 scheme ? QStringLiteral("Название схемы") : QStringLiteral("Название градиента"),
                                 (scheme ? QStringLiteral("Новая схема ") : QStringLiteral("Новый ")) + randomSuffix());
  if (!answer) return;
  const std::string name = changeExtension(u8(answer->trimmed()), extensionOf(kind));
  if (answer->trimmed().isEmpty() || !isPlainFileName(name)) {
    showError(this, QStringLiteral("Название «%1» не годится: в нём не может быть «/», «\\» или «..».").arg(*answer));
    return;
  }
  item->setText(qs(name));
}

void OptionsDialog::deleteColorFile(QListWidget* list, ColorFileKind kind) {
  QListWidgetItem* item = list->currentItem();
  if (!item) return;
  if (!askDanger(this, QStringLiteral("Вы точно хотите сделать ЭТО?"))) return;
  kiv::deleteColorFile(main_->settings().colorsFolder, u8(item->text()));
  reloadColorList(list, kind);
}

void OptionsDialog::chooseScheme(int row) { chooseColorFile(schemes_, ColorFileKind::Scheme, row); }
void OptionsDialog::saveScheme() { saveColorFile(schemes_, ColorFileKind::Scheme); }
void OptionsDialog::newScheme() { newColorFile(schemes_, ColorFileKind::Scheme); }
void OptionsDialog::renameScheme() { renameColorFile(schemes_, ColorFileKind::Scheme); }
void OptionsDialog::deleteScheme() { deleteColorFile(schemes_, ColorFileKind::Scheme); }
void OptionsDialog::chooseGradient(int row) { chooseColorFile(gradients_, ColorFileKind::Gradient, row); }
void OptionsDialog::saveGradient() { saveColorFile(gradients_, ColorFileKind::Gradient); }
void OptionsDialog::newGradient() { newColorFile(gradients_, ColorFileKind::Gradient); }
void OptionsDialog::renameGradient() { renameColorFile(gradients_, ColorFileKind::Gradient); }
void OptionsDialog::deleteGradient() { deleteColorFile(gradients_, ColorFileKind::Gradient); }

// --- File browser colours and file types ------------------------------------

std::string OptionsDialog::browserColorsFolder() const { return main_->settings().partsFolder + "Dizorud/Colors/"; }

QWidget* OptionsDialog::buildBrowserExtras(QWidget* parent) {
  auto* box = new QWidget(parent);
  auto* v = new QVBoxLayout(box);
  v->setContentsMargins(0, 0, 0, 0);
  auto* h = new QHBoxLayout;
  browserColors_ = new QComboBox(box);
  browserColors_->setObjectName(QStringLiteral("cbNepColors"));
  auto* save = new QPushButton(QStringLiteral("SAVE"), box);
  save->setObjectName(QStringLiteral("btNepColorsSave"));
  h->addWidget(browserColors_, 1);
  h->addWidget(save);
  v->addLayout(h);
  connect(browserColors_, &QComboBox::activated, this, &OptionsDialog::chooseBrowserColors);
  connect(save, &QPushButton::clicked, this, &OptionsDialog::saveBrowserColors);

  auto* types = new QGroupBox(QStringLiteral("Типы файлов"), box);
  auto* tv = new QVBoxLayout(types);
  fileTypes_ = new QListWidget(types);
  fileTypes_->setObjectName(QStringLiteral("lbExts"));
  tv->addWidget(fileTypes_);
  auto* th = new QHBoxLayout;
  const std::pair<const char*, void (OptionsDialog::*)()> actions[] = {
      {"Добавить", &OptionsDialog::addFileType},
      {"Удалить", &OptionsDialog::deleteFileType},
      {"Изменить", &OptionsDialog::changeFileType}};
  for (const auto& [text, fn] : actions) {
    auto* b = new QPushButton(QString::fromUtf8(text), types);
    connect(b, &QPushButton::clicked, this, fn);
    th->addWidget(b);
  }
  tv->addLayout(th);
  connect(fileTypes_, &QListWidget::itemDoubleClicked, this, &OptionsDialog::changeFileType);
  v->addWidget(types);
  return box;
}

void OptionsDialog::reloadBrowserColors() {
  if (!browserColors_) return;
  const QString current = browserColors_->currentText();
  browserColors_->clear();
  for (const std::string& n : listColorFiles(browserColorsFolder(), "")) browserColors_->addItem(qs(n));
  browserColors_->setCurrentIndex(std::max(0, browserColors_->findText(current)));
}

void OptionsDialog::chooseBrowserColors(int index) {
  if (index < 0 || index >= browserColors_->count()) return;
  const std::string name = u8(browserColors_->itemText(index));
  if (!isPlainFileName(name)) return;
  const BrowserColors c = readBrowserColors(browserColorsFolder() + name);
  Settings& s = main_->settings();
  s.browserFolderColor = c.folders;
  s.browserFileColor = c.files;
  s.browserBackgroundColor = c.background;
  loading_ = true;
  for (const char* n : {"cbFolders", "cbFiles", "cbBack"})
    for (const Bound& b : bound_)
      if (std::string_view(b.row->name) == n) loadControl(b);
  loading_ = false;
  applyEffect(OptionEffect::FileBrowser);
  activateWindow();
}

void OptionsDialog::saveBrowserColors() {
  const QString folder = qpath(browserColorsFolder());
  QDir().mkpath(folder);
  const auto file = chooseFileToSave(this, QStringLiteral("Сохранить цвета"), folder, {QStringLiteral("Все файлы (*)")}, 0, {});
  if (!file) return;
  const Settings& s = main_->settings();
  if (!writeBrowserColors(spath(*file), {s.browserFolderColor, s.browserFileColor, s.browserBackgroundColor}))
    showError(this, QStringLiteral("Не удалось записать файл %1").arg(*file));
  reloadBrowserColors();
}

void OptionsDialog::reloadFileTypes() {
  if (!fileTypes_) return;
  const int row = fileTypes_->currentRow();
  fileTypes_->clear();
  if (FileTypes* t = main_->fileTypesOrNull())
    for (const std::string& e : t->exts()) fileTypes_->addItem(qs(e));
  if (row >= 0 && row < fileTypes_->count()) fileTypes_->setCurrentRow(row);
}

void OptionsDialog::addFileType() {
  FileTypes* table = main_->fileTypesOrNull();
  auto* dialog = main_->tools().get<FilePropertiesDialog>(QStringLiteral("FilePropertiesDialog"));
  if (!table || !dialog) return;
  FileType type;
  type.name = "TXT";
  type.color = FileTypes::kDefaultColor;
  if (!dialog->edit(type, true)) return;
  if (const std::string why = table->add(type); !why.empty()) showError(this, qs(why));
  reloadFileTypes();
  applyEffect(OptionEffect::FileBrowser);
}

void OptionsDialog::changeFileType() {
  FileTypes* table = main_->fileTypesOrNull();
  auto* dialog = main_->tools().get<FilePropertiesDialog>(QStringLiteral("FilePropertiesDialog"));
  const int row = fileTypes_->currentRow();
  if (!table || !dialog || row < 0 || row >= static_cast<int>(table->types().size())) return;
  FileType type = table->types()[static_cast<std::size_t>(row)];
  if (!dialog->edit(type, false)) return;
  if (const std::string why = table->change(row, type); !why.empty()) showError(this, qs(why));
  reloadFileTypes();
  applyEffect(OptionEffect::FileBrowser);
}

void OptionsDialog::deleteFileType() {
  FileTypes* table = main_->fileTypesOrNull();
  QListWidgetItem* item = fileTypes_->currentItem();
  if (!table || !item) return;
  table->deleteExt(u8(item->text()));
  reloadFileTypes();
  applyEffect(OptionEffect::FileBrowser);
}

// --- Plugins ------------------------------------------------------------------

QWidget* OptionsDialog::buildPluginPage(QWidget* page) {
  auto* layout = new QVBoxLayout(page);
  auto* tabs = new QTabWidget(page);
  layout->addWidget(tabs);

  auto* processing = new QWidget;
  auto* v = new QVBoxLayout(processing);
  plugins_ = new QListWidget(processing);
  plugins_->setObjectName(QStringLiteral("lbPlugins"));
  v->addWidget(plugins_, 1);
  pluginInfo_ = new QPlainTextEdit(processing);
  pluginInfo_->setObjectName(QStringLiteral("mmPluginInfo"));
  pluginInfo_->setReadOnly(true);
  pluginInfo_->setMaximumHeight(80);
  v->addWidget(pluginInfo_);
  auto* h = new QHBoxLayout;
  const std::pair<const char*, void (OptionsDialog::*)()> actions[] = {
      {"Инсталлировать", &OptionsDialog::installPlugin},
      {"Удалить текущий", &OptionsDialog::removePlugin},
      {"Обновить список", &OptionsDialog::rescanPlugins}};
  for (const auto& [text, fn] : actions) {
    auto* b = new QPushButton(QString::fromUtf8(text), processing);
    connect(b, &QPushButton::clicked, this, fn);
    h->addWidget(b);
  }
  v->addLayout(h);
  connect(plugins_, &QListWidget::currentRowChanged, this, &OptionsDialog::showPluginInfo);
  connect(&main_->plugins(), &PluginManager::registryChanged, this, &OptionsDialog::reloadPlugins);
  tabs->addTab(processing, QStringLiteral("Плагины обработки"));

  // Reading and writing of file formats is built into the program; the
  // page shows them and offers nothing to change.
  auto* io = new QWidget;
  auto* iv = new QVBoxLayout(io);
  auto* formats = new QListWidget(io);
  formats->addItems({QStringLiteral("Текст (однобайтовые кодировки)"), QStringLiteral("Unicode (UTF-16)"),
                     QStringLiteral("UTF-8"), QStringLiteral("Письма Fido")});
  iv->addWidget(formats, 1);
  auto* info = new QLabel(QStringLiteral("Форматы ввода/вывода встроены в программу."), io);
  iv->addWidget(info);
  auto* ih = new QHBoxLayout;
  for (const char* text : {"Инсталлировать", "Удалить текущий", "Обновить список"}) {
    auto* b = new QPushButton(QString::fromUtf8(text), io);
    b->setEnabled(false);
    b->setToolTip(info->text());
    ih->addWidget(b);
  }
  iv->addLayout(ih);
  tabs->addTab(io, QStringLiteral("Плагины ввода/вывода"));
  return page;
}

void OptionsDialog::reloadPlugins() {
  if (!plugins_) return;
  const int row = plugins_->currentRow();
  plugins_->clear();
  for (const std::string& c : main_->plugins().registry().captions()) {
    auto* item = new QListWidgetItem(pluginCaptionText(c));
    item->setData(Qt::UserRole, QByteArray::fromStdString(c));
    plugins_->addItem(item);
  }
  if (row >= 0 && row < plugins_->count()) plugins_->setCurrentRow(row);
  showPluginInfo();
}

void OptionsDialog::showPluginInfo() {
  if (!pluginInfo_) return;
  QListWidgetItem* item = plugins_->currentItem();
  pluginInfo_->setPlainText(item ? main_->plugins().describe(item->data(Qt::UserRole).toByteArray().toStdString()).join(
                                       QLatin1Char('\n'))
                                 : QString());
}

void OptionsDialog::reportPluginResult(const QString& what, bool ok, const std::string& error) {
  if (!ok) showError(this, what + QStringLiteral(": ") + qs(error));
}

void OptionsDialog::installPlugin() {
  const auto files = chooseFilesToOpen(this, QStringLiteral("Инсталлировать"), QString(),
                                       {QStringLiteral("Плагины (*.so)"), QStringLiteral("Все файлы (*)")}, false);
  if (!files || files->isEmpty()) return;
  const PluginFolderResult r = main_->plugins().install(files->front());
  reportPluginResult(QStringLiteral("Плагин не установлен"), r.ok(), r.error);
}

void OptionsDialog::removePlugin() {
  QListWidgetItem* item = plugins_->currentItem();
  if (!item) return;
  const PluginFolderResult r = main_->plugins().remove(item->data(Qt::UserRole).toByteArray().toStdString());
  reportPluginResult(QStringLiteral("Плагин не удалён"), r.ok(), r.error);
}

void OptionsDialog::rescanPlugins() {
  pluginInfo_->setPlainText(main_->plugins().scanAnnouncement());
  const PluginFolderResult r = main_->plugins().rescan();
  reportPluginResult(QStringLiteral("Список плагинов не обновлён"), r.ok(), r.error);
}

}  // namespace kiv
