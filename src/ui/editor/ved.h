#pragma once
// The editor interface: every command that reads or changes a document goes
// through this one object, which resolves the active document window at
// each call. Text crosses it as bytes in the document's code page with CR LF
// line breaks; file names are the system's UTF-8 paths. Lines and columns
// count from 0.

#include <functional>
#include <string>
#include <vector>

#include "core/config/settings.h"
#include "ui/editor/document_lines.h"

namespace kiv {

class DocumentHost;

struct EditorCallbacks {
  // A document window closes: its file name, left column and top line.
  std::function<void(const std::string& fileName, int leftColumn, int topLine)> documentClosed;
  std::function<void()> keyClick;
  std::function<void()> enterSound;
  // Opens a file in a new document window.
  std::function<void(const std::string& fileName)> openFile;
};

class CVed {
 public:
  CVed(DocumentHost* host, EditorCallbacks callbacks, Settings* settings)
      : host_(host), callbacks_(std::move(callbacks)), settings_(settings) {}
  virtual ~CVed() = default;
  CVed(const CVed&) = delete;
  CVed& operator=(const CVed&) = delete;

  // Operations in slot order.
  virtual void Reserved0() = 0;
  virtual void SetModified(bool flag) = 0;
  virtual bool GetModified() = 0;
  virtual void ApplySettingsToActive() = 0;
  virtual int GetTopLine() = 0;
  virtual int GetScrollLine() = 0;
  virtual void ScrollUp() = 0;
  virtual void ScrollDown() = 0;
  virtual void GotoLine(int line) = 0;
  virtual void ScrollColumns(int delta) = 0;
  virtual void ScrollBy(int dCols, int dLines) = 0;
  virtual void LoadText(const std::string& fileName, const std::string& text) = 0;
  virtual std::string GetSelOrAllText() = 0;
  virtual std::string GetSelText() = 0;
  virtual void PutSelOrAllText(const std::string& text) = 0;
  virtual void ReplaceSel(const std::string& text) = 0;
  virtual void SetText(const std::string& text) = 0;
  virtual std::string GetText() = 0;
  virtual void SetWordWrap(bool on) = 0;
  virtual bool GetWordWrap() = 0;
  virtual DocumentLines GetLines() = 0;
  virtual void OpenFile(const std::string& fileName) {
    if (callbacks_.openFile) callbacks_.openFile(fileName);
  }
  virtual void ApplyColors() = 0;
  virtual void ApplyCharsetFonts() = 0;
  virtual void ApplyTextBackground() = 0;
  virtual void ApplyGutter() = 0;
  virtual void ApplyMargin() = 0;
  virtual void ApplyLineNumbers() = 0;
  virtual void ApplyBlockIndent() = 0;
  virtual void ApplyTabWidth() = 0;
  virtual void ApplySyntaxHighlight() = 0;
  virtual void ApplyLineSeparators() = 0;
  virtual void ApplyCharsetFontSizes() = 0;
  virtual std::string GetFontName() = 0;
  virtual void Undo() = 0;
  virtual void Redo() = 0;
  virtual void Copy() = 0;
  virtual void Cut() = 0;
  virtual void Paste() = 0;
  virtual bool Reserved39() = 0;
  virtual bool Reserved40() = 0;
  virtual bool CanPaste() = 0;
  virtual bool HasSelection() = 0;
  virtual void ShowFindDialog() = 0;
  virtual bool FindNext() = 0;
  virtual void ShowReplaceDialog() = 0;
  virtual void SetCharset(const std::string& id) = 0;
  virtual int GetFontSize() = 0;
  virtual std::string GetCharset() = 0;
  virtual void SetFileName(const std::string& name) = 0;
  virtual std::string GetFileNameOf(int index) = 0;
  virtual void LoadFromFile(const std::string& fileName) = 0;
  virtual void ExportAs(const std::string& fileName, const std::string& format) = 0;
  virtual void Print() = 0;
  virtual void ReplaceSelWithLines(const std::vector<std::string>& lines) = 0;
  virtual std::vector<std::string> GetSelLines() = 0;
  virtual std::string GetFileName() = 0;
  virtual void NewDocument(DocumentHost* owner) = 0;
  virtual bool InsertAtCaret(const std::string& text) = 0;
  virtual void InsertLines(const std::vector<std::string>& lines) = 0;
  virtual bool IsSelectionEmpty() = 0;
  virtual bool HasFile() = 0;
  virtual int GetGutterWidth() = 0;
  virtual int GetMarginPos() = 0;
  virtual void SetGutterWidth(int width) = 0;
  virtual void SetMarginPos(int column) = 0;
  // Slots 66 to 69 are reserved and never called.
  virtual void Reserved66() {}
  virtual void Reserved67() {}
  virtual void Reserved68() {}
  virtual void Reserved69() {}
  virtual bool GetHasFile() = 0;
  virtual void SetHasFile(bool flag) = 0;
  virtual bool HasFileAt(int index) = 0;
  virtual void FocusText() = 0;
  virtual void DocumentClosed(const std::string& fileName, int leftColumn, int topLine) = 0;
  virtual void ShowInfo(int kind, const std::string& text) = 0;
  virtual void ScrollLines(int delta) = 0;

  Settings* settings() const { return settings_; }
  DocumentHost* host() const { return host_; }
  const EditorCallbacks& callbacks() const { return callbacks_; }

 protected:
  DocumentHost* host_;
  EditorCallbacks callbacks_;
  Settings* settings_;
};

}  // namespace kiv
