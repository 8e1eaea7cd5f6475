// "Настройки" and the display styles of "Вид" → "Стиль".

#include <QTimer>

#include "core/appearance/display_styles.h"
#include "ui/app/main_window.h"
#include "ui/commands/handlers.h"
#include "ui/editor/editor_interface.h"
#include "ui/options/options_dialog.h"

namespace kiv::cmd {

void toggleOptions(MainWindow& main) {
  OptionsDialog& dialog = optionsDialog(main);
  if (dialog.isVisible()) {
    dialog.hide();
    return;
  }
  if (main.autoScrollTimer()) main.autoScrollTimer()->stop();
  dialog.show();
  dialog.raise();
  dialog.activateWindow();
}

void applyDisplayStyle(MainWindow& main, int index) {
  const auto styles = displayStyles();
  if (index < 0 || index >= static_cast<int>(styles.size())) return;
  const DisplayStyle& style = styles[static_cast<std::size_t>(index)];
  storeDisplayStyle(main.settings(), style);
  if (style.reapplySettings) main.editor().applySettingsToActive();
  main.editor().applyColors();
  // An open options window shows the new colours.
  if (auto* d = main.findChild<OptionsDialog*>(QStringLiteral("OptionsDialog"), Qt::FindDirectChildrenOnly);
      d && d->isVisible())
    d->loadValues();
}

}  // namespace kiv::cmd
