#pragma once
// The settings record: one program-wide instance, filled from "kiv.ini" at
// start and written back at exit. Every configurable behaviour reads its
// field here. The "kiv.ini" key behind each field is in the settings table
// (settings_table.h).

#include <array>
#include <cstdint>
#include <string>

namespace kiv {

class ProgramPaths;

// Colours are Windows COLORREF values, 0x00BBGGRR.
using ColorRef = int;

// Dated versions of a document (section SaveOptions).
struct VersionOptions {
  bool saveOnClose = false;            // a version when a document with a file closes
  std::string targetCharset = "win";   // the charset a version is converted to ...
  bool convertCharset = false;         // ... when this is on
  std::string namePrefix = "version";
  bool addNamePrefix = false;
  bool copyToFolder = false;           // a second copy in copyFolder
  bool saveInSameFolder = true;
  std::string copyFolder;
};

// The programs of the "Просмотр" menu (section Browsers).
struct BrowserPaths {
  std::string explorerPath;
  std::string operaPath;
  std::string netscapePath;
  std::string customPath;
};

// Fill of the text area (section Editor) or the gutter (section Gutter).
struct AreaFill {
  std::uint8_t kind = 0;         // 0 none / plain colour, 1 picture, 2 gradient
  std::string picture;           // picture file
  std::uint8_t pictureMode = 1;  // 1 tiled, 2 centred, 3 stretched
  ColorRef gradientColor1 = 12632256;
  ColorRef gradientColor2 = 16711680;
  std::uint8_t gradientMode = 1;  // 1 vertical, 2 horizontal
  int width = 24;                 // gutter only
  ColorRef plainColor = 16724212;  // gutter only
};

struct Settings {
  bool syntaxHighlight = true;
  bool detectEncoding = false;     // guess the code page of opened files
  bool typographicQuotes = false;  // a typed " becomes « or »
  bool separatorLines = false;     // lines drawn between the text lines
  bool showLineNumbers = false;
  bool showSplash = false;
  int recentFilesCount = 25;
  bool wordWrap = true;
  bool saveBeforePreview = false;
  std::string imageEditor;
  std::string imageViewer;
  bool useWallpaper = false;
  std::string quoteChar = "\"";

  int untitledCounter = -1;     // number of the last "untitled" document
  bool firstActivation = true;  // the command line is opened at the first activation

  int blockIndent = 1;  // columns
  int documentWidth = 400;   // size of a new document window
  int documentHeight = 300;
  std::uint8_t trayState = 0;
  bool autoScroll = false;  // automatic scrolling on
  int autoScrollLines = 1;
  int autoScrollInterval = 2500;  // milliseconds

  VersionOptions versions;

  // Save every document before the computer suspends, stands by or shuts down.
  bool saveAllOnSuspend = false;
  bool saveAllOnStandBy = false;
  bool saveAllOnShutdown = false;

  // The font of each document charset.
  std::string koiFont = "Courier New";
  std::string dosFont = "Terminal";
  std::string winFont = "Courier New";
  std::uint8_t koiFontSize = 10;
  std::uint8_t dosFontSize = 10;
  std::uint8_t winFontSize = 10;

  // Folders, each ending in "/".
  std::string codeTablesFolder;
  std::string templatesFolder;
  std::string pluginsFolder;
  std::string colorsFolder;
  std::string settingsFolder;
  std::string partsFolder;

  BrowserPaths browsers;

  // Transliteration modes as stored (see Transliterator::applyConfiguration).
  std::string shchaMode = "Sj";
  std::string khaMode = "X";
  std::string wMode = "V";

  bool keyClickSound = false;
  bool enterSound = false;
  int spacesPerTab = 3;
  int rightMargin = 72;
  bool autoIndent = true;
  bool showRightMargin = false;
  bool backupOnOpen = false;  // a backup copy of every file opened
  bool autoComplete = true;
  bool caretBeyondEndOfFile = false;
  bool caretBeyondEndOfLine = false;

  ColorRef backgroundColor = 16777215;
  ColorRef textColor = 0;
  ColorRef selectionBackgroundColor = 0;
  ColorRef selectionTextColor = 16777215;

  AreaFill textAreaFill{0, "", 1, 12632256, 16711680, 1, 24, 16724212};
  AreaFill gutterFill{2, "", 1, 12632256, 16711680, 1, 24, 16724212};

  // Alt+0 … Alt+9 document shortcuts: true while the slot is free.
  std::array<bool, 10> docSlotFree{true, true, true, true, true, true, true, true, true, true};

  // File browser.
  ColorRef browserFileColor = 0;
  ColorRef browserFolderColor = 16711680;
  ColorRef browserBackgroundColor = 16777215;
  int browserColumns = 2;
  int browserFontSize = 10;
  std::string browserFont = "Courier";

  // A negative tab width counts as none.
  int tabWidth() const { return spacesPerTab < 0 ? 0 : spacesPerTab; }
};

struct WindowBounds {
  int top = 0;
  int left = 0;
  int width = 0;
  int height = 0;
};

// The bounds brought onto an area (the available part of a screen): no
// wider or taller than it, and moved so that the whole window lies on it.
// An empty area changes nothing.
WindowBounds fitBounds(const WindowBounds& bounds, const WindowBounds& area);

// Values that "kiv.ini" keeps for windows and dialogs rather than for the
// settings record: bounds, the dialogs' folders, the file browser's place.
struct SessionState {
  std::string lastOpenFolder;
  std::string lastSaveFolder;
  WindowBounds mainWindow{60, 163, 802, 644};
  WindowBounds bookmarksWindow{100, 100, 300, 400};
  WindowBounds documentsWindow{2, 2, 100, 200};
  WindowBounds fileBrowser{100, 100, 500, 400};
  std::string fileBrowserFolder;
  int mainAutoscroll = 1;           // written only
  ColorRef mainWindowColor = 15790320;  // written only
  // True when lastOpenFolder/lastSaveFolder are to be written at exit.
  bool writeLastFolders = false;
};

struct Configuration {
  Settings settings;
  SessionState session;
};

// Builds the folder fields from the program folder (ending in "/") and the
// CodeTablesLocation value (backslashes accepted).
void buildFolders(Settings& settings, const std::string& programFolder, const std::string& codeTablesLocation);
// The same from where `paths` puts the Engine tree.
void buildFolders(Settings& settings, const ProgramPaths& paths, const std::string& codeTablesLocation);

// Joins a folder and a relative path written with "\" or "/".
std::string joinProgramPath(const std::string& folder, const std::string& relative);

}  // namespace kiv
