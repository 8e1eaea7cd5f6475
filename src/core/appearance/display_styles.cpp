#include "core/appearance/display_styles.h"

namespace kiv {

namespace {

const DisplayStyle kStyles[] = {
    {"NortonCommander1", "Norton Commander", 0xFFFF00, 0x000080, 0x000080, 0xFFFF00, false},
    {"N301", "KIV default", 0x000000, 0xFFFFFF, 0xFFFFFF, 0x000080, false},
    {"KWritedefault1", "KWrite default", 0x000000, 0xFFFFFF, 0xFFFFFF, 0xFF0000, false},
    {"Spring1", "Spring", 0xFFFFFF, 0x32AF61, 0x32AF61, 0xFFFFFF, false},
    {"Universe1", "Universe", 0xFFFF00, 0x000000, 0x000000, 0xFFFF00, false},
    {"DOSNavigator1", "DOS Navigator", 0x000000, 0xC0C0C0, 0xC0C0C0, 0x000000, true},
    {"N17", "Кладбище", 0x00FFFF, 0x000000, 0x000000, 0x00FFFF, false},
    {"StandartWindows1", "Standart Windows", 0x000000, 0xFFFFFF, 0xFFFFFF, 0x000000, false},
    {"OldoldUNIX1", "UNIX", 0x00FF00, 0x000000, 0x000000, 0xFFFF00, false},
    {"Kids1", "Kids", 0x000000, 0x00FF00, 0xFFFFFF, 0xFF00FF, false},
    {"Oldpaper1", "Old paper (standart)", 0x000000, 0xFDF4DB, 0xFDF4DB, 0x000000, false},
    {"N47", "Старый ДОС", 0xFFFFFF, 0x000000, 0x000000, 0xFFFFFF, false},
    {"Typewriter101", "Typewriter 1.0", 0xFFFFFF, 0x000080, 0x000080, 0xFFFFFF, false},
};

}  // namespace

std::span<const DisplayStyle> displayStyles() { return kStyles; }

const DisplayStyle* findDisplayStyle(std::string_view component) {
  for (const auto& s : kStyles)
    if (component == s.component) return &s;
  return nullptr;
}

ColorRef colorRefFromRgb(int rgb) {
  return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}

void storeDisplayStyle(Settings& s, const DisplayStyle& style) {
  s.textColor = colorRefFromRgb(style.text);
  s.backgroundColor = colorRefFromRgb(style.background);
  s.selectionTextColor = colorRefFromRgb(style.selectionText);
  s.selectionBackgroundColor = colorRefFromRgb(style.selectionBackground);
}

}  // namespace kiv
