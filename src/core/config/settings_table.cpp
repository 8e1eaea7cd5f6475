#include "core/config/settings_table.h"

#include <algorithm>
#include <array>

#include "core/common/ascii.h"

namespace kiv {

namespace {

#define KIV_FIELD(expr) [](Configuration& c) -> decltype(auto) { return (c.expr); }

// Transliteration modes, power modes, file browser colours, code tables,
// save options, browsers, automatic scrolling, Main, fonts and the rest,
// in the order start-up reads them.
const SettingKey kTable[] = {
    {"RunglerOpts", "WInterpMode", StringKey{KIV_FIELD(table.WInterpMode), "V"}, true},
    {"RunglerOpts", "XaConvMode", StringKey{KIV_FIELD(table.XaConvMode), "X"}, true},
    {"RunglerOpts", "ShchaConvMode", StringKey{KIV_FIELD(table.ShchaConvMode), "Sj"}, true},
    {"PowModes", "Suspend", BoolKey{KIV_FIELD(table.Suspend), false}, true},
    {"PowModes", "StandBy", BoolKey{KIV_FIELD(table.StandBy), false}, true},
    {"PowModes", "shutdown", BoolKey{KIV_FIELD(table.shutdown), false}, true},
    {"FileBox", "Files", IntKey{KIV_FIELD(table.Files), 0, 0, kColorMax}, true},
    {"FileBox", "Folders", IntKey{KIV_FIELD(table.Folders), 16711680, 0, kColorMax}, true},
    {"FileBox", "Back", IntKey{KIV_FIELD(table.Back), 16777215, 0, kColorMax}, true},
    {"Engine", "CodeTablesLocation", StringKey{KIV_FIELD(table.codeTablesFolder), "Engine\\Tables\\"}, false},
    {"SaveOptions", "SaveVersionOnExit", BoolKey{KIV_FIELD(table.SaveOptions.SaveVersionOnExit), false}, true},
    {"SaveOptions", "ConvertVersionToCharset", StringKey{KIV_FIELD(table.SaveOptions.ConvertVersionToCharset), "win"}, true},
    {"SaveOptions", "DoConvertVersionToCharset", BoolKey{KIV_FIELD(table.SaveOptions.DoConvertVersionToCharset), false}, true},
    {"SaveOptions", "VersionNamePrefix", StringKey{KIV_FIELD(table.SaveOptions.VersionNamePrefix), "version"}, true},
    {"SaveOptions", "AddVersionNamePrefix", BoolKey{KIV_FIELD(table.SaveOptions.AddVersionNamePrefix), false}, true},
    {"SaveOptions", "DoCopyVer", BoolKey{KIV_FIELD(table.SaveOptions.DoCopyVer), false}, true},
    {"SaveOptions", "SaveInSameFolder", BoolKey{KIV_FIELD(table.SaveOptions.SaveInSameFolder), true}, true},
    {"SaveOptions", "CopyVerPath", StringKey{KIV_FIELD(table.SaveOptions.CopyVerPath), ""}, true},
    {"SaveOptions", "autosaveonpreview", BoolKey{KIV_FIELD(table.autosaveonpreview), false}, true},
    {"Browsers", "IEPath", StringKey{KIV_FIELD(table.BrowserPaths.IEPath), "x-www-browser"}, true},
    {"Browsers", "OperaPath", StringKey{KIV_FIELD(table.BrowserPaths.OperaPath), "chromium"}, true},
    {"Browsers", "NetscapePath", StringKey{KIV_FIELD(table.BrowserPaths.NetscapePath), "firefox"}, true},
    {"Browsers", "CustomPath", StringKey{KIV_FIELD(table.BrowserPaths.CustomPath), ""}, true},
    {"Autoscroll", "Active", BoolKey{KIV_FIELD(table.Active), false}, true},
    {"Autoscroll", "Time", IntKey{KIV_FIELD(table.Time), 2500, 10, 600000}, true},
    {"Autoscroll", "LinesPerTime", IntKey{KIV_FIELD(table.LinesPerTime), 1, 1, 1000}, true},
    {"Main", "SpacesPerTab", IntKey{KIV_FIELD(table.SpacesPerTab), 3, 1, 32}, false},
    {"Main", "tray_state", ByteKey{KIV_FIELD(table.tray_state), 0, 0, 255}, true},
    {"Main", "bkonopen", BoolKey{KIV_FIELD(table.bkonopen), false}, true},
    {"Main", "MarginActive", BoolKey{KIV_FIELD(table.MarginActive), false}, true},
    {"Main", "ShowLineNumbers", BoolKey{KIV_FIELD(table.ShowLineNumbers), false}, true},
    {"Main", "ShowSplash", BoolKey{KIV_FIELD(table.ShowSplash), false}, true},
    {"Main", "DoEncDetect", BoolKey{KIV_FIELD(table.DoEncDetect), false}, false},
    {"Main", "DefAutoIndent", BoolKey{KIV_FIELD(table.DefAutoIndent), true}, true},
    {"Main", "RMargin", IntKey{KIV_FIELD(table.RMargin), 72, 1, 1000}, true},
    {"Fonts", "KOI8", StringKey{KIV_FIELD(table.KOI8), "Courier New"}, true},
    {"Fonts", "DOS", StringKey{KIV_FIELD(table.DOS), "Terminal"}, true},
    {"Fonts", "WIN", StringKey{KIV_FIELD(table.WIN), "Courier New"}, true},
    {"Fonts", "DOSSize", ByteKey{KIV_FIELD(table.DOSSize), 10, kMinFontSize, kMaxFontSize}, true},
    {"Fonts", "WINSize", ByteKey{KIV_FIELD(table.WINSize), 10, kMinFontSize, kMaxFontSize}, true},
    {"Fonts", "KOI8Size", ByteKey{KIV_FIELD(table.KOI8Size), 10, kMinFontSize, kMaxFontSize}, true},
    {"Utils", "QuoteChar", StringKey{KIV_FIELD(table.QuoteChar), "\""}, false},
    {"Main", "LastOpenDir", StringKey{KIV_FIELD(session.LastOpenDir), nullptr}, true},
    {"Main", "LastSaveDir", StringKey{KIV_FIELD(session.LastSaveDir), nullptr}, true},
    {"FileBox", "Cols", IntKey{KIV_FIELD(table.Cols), 2, 1, 16}, true},
    {"FileBox", "NepFont", StringKey{KIV_FIELD(table.NepFont), "Courier"}, true},
    {"FileBox", "NepFontSize", IntKey{KIV_FIELD(table.NepFontSize), 10, kMinFontSize, kMaxFontSize}, true},
    {"Main", "Top", IntKey{KIV_FIELD(session.Main.Top), 60, -kMaxWindowPosition, kMaxWindowPosition}, true},
    {"Main", "Left", IntKey{KIV_FIELD(session.Main.Left), 163, -kMaxWindowPosition, kMaxWindowPosition}, true},
    {"Main", "W", IntKey{KIV_FIELD(session.Main.W), 802, 200, kMaxWindowSide}, true},
    {"Main", "H", IntKey{KIV_FIELD(session.Main.H), 644, 150, kMaxWindowSide}, true},
    {"Main", "imageeditor", StringKey{KIV_FIELD(table.imageeditor), "gimp"}, true},
    {"Main", "imageviewer", StringKey{KIV_FIELD(table.imageviewer), ""}, true},
    {"Main", "ChildW", IntKey{KIV_FIELD(table.ChildW), 400, 100, kMaxWindowSide}, true},
    {"Main", "ChildH", IntKey{KIV_FIELD(table.ChildH), 300, 60, kMaxWindowSide}, true},
    {"Main", "WordWrap", BoolKey{KIV_FIELD(table.WordWrap), true}, true},
    {"Main", "AutoComp", BoolKey{KIV_FIELD(table.AutoComp), true}, true},
    {"Main", "SyntaxHighlight", BoolKey{KIV_FIELD(table.SyntaxHighlight), true}, true},
    {"Main", "Lined", BoolKey{KIV_FIELD(table.Lined), false}, true},
    {"Main", "MRUItemsCount", IntKey{KIV_FIELD(table.MRUItemsCount), 25, 0, 100}, true},
    {"Main", "FontColor", IntKey{KIV_FIELD(table.FontColor), 0, 0, kColorMax}, true},
    {"Main", "BGColor", IntKey{KIV_FIELD(table.BGColor), 16777215, 0, kColorMax}, true},
    {"Main", "SelFontColor", IntKey{KIV_FIELD(table.SelFontColor), 16777215, 0, kColorMax}, true},
    {"Main", "SelBGColor", IntKey{KIV_FIELD(table.SelBGColor), 0, 0, kColorMax}, true},
    {"Main", "autoindent", IntKey{KIV_FIELD(table.autoindent), 1, 1, 32}, true},
    {"View", "UseWallpaper", BoolKey{KIV_FIELD(table.UseWallpaper), false}, true},
    {"AutoEdit", "ChangeQuotes", BoolKey{KIV_FIELD(table.ChangeQuotes), false}, false},
    {"Sounds", "Key", BoolKey{KIV_FIELD(table.Key), false}, true},
    {"Sounds", "CRET", BoolKey{KIV_FIELD(table.CRET), false}, true},
    {"Main", "CurBeyondEOF", BoolKey{KIV_FIELD(table.CurBeyondEOF), false}, true},
    {"Main", "CurBeyondEOL", BoolKey{KIV_FIELD(table.CurBeyondEOL), false}, true},
    {"Editor", "FillOption", ByteKey{KIV_FIELD(table.Editor.FillOption), 0, 0, 2}, true},
    {"Editor", "Wallpaper", StringKey{KIV_FIELD(table.Editor.Wallpaper), ""}, true},
    {"Editor", "GradientColor1", IntKey{KIV_FIELD(table.Editor.GradientColor1), 12632256, 0, kColorMax}, true},
    {"Editor", "GradientColor2", IntKey{KIV_FIELD(table.Editor.GradientColor2), 16711680, 0, kColorMax}, true},
    {"Editor", "GradientMode", ByteKey{KIV_FIELD(table.Editor.GradientMode), 1, 1, 2}, true},
    {"Editor", "WallpaperMode", ByteKey{KIV_FIELD(table.Editor.WallpaperMode), 1, 1, 3}, true},
    {"Gutter", "GFillOption", ByteKey{KIV_FIELD(table.Gutter.FillOption), 2, 0, 2}, true},
    {"Gutter", "Wallpaper", StringKey{KIV_FIELD(table.Gutter.Wallpaper), ""}, true},
    {"Gutter", "GradientColor1", IntKey{KIV_FIELD(table.Gutter.GradientColor1), 12632256, 0, kColorMax}, true},
    {"Gutter", "GradientColor2", IntKey{KIV_FIELD(table.Gutter.GradientColor2), 16711680, 0, kColorMax}, true},
    {"Gutter", "width", IntKey{KIV_FIELD(table.Gutter.width), 24, 0, 256}, true},
    {"Gutter", "GradientMode", ByteKey{KIV_FIELD(table.Gutter.GradientMode), 1, 1, 2}, true},
    {"Gutter", "WallpaperMode", ByteKey{KIV_FIELD(table.Gutter.WallpaperMode), 1, 1, 3}, true},
    {"Gutter", "SimpleColor", IntKey{KIV_FIELD(table.Gutter.SimpleColor), 16724212, 0, kColorMax}, true},
    // Keys that the tool windows read for themselves and exit writes back.
    {"Bmx", "Top", IntKey{KIV_FIELD(session.Bmx.Top), 2, -kMaxWindowPosition, kMaxWindowPosition}, true},
    {"Bmx", "Left", IntKey{KIV_FIELD(session.Bmx.Left), 2, -kMaxWindowPosition, kMaxWindowPosition}, true},
    {"Bmx", "W", IntKey{KIV_FIELD(session.Bmx.W), 300, 60, kMaxWindowSide}, true},
    {"Bmx", "H", IntKey{KIV_FIELD(session.Bmx.H), 400, 60, kMaxWindowSide}, true},
    {"Dox", "Top", IntKey{KIV_FIELD(session.Dox.Top), 2, -kMaxWindowPosition, kMaxWindowPosition}, true},
    {"Dox", "Left", IntKey{KIV_FIELD(session.Dox.Left), 2, -kMaxWindowPosition, kMaxWindowPosition}, true},
    {"Dox", "W", IntKey{KIV_FIELD(session.Dox.W), 100, 60, kMaxWindowSide}, true},
    {"Dox", "H", IntKey{KIV_FIELD(session.Dox.H), 200, 60, kMaxWindowSide}, true},
    {"FileBox", "left", IntKey{KIV_FIELD(session.FileBox.Left), 2, -kMaxWindowPosition, kMaxWindowPosition}, true},
    {"FileBox", "top", IntKey{KIV_FIELD(session.FileBox.Top), 2, -kMaxWindowPosition, kMaxWindowPosition}, true},
    {"FileBox", "w", IntKey{KIV_FIELD(session.FileBox.W), 400, 60, kMaxWindowSide}, true},
    {"FileBox", "h", IntKey{KIV_FIELD(session.FileBox.H), 300, 60, kMaxWindowSide}, true},
    {"FileBox", "LastPath", StringKey{KIV_FIELD(session.FileBoxLastPath), nullptr}, true},
    {"Main", "Autoscroll", IntKey{KIV_FIELD(session.MainAutoscroll), 1, 0, 1}, true},
    {"Main", "MFColor", IntKey{KIV_FIELD(session.MFColor), 15790320, 0, kColorMax}, true},
};

#undef KIV_FIELD

const ExitKey kExitOrder[] = {
    {"RunglerOpts", "WInterpMode"}, {"RunglerOpts", "XaConvMode"}, {"RunglerOpts", "ShchaConvMode"},
    {"FileBox", "Cols"}, {"FileBox", "NepFont"}, {"FileBox", "NepFontSize"},
    {"Bmx", "Top"}, {"Bmx", "Left"}, {"Bmx", "W"}, {"Bmx", "H"},
    {"Dox", "Top"}, {"Dox", "Left"}, {"Dox", "W"}, {"Dox", "H"},
    {"SaveOptions", "autosaveonpreview"},
    {"PowModes", "Suspend"}, {"PowModes", "StandBy"}, {"PowModes", "shutdown"},
    {"Main", "imageeditor"}, {"Main", "imageviewer"},
    {"SaveOptions", "SaveVersionOnExit"}, {"SaveOptions", "ConvertVersionToCharset"},
    {"SaveOptions", "DoConvertVersionToCharset"}, {"SaveOptions", "VersionNamePrefix"},
    {"SaveOptions", "AddVersionNamePrefix"}, {"SaveOptions", "DoCopyVer"},
    {"SaveOptions", "SaveInSameFolder"}, {"SaveOptions", "CopyVerPath"},
    {"Main", "MRUItemsCount"},
    {"Editor", "FillOption"}, {"Editor", "Wallpaper"}, {"Editor", "GradientColor1"},
    {"Editor", "GradientColor2"}, {"Editor", "GradientMode"}, {"Editor", "WallpaperMode"},
    {"Gutter", "GFillOption"}, {"Gutter", "Wallpaper"}, {"Gutter", "GradientColor1"},
    {"Gutter", "GradientColor2"}, {"Gutter", "width"}, {"Gutter", "GradientMode"},
    {"Gutter", "WallpaperMode"}, {"Gutter", "SimpleColor"},
    {"FileBox", "Files"}, {"FileBox", "Folders"}, {"FileBox", "Back"},
    {"Main", "Lined"}, {"Main", "SyntaxHighlight"}, {"Main", "ShowLineNumbers"}, {"Main", "ShowSplash"},
    {"Main", "Autoscroll"},
    {"Main", "bkonopen"},
    {"Main", "tray_state"},
    {"Autoscroll", "Active"}, {"Autoscroll", "Time"}, {"Autoscroll", "LinesPerTime"},
    {"Main", "Top"}, {"Main", "Left"}, {"Main", "W"}, {"Main", "H"},
    {"Main", "ChildW"}, {"Main", "ChildH"}, {"Main", "RMargin"},
    {"Main", "MFColor"},
    {"Main", "WordWrap"},
    {"Main", "DefAutoIndent"}, {"Main", "MarginActive"}, {"Main", "AutoComp"},
    {"Main", "LastOpenDir"}, {"Main", "LastSaveDir"},
    {"Fonts", "KOI8"}, {"Fonts", "DOS"}, {"Fonts", "WIN"},
    {"Fonts", "DOSSize"}, {"Fonts", "WINSize"}, {"Fonts", "KOI8Size"},
    {"Main", "FontColor"}, {"Main", "BGColor"}, {"Main", "SelFontColor"}, {"Main", "SelBGColor"},
    {"View", "UseWallpaper"},
    {"Sounds", "key"}, {"Sounds", "CRET"},
    {"Main", "autoindent"},
    {"FileBox", "left"}, {"FileBox", "top"}, {"FileBox", "w"}, {"FileBox", "h"}, {"FileBox", "LastPath"},
    {"Main", "CurBeyondEOF"}, {"Main", "CurBeyondEOL"},
    {"Browsers", "IEPath"}, {"Browsers", "OperaPath"}, {"Browsers", "NetscapePath"}, {"Browsers", "CustomPath"},
};

}  // namespace

std::span<const SettingKey> settingsTable() { return kTable; }
std::span<const ExitKey> exitOrder() { return kExitOrder; }

const SettingKey* findSetting(std::string_view section, std::string_view key) {
  for (const auto& k : kTable)
    if (equalsIgnoreAsciiCase(k.section, section) && equalsIgnoreAsciiCase(k.key, key)) return &k;
  return nullptr;
}

bool readSetting(const IniFile& ini, const SettingKey& k, Configuration& cfg) {
  return std::visit(
      [&](const auto& t) {
        using T = std::decay_t<decltype(t)>;
        if constexpr (std::is_same_v<T, BoolKey>) {
          t.field(cfg) = ini.readBool(k.section, k.key, t.def);
          return false;
        } else if constexpr (std::is_same_v<T, IntKey>) {
          const int v = ini.readInteger(k.section, k.key, t.def);
          t.field(cfg) = std::clamp(v, t.min, t.max);
          return t.field(cfg) != v;
        } else if constexpr (std::is_same_v<T, ByteKey>) {
          const int v = ini.readInteger(k.section, k.key, t.def) & 0xFF;
          t.field(cfg) = static_cast<std::uint8_t>(std::clamp(v, int(t.min), int(t.max)));
          return t.field(cfg) != v;
        } else {
          std::string& f = t.field(cfg);
          f = ini.readString(k.section, k.key, t.def ? std::string_view(t.def) : std::string_view(f));
          return false;
        }
      },
      k.type);
}

bool writeSetting(IniFile& ini, const SettingKey& k, std::string_view spelling, Configuration& cfg) {
  return std::visit(
      [&](const auto& t) {
        using T = std::decay_t<decltype(t)>;
        if constexpr (std::is_same_v<T, BoolKey>) {
          return ini.writeBool(k.section, spelling, t.field(cfg));
        } else if constexpr (std::is_same_v<T, IntKey> || std::is_same_v<T, ByteKey>) {
          return ini.writeInteger(k.section, spelling, static_cast<int>(t.field(cfg)));
        } else {
          return ini.writeString(k.section, spelling, t.field(cfg));
        }
      },
      k.type);
}

std::vector<const SettingKey*> readSettings(const IniFile& ini, Configuration& cfg) {
  std::vector<const SettingKey*> clamped;
  for (const auto& k : kTable)
    if (readSetting(ini, k, cfg)) clamped.push_back(&k);
  return clamped;
}

std::vector<const SettingKey*> writeSettings(IniFile& ini, Configuration& cfg,
                                             std::span<const SettingKey* const> alsoWrite) {
  std::vector<const SettingKey*> refused;
  IniFile::Batch batch(ini);
  for (const auto& e : kExitOrder) {
    if (equalsIgnoreAsciiCase(e.section, "Main") &&
        (equalsIgnoreAsciiCase(e.key, "LastOpenDir") || equalsIgnoreAsciiCase(e.key, "LastSaveDir")) &&
        !cfg.session.writeLastDirs)
      continue;
    if (const SettingKey* k = findSetting(e.section, e.key))
      if (!writeSetting(ini, *k, e.key, cfg)) refused.push_back(k);
  }
  for (const SettingKey* k : alsoWrite) {
    if (k->writtenAtExit) continue;  // written above
    if (!writeSetting(ini, *k, k->key, cfg)) refused.push_back(k);
  }
  return refused;
}

}  // namespace kiv
