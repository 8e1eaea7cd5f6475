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
    {"RunglerOpts", "WInterpMode", StringKey{KIV_FIELD(settings.wMode), "V"}, true},
    {"RunglerOpts", "XaConvMode", StringKey{KIV_FIELD(settings.khaMode), "X"}, true},
    {"RunglerOpts", "ShchaConvMode", StringKey{KIV_FIELD(settings.shchaMode), "Sj"}, true},
    {"PowModes", "Suspend", BoolKey{KIV_FIELD(settings.saveAllOnSuspend), false}, true},
    {"PowModes", "StandBy", BoolKey{KIV_FIELD(settings.saveAllOnStandBy), false}, true},
    {"PowModes", "shutdown", BoolKey{KIV_FIELD(settings.saveAllOnShutdown), false}, true},
    {"FileBox", "Files", IntKey{KIV_FIELD(settings.browserFileColor), 0, 0, kColorMax}, true},
    {"FileBox", "Folders", IntKey{KIV_FIELD(settings.browserFolderColor), 16711680, 0, kColorMax}, true},
    {"FileBox", "Back", IntKey{KIV_FIELD(settings.browserBackgroundColor), 16777215, 0, kColorMax}, true},
    {"Engine", "CodeTablesLocation", StringKey{KIV_FIELD(settings.codeTablesFolder), "Engine\\Tables\\"}, false},
    {"SaveOptions", "SaveVersionOnExit", BoolKey{KIV_FIELD(settings.versions.saveOnClose), false}, true},
    {"SaveOptions", "ConvertVersionToCharset", StringKey{KIV_FIELD(settings.versions.targetCharset), "win"}, true},
    {"SaveOptions", "DoConvertVersionToCharset", BoolKey{KIV_FIELD(settings.versions.convertCharset), false}, true},
    {"SaveOptions", "VersionNamePrefix", StringKey{KIV_FIELD(settings.versions.namePrefix), "version"}, true},
    {"SaveOptions", "AddVersionNamePrefix", BoolKey{KIV_FIELD(settings.versions.addNamePrefix), false}, true},
    {"SaveOptions", "DoCopyVer", BoolKey{KIV_FIELD(settings.versions.copyToFolder), false}, true},
    {"SaveOptions", "SaveInSameFolder", BoolKey{KIV_FIELD(settings.versions.saveInSameFolder), true}, true},
    {"SaveOptions", "CopyVerPath", StringKey{KIV_FIELD(settings.versions.copyFolder), ""}, true},
    {"SaveOptions", "autosaveonpreview", BoolKey{KIV_FIELD(settings.saveBeforePreview), false}, true},
    {"Browsers", "IEPath", StringKey{KIV_FIELD(settings.browsers.explorerPath), "x-www-browser"}, true},
    {"Browsers", "OperaPath", StringKey{KIV_FIELD(settings.browsers.operaPath), "chromium"}, true},
    {"Browsers", "NetscapePath", StringKey{KIV_FIELD(settings.browsers.netscapePath), "firefox"}, true},
    {"Browsers", "CustomPath", StringKey{KIV_FIELD(settings.browsers.customPath), ""}, true},
    {"Autoscroll", "Active", BoolKey{KIV_FIELD(settings.autoScroll), false}, true},
    {"Autoscroll", "Time", IntKey{KIV_FIELD(settings.autoScrollInterval), 2500, 10, 600000}, true},
    {"Autoscroll", "LinesPerTime", IntKey{KIV_FIELD(settings.autoScrollLines), 1, 1, 1000}, true},
    {"Main", "SpacesPerTab", IntKey{KIV_FIELD(settings.spacesPerTab), 3, 1, 32}, false},
    {"Main", "tray_state", ByteKey{KIV_FIELD(settings.trayState), 0, 0, 255}, true},
    {"Main", "bkonopen", BoolKey{KIV_FIELD(settings.backupOnOpen), false}, true},
    {"Main", "MarginActive", BoolKey{KIV_FIELD(settings.showRightMargin), false}, true},
    {"Main", "ShowLineNumbers", BoolKey{KIV_FIELD(settings.showLineNumbers), false}, true},
    {"Main", "ShowSplash", BoolKey{KIV_FIELD(settings.showSplash), false}, true},
    {"Main", "DoEncDetect", BoolKey{KIV_FIELD(settings.detectEncoding), false}, false},
    {"Main", "DefAutoIndent", BoolKey{KIV_FIELD(settings.autoIndent), true}, true},
    {"Main", "RMargin", IntKey{KIV_FIELD(settings.rightMargin), 72, 1, 1000}, true},
    {"Fonts", "KOI8", StringKey{KIV_FIELD(settings.koiFont), "Courier New"}, true},
    {"Fonts", "DOS", StringKey{KIV_FIELD(settings.dosFont), "Terminal"}, true},
    {"Fonts", "WIN", StringKey{KIV_FIELD(settings.winFont), "Courier New"}, true},
    {"Fonts", "DOSSize", ByteKey{KIV_FIELD(settings.dosFontSize), 10, kMinFontSize, kMaxFontSize}, true},
    {"Fonts", "WINSize", ByteKey{KIV_FIELD(settings.winFontSize), 10, kMinFontSize, kMaxFontSize}, true},
    {"Fonts", "KOI8Size", ByteKey{KIV_FIELD(settings.koiFontSize), 10, kMinFontSize, kMaxFontSize}, true},
    {"Utils", "QuoteChar", StringKey{KIV_FIELD(settings.quoteChar), "\""}, false},
    {"Main", "LastOpenDir", StringKey{KIV_FIELD(session.lastOpenFolder), nullptr}, true},
    {"Main", "LastSaveDir", StringKey{KIV_FIELD(session.lastSaveFolder), nullptr}, true},
    {"FileBox", "Cols", IntKey{KIV_FIELD(settings.browserColumns), 2, 1, 16}, true},
    {"FileBox", "NepFont", StringKey{KIV_FIELD(settings.browserFont), "Courier"}, true},
    {"FileBox", "NepFontSize", IntKey{KIV_FIELD(settings.browserFontSize), 10, kMinFontSize, kMaxFontSize}, true},
    {"Main", "Top", IntKey{KIV_FIELD(session.mainWindow.top), 60, -kMaxWindowPosition, kMaxWindowPosition}, true},
    {"Main", "Left", IntKey{KIV_FIELD(session.mainWindow.left), 163, -kMaxWindowPosition, kMaxWindowPosition}, true},
    {"Main", "W", IntKey{KIV_FIELD(session.mainWindow.width), 802, 200, kMaxWindowSide}, true},
    {"Main", "H", IntKey{KIV_FIELD(session.mainWindow.height), 644, 150, kMaxWindowSide}, true},
    {"Main", "imageeditor", StringKey{KIV_FIELD(settings.imageEditor), "gimp"}, true},
    {"Main", "imageviewer", StringKey{KIV_FIELD(settings.imageViewer), ""}, true},
    {"Main", "ChildW", IntKey{KIV_FIELD(settings.documentWidth), 400, 100, kMaxWindowSide}, true},
    {"Main", "ChildH", IntKey{KIV_FIELD(settings.documentHeight), 300, 60, kMaxWindowSide}, true},
    {"Main", "WordWrap", BoolKey{KIV_FIELD(settings.wordWrap), true}, true},
    {"Main", "AutoComp", BoolKey{KIV_FIELD(settings.autoComplete), true}, true},
    {"Main", "SyntaxHighlight", BoolKey{KIV_FIELD(settings.syntaxHighlight), true}, true},
    {"Main", "Lined", BoolKey{KIV_FIELD(settings.separatorLines), false}, true},
    {"Main", "MRUItemsCount", IntKey{KIV_FIELD(settings.recentFilesCount), 25, 0, 100}, true},
    {"Main", "FontColor", IntKey{KIV_FIELD(settings.textColor), 0, 0, kColorMax}, true},
    {"Main", "BGColor", IntKey{KIV_FIELD(settings.backgroundColor), 16777215, 0, kColorMax}, true},
    {"Main", "SelFontColor", IntKey{KIV_FIELD(settings.selectionTextColor), 16777215, 0, kColorMax}, true},
    {"Main", "SelBGColor", IntKey{KIV_FIELD(settings.selectionBackgroundColor), 0, 0, kColorMax}, true},
    {"Main", "autoindent", IntKey{KIV_FIELD(settings.blockIndent), 1, 1, 32}, true},
    {"View", "UseWallpaper", BoolKey{KIV_FIELD(settings.useWallpaper), false}, true},
    {"AutoEdit", "ChangeQuotes", BoolKey{KIV_FIELD(settings.typographicQuotes), false}, false},
    {"Sounds", "Key", BoolKey{KIV_FIELD(settings.keyClickSound), false}, true},
    {"Sounds", "CRET", BoolKey{KIV_FIELD(settings.enterSound), false}, true},
    {"Main", "CurBeyondEOF", BoolKey{KIV_FIELD(settings.caretBeyondEndOfFile), false}, true},
    {"Main", "CurBeyondEOL", BoolKey{KIV_FIELD(settings.caretBeyondEndOfLine), false}, true},
    {"Editor", "FillOption", ByteKey{KIV_FIELD(settings.textAreaFill.kind), 0, 0, 2}, true},
    {"Editor", "Wallpaper", StringKey{KIV_FIELD(settings.textAreaFill.picture), ""}, true},
    {"Editor", "GradientColor1", IntKey{KIV_FIELD(settings.textAreaFill.gradientColor1), 12632256, 0, kColorMax}, true},
    {"Editor", "GradientColor2", IntKey{KIV_FIELD(settings.textAreaFill.gradientColor2), 16711680, 0, kColorMax}, true},
    {"Editor", "GradientMode", ByteKey{KIV_FIELD(settings.textAreaFill.gradientMode), 1, 1, 2}, true},
    {"Editor", "WallpaperMode", ByteKey{KIV_FIELD(settings.textAreaFill.pictureMode), 1, 1, 3}, true},
    {"Gutter", "GFillOption", ByteKey{KIV_FIELD(settings.gutterFill.kind), 2, 0, 2}, true},
    {"Gutter", "Wallpaper", StringKey{KIV_FIELD(settings.gutterFill.picture), ""}, true},
    {"Gutter", "GradientColor1", IntKey{KIV_FIELD(settings.gutterFill.gradientColor1), 12632256, 0, kColorMax}, true},
    {"Gutter", "GradientColor2", IntKey{KIV_FIELD(settings.gutterFill.gradientColor2), 16711680, 0, kColorMax}, true},
    {"Gutter", "width", IntKey{KIV_FIELD(settings.gutterFill.width), 24, 0, 256}, true},
    {"Gutter", "GradientMode", ByteKey{KIV_FIELD(settings.gutterFill.gradientMode), 1, 1, 2}, true},
    {"Gutter", "WallpaperMode", ByteKey{KIV_FIELD(settings.gutterFill.pictureMode), 1, 1, 3}, true},
    {"Gutter", "SimpleColor", IntKey{KIV_FIELD(settings.gutterFill.plainColor), 16724212, 0, kColorMax}, true},
    // Keys that the tool windows read for themselves and exit writes back.
    {"Bmx", "Top", IntKey{KIV_FIELD(session.bookmarksWindow.top), 2, -kMaxWindowPosition, kMaxWindowPosition}, true},
    {"Bmx", "Left", IntKey{KIV_FIELD(session.bookmarksWindow.left), 2, -kMaxWindowPosition, kMaxWindowPosition}, true},
    {"Bmx", "W", IntKey{KIV_FIELD(session.bookmarksWindow.width), 300, 60, kMaxWindowSide}, true},
    {"Bmx", "H", IntKey{KIV_FIELD(session.bookmarksWindow.height), 400, 60, kMaxWindowSide}, true},
    {"Dox", "Top", IntKey{KIV_FIELD(session.documentsWindow.top), 2, -kMaxWindowPosition, kMaxWindowPosition}, true},
    {"Dox", "Left", IntKey{KIV_FIELD(session.documentsWindow.left), 2, -kMaxWindowPosition, kMaxWindowPosition}, true},
    {"Dox", "W", IntKey{KIV_FIELD(session.documentsWindow.width), 100, 60, kMaxWindowSide}, true},
    {"Dox", "H", IntKey{KIV_FIELD(session.documentsWindow.height), 200, 60, kMaxWindowSide}, true},
    {"FileBox", "left", IntKey{KIV_FIELD(session.fileBrowser.left), 2, -kMaxWindowPosition, kMaxWindowPosition}, true},
    {"FileBox", "top", IntKey{KIV_FIELD(session.fileBrowser.top), 2, -kMaxWindowPosition, kMaxWindowPosition}, true},
    {"FileBox", "w", IntKey{KIV_FIELD(session.fileBrowser.width), 400, 60, kMaxWindowSide}, true},
    {"FileBox", "h", IntKey{KIV_FIELD(session.fileBrowser.height), 300, 60, kMaxWindowSide}, true},
    {"FileBox", "LastPath", StringKey{KIV_FIELD(session.fileBrowserFolder), nullptr}, true},
    {"Main", "Autoscroll", IntKey{KIV_FIELD(session.mainAutoscroll), 1, 0, 1}, true},
    {"Main", "MFColor", IntKey{KIV_FIELD(session.mainWindowColor), 15790320, 0, kColorMax}, true},
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
        !cfg.session.writeLastFolders)
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
