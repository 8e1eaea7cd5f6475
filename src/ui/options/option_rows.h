#pragma once
// Every control of the options dialog bound to its kiv.ini key in one
// table: page, group, control, the key (whose limits in the settings table
// are the control's limits), and what changes at once when the control
// does. The dialog's pages are built from this table and loaded from the
// settings record through it.

#include <span>
#include <string_view>

namespace kiv {

enum class OptionControl {
  Check,    // a check box
  Spin,     // a number box within the key's limits
  IntText,  // a text box read as a whole number
  Text,     // a text box
  File,     // a file name box with a browse button; `choices` is the filter
  Folder,   // a folder name box with a browse button
  Color,    // a colour button
  Font,     // a font list
  Choice,   // a drop-down list; `choices` is "caption=value|…" (or "value|…")
  Radio,    // a radio button storing `choices` when it is checked
};

enum class OptionEffect {
  None,
  Margin,
  SyntaxHighlight,
  BlockIndent,
  LineSeparators,
  LineNumbers,
  Colors,
  TextBackground,
  Gutter,
  GutterPlainColor,  // also switches the gutter to a plain colour
  CharsetFonts,
  CharsetFontSizes,
  AutoScrollActive,
  AutoScrollLines,
  RecentCount,
  FileBrowser,
  Transliteration,
};

struct OptionRow {
  const char* page;     // "Главные", "Цвета/Область редактирования"…
  const char* group;    // a group box caption, "" for none
  const char* name;     // the control's object name
  const char* caption;
  OptionControl control;
  std::string_view section;
  std::string_view key;
  const char* choices;
  OptionEffect effect;
  bool writeAtOnce;  // also written to kiv.ini when it changes
};

std::span<const OptionRow> optionRows();
const OptionRow* findOptionRow(std::string_view name);

// The pages in the order they stand in the dialog.
std::span<const char* const> optionPages();

// A value typed into the right-margin box that is replaced before it is
// stored (10 becomes 11).
int adjustRightMargin(int value);

}  // namespace kiv
