#pragma once
// The settings record: one program-wide instance, filled from "kiv.ini" at
// start and written back at exit. Every configurable behaviour reads its
// field here. Field names follow the keys of "kiv.ini".

#include <array>
#include <cstdint>
#include <string>

namespace kiv {

// Colours are Windows COLORREF values, 0x00BBGGRR.
using ColorRef = int;

struct RSaveOptions {
  bool SaveVersionOnExit = false;
  std::string ConvertVersionToCharset = "win";
  bool DoConvertVersionToCharset = false;
  std::string VersionNamePrefix = "version";
  bool AddVersionNamePrefix = false;
  bool DoCopyVer = false;
  bool SaveInSameFolder = true;
  std::string CopyVerPath;
};

struct RBrowserPaths {
  std::string IEPath;
  std::string OperaPath;
  std::string NetscapePath;
  std::string CustomPath;
};

// Fill of the text area (section Editor) or the gutter (section Gutter).
struct RFR {
  std::uint8_t FillOption = 0;  // 0 none / plain colour, 1 picture, 2 gradient
  std::string Wallpaper;        // picture file
  std::uint8_t WallpaperMode = 1;  // 1 tiled, 2 centred, 3 stretched
  ColorRef GradientColor1 = 12632256;
  ColorRef GradientColor2 = 16711680;
  std::uint8_t GradientMode = 1;  // 1 vertical, 2 horizontal
  int width = 24;                 // gutter only
  ColorRef SimpleColor = 16724212;  // gutter only
};

struct RConnectionTable {
  bool SyntaxHighlight = true;
  bool DoEncDetect = false;
  bool ChangeQuotes = false;
  bool Lined = false;
  bool ShowLineNumbers = false;
  bool ShowSplash = false;
  int MRUItemsCount = 25;
  bool WordWrap = true;
  bool autosaveonpreview = false;
  std::string imageeditor;
  std::string imageviewer;
  bool UseWallpaper = false;
  std::string QuoteChar = "\"";

  int untitledCounter = -1;     // number of the last "untitled" document
  bool firstActivation = true;  // the command line is opened at the first activation

  int autoindent = 1;  // block indent, columns
  int ChildW = 400;
  int ChildH = 300;
  std::uint8_t tray_state = 0;
  bool Active = false;  // automatic scrolling
  int LinesPerTime = 1;
  int Time = 2500;

  RSaveOptions SaveOptions;

  bool Suspend = false;
  bool StandBy = false;
  bool shutdown = false;

  std::string KOI8 = "Courier New";
  std::string DOS = "Terminal";
  std::string WIN = "Courier New";
  std::uint8_t KOI8Size = 10;
  std::uint8_t DOSSize = 10;
  std::uint8_t WINSize = 10;

  // Folders, each ending in "/".
  std::string codeTablesFolder;
  std::string templatesFolder;
  std::string pluginsFolder;
  std::string colorsFolder;
  std::string settingsFolder;
  std::string partsFolder;

  RBrowserPaths BrowserPaths;

  std::string ShchaConvMode = "Sj";
  std::string XaConvMode = "X";
  std::string WInterpMode = "V";

  bool Key = false;   // key-click sound
  bool CRET = false;  // Enter sound
  int SpacesPerTab = 3;
  int RMargin = 72;
  bool DefAutoIndent = true;
  bool MarginActive = false;
  bool bkonopen = false;
  bool AutoComp = true;
  bool CurBeyondEOF = false;
  bool CurBeyondEOL = false;

  ColorRef BGColor = 16777215;
  ColorRef FontColor = 0;
  ColorRef SelBGColor = 0;
  ColorRef SelFontColor = 16777215;

  RFR Editor{0, "", 1, 12632256, 16711680, 1, 24, 16724212};
  RFR Gutter{2, "", 1, 12632256, 16711680, 1, 24, 16724212};

  // Alt+0 … Alt+9 document shortcuts: true while the slot is free.
  std::array<bool, 10> docSlotFree{true, true, true, true, true, true, true, true, true, true};

  // File browser.
  ColorRef Files = 0;
  ColorRef Folders = 16711680;
  ColorRef Back = 16777215;
  int Cols = 2;
  int NepFontSize = 10;
  std::string NepFont = "Courier";

  // A negative tab width counts as none.
  int tabWidth() const { return SpacesPerTab < 0 ? 0 : SpacesPerTab; }
};

struct RWindowBounds {
  int Top = 0;
  int Left = 0;
  int W = 0;
  int H = 0;
};

// The bounds brought onto an area (the available part of a screen): no
// wider or taller than it, and moved so that the whole window lies on it.
// An empty area changes nothing.
RWindowBounds fitBounds(const RWindowBounds& bounds, const RWindowBounds& area);

// Values that "kiv.ini" keeps for windows and dialogs rather than for the
// settings record: bounds, the dialogs' folders, the file browser's place.
struct RSessionState {
  std::string LastOpenDir;
  std::string LastSaveDir;
  RWindowBounds Main{60, 163, 802, 644};
  RWindowBounds Bmx{100, 100, 300, 400};
  RWindowBounds Dox{2, 2, 100, 200};
  RWindowBounds FileBox{100, 100, 500, 400};
  std::string FileBoxLastPath;
  int MainAutoscroll = 1;   // written only
  ColorRef MFColor = 15790320;  // written only
  // True when LastOpenDir/LastSaveDir are to be written at exit.
  bool writeLastDirs = false;
};

struct Configuration {
  RConnectionTable table;
  RSessionState session;
};

// Builds the folder fields from the program folder (ending in "/") and the
// CodeTablesLocation value (backslashes accepted).
void buildFolders(RConnectionTable& ct, const std::string& programFolder, const std::string& codeTablesLocation);

// Joins a folder and a relative path written with "\" or "/".
std::string joinProgramPath(const std::string& folder, const std::string& relative);

}  // namespace kiv
