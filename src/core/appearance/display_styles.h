#pragma once
// The fixed colour styles of the "Вид" → "Стиль" menu: four colours each for
// the text area (text, background, selected text, selection background).
// Choosing one stores its colours in the settings record, whether or not a
// document is open; the interface then recolours every open document.

#include <span>
#include <string_view>

#include "core/config/settings.h"

namespace kiv {

struct DisplayStyle {
  const char* component;  // the command id of its menu item
  const char* caption;
  // Colours as #RRGGBB numbers, as one reads them.
  int text;
  int background;
  int selectionText;
  int selectionBackground;
  // The document's settings are applied again before the colours.
  bool reapplySettings;
};

// In menu order.
std::span<const DisplayStyle> displayStyles();
const DisplayStyle* findDisplayStyle(std::string_view component);

// #RRGGBB to a Windows colour value 0x00BBGGRR (and back: the same swap).
ColorRef colorRefFromRgb(int rgb);

// Stores the style's four colours in the record.
void storeDisplayStyle(Settings& s, const DisplayStyle& style);

}  // namespace kiv
