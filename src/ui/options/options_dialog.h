#pragma once
// "Настройки": a non-modal window that edits the settings record while the
// program runs. Its controls come from the option table (option_rows.h);
// each stores its value the moment it changes and applies it to the open
// documents. The colour scheme, gradient and file-browser colour lists,
// the plugin page and the file types are its own parts.

#include <QDialog>
#include <vector>

#include "core/appearance/color_files.h"
#include "ui/options/option_rows.h"

class QComboBox;
class QListWidget;
class QPlainTextEdit;
class QTabWidget;

namespace kiv {

class MainWindow;
struct SettingKey;

class OptionsDialog : public QDialog {
  Q_OBJECT
 public:
  explicit OptionsDialog(MainWindow* main);

  // Every control shows the settings record's value.
  void loadValues();
  // "OK": the automatic scrolling timer runs again when it is on; the
  // window closes.
  void confirm();

  // The control of a table row, by its object name.
  QWidget* control(const char* name) const;
  QTabWidget* pages() const { return pages_; }
  QListWidget* schemes() const { return schemes_; }
  QListWidget* gradients() const { return gradients_; }
  QComboBox* browserColorFiles() const { return browserColors_; }
  QListWidget* plugins() const { return plugins_; }
  QListWidget* fileTypes() const { return fileTypes_; }

  // The colour lists' operations (buttons "Save", "New", "Rename", "Del").
  void chooseScheme(int row);
  void saveScheme();
  void newScheme();
  void renameScheme();
  void deleteScheme();
  void chooseGradient(int row);
  void saveGradient();
  void newGradient();
  void renameGradient();
  void deleteGradient();
  void chooseBrowserColors(int index);
  void saveBrowserColors();
  // Plugin page.
  void installPlugin();
  void removePlugin();
  void rescanPlugins();
  // File types.
  void addFileType();
  void changeFileType();
  void deleteFileType();

  void reloadSchemes();
  void reloadGradients();
  void reloadBrowserColors();
  void reloadPlugins();
  void reloadFileTypes();

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  struct Bound {
    const OptionRow* row;
    const SettingKey* key;
    QWidget* widget;
  };
  QWidget* buildControl(const OptionRow& row, const SettingKey& key, QWidget* parent);
  void loadControl(const Bound& b);
  void store(const OptionRow& row, const SettingKey& key);
  void applyEffect(OptionEffect effect);
  void buildPage(QWidget* page, std::string_view name);
  QWidget* buildSchemeLists(QWidget* parent);
  QWidget* buildPluginPage(QWidget* parent);
  QWidget* buildBrowserExtras(QWidget* parent);
  std::string browserColorsFolder() const;
  QWidget* listPanel(QWidget* parent, const QString& label, QListWidget* list, const QStringList& buttons,
                     const std::vector<void (OptionsDialog::*)()>& actions);
  void chooseColorFile(QListWidget* list, ColorFileKind kind, int row);
  void saveColorFile(QListWidget* list, ColorFileKind kind);
  void newColorFile(QListWidget* list, ColorFileKind kind);
  void renameColorFile(QListWidget* list, ColorFileKind kind);
  void deleteColorFile(QListWidget* list, ColorFileKind kind);
  void reloadColorList(QListWidget* list, ColorFileKind kind);
  void showPluginInfo();
  void reportPluginResult(const QString& what, bool ok, const std::string& error);

  MainWindow* main_;
  QTabWidget* pages_ = nullptr;
  std::vector<Bound> bound_;
  bool loading_ = false;
  QListWidget* schemes_ = nullptr;
  QListWidget* gradients_ = nullptr;
  QComboBox* browserColors_ = nullptr;
  QListWidget* plugins_ = nullptr;
  QPlainTextEdit* pluginInfo_ = nullptr;
  QListWidget* fileTypes_ = nullptr;
};

// The dialog of the main window (made when first asked for).
OptionsDialog& optionsDialog(MainWindow& main);

}  // namespace kiv
