#pragma once
// The editor interface: every command that reads or changes a document goes
// through this one object, which resolves the active document window at
// each call. Text crosses it as bytes in the document's code page with CR LF
// line breaks; file names are the system's UTF-8 paths. Lines and columns
// count from 0. Without an open document, reading gives empty values and
// changing does nothing.

#include <QKeySequence>
#include <QList>
#include <functional>
#include <string>
#include <vector>

#include "core/config/settings.h"
#include "ui/editor/document_lines.h"

namespace kiv {

class DocumentHost;
class DocumentWindow;

struct EditorCallbacks {
  // A document window closes: its file name, left column and top line.
  std::function<void(const std::string& fileName, int leftColumn, int topLine)> documentClosed;
  std::function<void()> keyClickSound;
  std::function<void()> enterSound;
  // Opens a file in a new document window.
  std::function<void(const std::string& fileName)> openFile;
};

class EditorInterface {
 public:
  EditorInterface(DocumentHost* host, EditorCallbacks callbacks, Settings* settings);
  EditorInterface(const EditorInterface&) = delete;
  EditorInterface& operator=(const EditorInterface&) = delete;

  Settings* settings() const { return settings_; }
  DocumentHost* host() const { return host_; }
  const EditorCallbacks& callbacks() const { return callbacks_; }

  // --- Documents -------------------------------------------------------------
  // The active document window, or nullptr.
  DocumentWindow* active() const;
  // Document windows by MDI child index: 0 is the front-most.
  QList<DocumentWindow*> documents() const;
  int documentCount() const { return static_cast<int>(documents().size()); }
  // Creates a document window named "untitled" + the untitled counter, makes
  // it active and returns it.
  DocumentWindow* createDocument(DocumentHost* owner);
  // The file name of the document with that MDI child index ("" for none).
  std::string fileNameAt(int index) const;
  // Program shortcuts that the editing controls must leave alone.
  void setProgramKeys(const QList<QKeySequence>& keys) { programKeys_ = keys; }
  // For tests: the find and replace dialogs are not shown, the last search
  // options are used as they are.
  void setDialogsSuppressed(bool on) { dialogsSuppressed_ = on; }
  // Opens a file in a new document window.
  void openFile(const std::string& fileName);
  // Reports a closing document window to the main window.
  void documentClosed(const std::string& fileName, int leftColumn, int topLine);

  // --- The active document and its file ----------------------------------------
  std::string fileName() const;
  void setFileName(const std::string& name);
  bool hasFile() const;
  void setHasFile(bool flag);
  std::string charset() const;
  void setCharset(const std::string& id);
  bool isModified() const;
  void setModified(bool flag);
  // Puts a file's text into the document: it then has that file, and the
  // highlighter that goes with the file's extension.
  void loadText(const std::string& fileName, const std::string& text);
  // "HTML" or "RTF" with the highlighter's colours; other formats write nothing.
  void exportAs(const std::string& fileName, const std::string& format);
  void print();

  // --- Text ---------------------------------------------------------------------
  std::string text() const;
  void setText(const std::string& text);
  // The working text: the selection, or the whole text without one.
  std::string workingText() const;
  // Replaces the selection, or the whole text without one.
  void putWorkingText(const std::string& text);
  std::string selectedText() const;
  void replaceSelection(const std::string& text);
  bool hasSelection() const;
  // The lines the selection touches; put back as a block, keeping a final
  // line break of the selection. Nothing happens without a selection.
  std::vector<std::string> selectedLines() const;
  void replaceSelectedLines(const std::vector<std::string>& lines);
  DocumentLines lines() const;
  bool insertAtCaret(const std::string& text);
  void insertLines(const std::vector<std::string>& lines);

  // --- Editing --------------------------------------------------------------------
  void undo();
  void redo();
  // Copy and cut without a selection empty the clipboard.
  void copy();
  void cut();
  void paste();
  bool canPaste() const;
  void showFindDialog();
  bool findNext();
  void showReplaceDialog();
  void setWordWrap(bool on);
  void focusText();

  // --- View -------------------------------------------------------------------------
  int topLine() const;
  void scrollLines(int delta);
  void scrollBy(int columns, int lines);
  // The caret goes to the line (clamped), after its first character.
  void goToLine(int line);
  int gutterWidth() const;
  void setGutterWidth(int width);
  int marginColumn() const;

  // --- Main window ------------------------------------------------------------------
  // The charset panel of the status bar.
  void showCharsetInStatus(const std::string& text);
  // The main window's caption (a file name).
  void showCaption(const std::string& fileName);

  // --- Settings applied to documents ------------------------------------------------
  // The apply-settings step of a new window, on the active document.
  void applySettingsToActive();
  // Each of these applies one group of settings to every document.
  void applyColors();
  void applyCharsetFonts();
  void applyCharsetFontSizes();
  void applyTextBackground();
  void applyGutter();
  void applyMargin();
  void applyLineNumbers();
  void applyBlockIndent();
  void applyTabWidth();
  void applySyntaxHighlight();
  void applyLineSeparators();

 private:
  // Documents from the last MDI child index down to 0.
  QList<DocumentWindow*> documentsLastFirst() const;

  DocumentHost* host_;
  EditorCallbacks callbacks_;
  Settings* settings_;
  QList<QKeySequence> programKeys_;
  bool dialogsSuppressed_ = false;
};

}  // namespace kiv
