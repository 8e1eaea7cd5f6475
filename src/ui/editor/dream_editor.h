#pragma once
// The editor interface implemented on the document windows and their
// editing controls.

#include <QKeySequence>
#include <QList>

#include "ui/editor/ved.h"

class QMdiSubWindow;

namespace kiv {

class Ted;

class CdreamEditor : public CVed {
 public:
  CdreamEditor(DocumentHost* host, EditorCallbacks callbacks, Settings* settings);

  // The active document window, or nullptr.
  Ted* active() const;
  // Document windows by MDI child index: 0 is the front-most.
  QList<Ted*> documents() const;
  int documentCount() const { return static_cast<int>(documents().size()); }
  // Program shortcuts that the editing controls must leave alone.
  void setProgramKeys(const QList<QKeySequence>& keys) { programKeys_ = keys; }
  // Creates a document window and returns it (NewDocument without a result
  // leaves it active).
  Ted* createDocument(DocumentHost* owner);
  // For tests: the find and replace dialogs are not shown, the last search
  // options are used as they are.
  void setDialogsSuppressed(bool on) { dialogsSuppressed_ = on; }

  void Reserved0() override;
  void SetModified(bool flag) override;
  bool GetModified() override;
  void ApplySettingsToActive() override;
  int GetTopLine() override;
  int GetScrollLine() override;
  void ScrollUp() override;
  void ScrollDown() override;
  void GotoLine(int line) override;
  void ScrollColumns(int delta) override;
  void ScrollBy(int dCols, int dLines) override;
  void LoadText(const std::string& fileName, const std::string& text) override;
  std::string GetSelOrAllText() override;
  std::string GetSelText() override;
  void PutSelOrAllText(const std::string& text) override;
  void ReplaceSel(const std::string& text) override;
  void SetText(const std::string& text) override;
  std::string GetText() override;
  void SetWordWrap(bool on) override;
  bool GetWordWrap() override;
  DocumentLines GetLines() override;
  void ApplyColors() override;
  void ApplyCharsetFonts() override;
  void ApplyTextBackground() override;
  void ApplyGutter() override;
  void ApplyMargin() override;
  void ApplyLineNumbers() override;
  void ApplyBlockIndent() override;
  void ApplyTabWidth() override;
  void ApplySyntaxHighlight() override;
  void ApplyLineSeparators() override;
  void ApplyCharsetFontSizes() override;
  std::string GetFontName() override;
  void Undo() override;
  void Redo() override;
  void Copy() override;
  void Cut() override;
  void Paste() override;
  bool Reserved39() override;
  bool Reserved40() override;
  bool CanPaste() override;
  bool HasSelection() override;
  void ShowFindDialog() override;
  bool FindNext() override;
  void ShowReplaceDialog() override;
  void SetCharset(const std::string& id) override;
  int GetFontSize() override;
  std::string GetCharset() override;
  void SetFileName(const std::string& name) override;
  std::string GetFileNameOf(int index) override;
  void LoadFromFile(const std::string& fileName) override;
  void ExportAs(const std::string& fileName, const std::string& format) override;
  void Print() override;
  void ReplaceSelWithLines(const std::vector<std::string>& lines) override;
  std::vector<std::string> GetSelLines() override;
  std::string GetFileName() override;
  void NewDocument(DocumentHost* owner) override;
  bool InsertAtCaret(const std::string& text) override;
  void InsertLines(const std::vector<std::string>& lines) override;
  bool IsSelectionEmpty() override;
  bool HasFile() override;
  int GetGutterWidth() override;
  int GetMarginPos() override;
  void SetGutterWidth(int width) override;
  void SetMarginPos(int column) override;
  bool GetHasFile() override;
  void SetHasFile(bool flag) override;
  bool HasFileAt(int index) override;
  void FocusText() override;
  void DocumentClosed(const std::string& fileName, int leftColumn, int topLine) override;
  void ShowInfo(int kind, const std::string& text) override;
  void ScrollLines(int delta) override;

 private:
  // Documents from the last MDI child index down to 0.
  QList<Ted*> documentsLastFirst() const;
  QList<QKeySequence> programKeys_;
  bool dialogsSuppressed_ = false;
};

}  // namespace kiv
