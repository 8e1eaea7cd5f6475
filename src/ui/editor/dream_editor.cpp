#include "ui/editor/dream_editor.h"

#include <Qsci/qsciprinter.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>

#include "core/charsets/charset_id.h"
#include "core/common/file_bytes.h"
#include "core/common/text_lines.h"
#include "core/document/document_rules.h"
#include "ui/common/dialogs.h"
#include "ui/common/qt_text.h"
#include "ui/editor/document_host.h"
#include "ui/editor/memo/find_dialogs.h"
#include "ui/editor/memo/memo_control.h"
#include "ui/editor/ted.h"

namespace kiv {

CdreamEditor::CdreamEditor(DocumentHost* host, EditorCallbacks callbacks, Settings* settings)
    : CVed(host, std::move(callbacks), settings) {}

Ted* CdreamEditor::active() const {
  QMdiArea* area = host_ ? host_->documentArea() : nullptr;
  if (!area) return nullptr;
  QMdiSubWindow* sub = area->currentSubWindow();
  if (!sub) {
    const auto list = area->subWindowList(QMdiArea::StackingOrder);
    if (list.isEmpty()) return nullptr;
    sub = list.last();
  }
  return qobject_cast<Ted*>(sub->widget());
}

QList<Ted*> CdreamEditor::documents() const {
  QList<Ted*> out;
  QMdiArea* area = host_ ? host_->documentArea() : nullptr;
  if (!area) return out;
  const auto list = area->subWindowList(QMdiArea::StackingOrder);
  for (auto it = list.rbegin(); it != list.rend(); ++it)
    if (auto* t = qobject_cast<Ted*>((*it)->widget())) out << t;
  return out;
}

QList<Ted*> CdreamEditor::documentsLastFirst() const {
  QList<Ted*> docs = documents();
  std::reverse(docs.begin(), docs.end());
  return docs;
}

#define KIV_ACTIVE_OR(value)   \
  Ted* ted = active();         \
  if (!ted) return value;      \
  MemoControl* memo = ted->memo(); \
  (void)memo

void CdreamEditor::Reserved0() {}

void CdreamEditor::SetModified(bool flag) {
  KIV_ACTIVE_OR();
  memo->setModifiedFlag(flag);
}

bool CdreamEditor::GetModified() {
  KIV_ACTIVE_OR(false);
  return memo->modifiedFlag();
}

void CdreamEditor::ApplySettingsToActive() {
  KIV_ACTIVE_OR();
  ted->applySettings();
}

int CdreamEditor::GetTopLine() {
  KIV_ACTIVE_OR(0);
  return memo->topLine();
}

int CdreamEditor::GetScrollLine() { return GetTopLine(); }

void CdreamEditor::ScrollUp() { ScrollLines(-1); }
void CdreamEditor::ScrollDown() { ScrollLines(1); }

void CdreamEditor::GotoLine(int line) {
  KIV_ACTIVE_OR();
  memo->moveCaretTo(line, 1);
  memo->SendScintilla(QsciScintillaBase::SCI_SCROLLCARET);
}

void CdreamEditor::ScrollColumns(int delta) {
  KIV_ACTIVE_OR();
  memo->scrollColumnsBy(delta);
}

void CdreamEditor::ScrollBy(int dCols, int dLines) {
  ScrollLines(dLines);
  ScrollColumns(dCols);
}

void CdreamEditor::LoadText(const std::string& fileName, const std::string& text) {
  KIV_ACTIVE_OR();
  memo->loadTextBytes(text);
  ted->setHasFile(true);
  SetFileName(fileName);
  ted->selectHighlighter(qs(highlighterForFile(fileName)));
}

std::string CdreamEditor::GetSelOrAllText() {
  KIV_ACTIVE_OR({});
  return memo->hasSelectedText() ? memo->selectedBytes() : memo->textCrLf();
}

std::string CdreamEditor::GetSelText() {
  KIV_ACTIVE_OR({});
  return memo->selectedBytes();
}

void CdreamEditor::PutSelOrAllText(const std::string& text) {
  KIV_ACTIVE_OR();
  if (memo->hasSelectedText()) memo->replaceSelectionBytes(text);
  else memo->setTextBytes(text);
}

void CdreamEditor::ReplaceSel(const std::string& text) {
  KIV_ACTIVE_OR();
  memo->replaceSelectionBytes(text);
}

void CdreamEditor::SetText(const std::string& text) {
  KIV_ACTIVE_OR();
  memo->setTextBytes(text);
}

std::string CdreamEditor::GetText() {
  KIV_ACTIVE_OR({});
  return memo->textCrLf();
}

void CdreamEditor::SetWordWrap(bool on) {
  KIV_ACTIVE_OR();
  memo->setWordWrapOn(on);
}

bool CdreamEditor::GetWordWrap() {
  KIV_ACTIVE_OR(false);
  return memo->wordWrapOn();
}

DocumentLines CdreamEditor::GetLines() {
  KIV_ACTIVE_OR(DocumentLines());
  return DocumentLines(memo);
}

void CdreamEditor::ApplyColors() {
  ApplySettingsToActive();
  const Settings& s = *settings_;
  for (Ted* t : documentsLastFirst()) t->memo()->setColors(s.textColor, s.backgroundColor, s.selectionTextColor, s.selectionBackgroundColor);
}

namespace {
void fontOfCharset(const Settings& s, const std::string& id, std::string& name, int& size) {
  if (id == charset::kKoi) name = s.koiFont, size = s.koiFontSize;
  else if (id == charset::kDos) name = s.dosFont, size = s.dosFontSize;
  else name = s.winFont, size = s.winFontSize;
}
}  // namespace

void CdreamEditor::ApplyCharsetFonts() {
  for (Ted* t : documentsLastFirst()) {
    std::string name;
    int size = 10;
    fontOfCharset(*settings_, t->charset(), name, size);
    t->memo()->setDocumentFont(qs(name), size);
  }
}

void CdreamEditor::ApplyCharsetFontSizes() {
  for (Ted* t : documentsLastFirst()) {
    std::string name;
    int size = 10;
    fontOfCharset(*settings_, t->charset(), name, size);
    t->memo()->setDocumentFont(t->memo()->documentFontFamily(), size);
  }
}

void CdreamEditor::ApplyTextBackground() {
  Settings& s = *settings_;
  for (Ted* t : documentsLastFirst()) {
    if (!t->memo()->setTextAreaFill(s.textAreaFill, s.backgroundColor)) {
      // A missing picture: the setting falls back to no fill and the walk stops.
      s.textAreaFill.kind = 0;
      return;
    }
  }
}

void CdreamEditor::ApplyGutter() {
  Settings& s = *settings_;
  for (Ted* t : documentsLastFirst()) {
    t->memo()->setGutterWidthPx(s.gutterFill.width);
    if (!t->memo()->setGutterFill(s.gutterFill)) {
      s.gutterFill.kind = 0;
      return;
    }
  }
}

void CdreamEditor::ApplyMargin() {
  for (Ted* t : documentsLastFirst()) t->memo()->setRightMargin(settings_->rightMargin, settings_->showRightMargin);
}

void CdreamEditor::ApplyLineNumbers() {
  for (Ted* t : documentsLastFirst()) t->memo()->setShowLineNumbers(settings_->showLineNumbers);
}

void CdreamEditor::ApplyBlockIndent() {
  for (Ted* t : documentsLastFirst()) t->memo()->setBlockIndent(settings_->blockIndent);
}

void CdreamEditor::ApplyTabWidth() {
  for (Ted* t : documentsLastFirst()) t->memo()->setSpacesPerTab(settings_->tabWidth());
}

void CdreamEditor::ApplySyntaxHighlight() {
  for (Ted* t : documentsLastFirst()) t->memo()->setSyntaxColoring(settings_->syntaxHighlight);
}

void CdreamEditor::ApplyLineSeparators() {
  for (Ted* t : documentsLastFirst()) t->memo()->setSeparatorLines(settings_->separatorLines);
}

std::string CdreamEditor::GetFontName() {
  KIV_ACTIVE_OR({});
  return u8(memo->documentFontFamily());
}

void CdreamEditor::Undo() {
  KIV_ACTIVE_OR();
  memo->undo();
}

void CdreamEditor::Redo() {
  KIV_ACTIVE_OR();
  memo->redo();
}

void CdreamEditor::Copy() {
  KIV_ACTIVE_OR();
  if (memo->hasSelectedText()) memo->copy();
  else QApplication::clipboard()->clear();
}

void CdreamEditor::Cut() {
  KIV_ACTIVE_OR();
  if (memo->hasSelectedText()) memo->cut();
  else QApplication::clipboard()->clear();
}

void CdreamEditor::Paste() {
  KIV_ACTIVE_OR();
  memo->paste();
}

bool CdreamEditor::Reserved39() { return true; }
bool CdreamEditor::Reserved40() { return true; }

bool CdreamEditor::CanPaste() {
  const QMimeData* data = QApplication::clipboard()->mimeData();
  return data && data->hasText();
}

bool CdreamEditor::HasSelection() {
  KIV_ACTIVE_OR(false);
  return memo->hasSelectedText();
}

void CdreamEditor::ShowFindDialog() {
  KIV_ACTIVE_OR();
  if (dialogsSuppressed_ || dialogScript()) {
    searchMemo(memo, lastSearch());
    return;
  }
  FindDialog dlg(ted->window(), false);
  dlg.load(lastSearch());
  if (dlg.exec() != QDialog::Accepted) return;
  lastSearch() = dlg.options();
  // The document may have closed while the dialog was open.
  if (Ted* now = active()) searchMemo(now->memo(), lastSearch());
}

bool CdreamEditor::FindNext() {
  KIV_ACTIVE_OR(false);
  SearchOptions o = lastSearch();
  o.entireScope = false;
  return searchMemo(memo, o);
}

void CdreamEditor::ShowReplaceDialog() {
  KIV_ACTIVE_OR();
  bool all = false;
  if (!dialogsSuppressed_ && !dialogScript()) {
    FindDialog dlg(ted->window(), true);
    dlg.load(lastSearch());
    if (dlg.exec() != QDialog::Accepted) return;
    lastSearch() = dlg.options();
    all = dlg.replaceAllChosen();
    ted = active();
    if (!ted) return;
    memo = ted->memo();
  }
  if (all) replaceAll(memo, lastSearch());
  else replaceNext(memo, lastSearch());
}

void CdreamEditor::SetCharset(const std::string& id) {
  KIV_ACTIVE_OR();
  ted->setCharset(id);
}

int CdreamEditor::GetFontSize() {
  KIV_ACTIVE_OR(0);
  return memo->documentFontSize();
}

std::string CdreamEditor::GetCharset() {
  KIV_ACTIVE_OR({});
  return ted->charset();
}

void CdreamEditor::SetFileName(const std::string& name) {
  KIV_ACTIVE_OR();
  ted->setName(name);
}

std::string CdreamEditor::GetFileNameOf(int index) {
  const auto docs = documents();
  if (index < 0 || index >= docs.size()) return {};
  return docs[index]->fileName();
}

void CdreamEditor::LoadFromFile(const std::string& fileName) {
  KIV_ACTIVE_OR();
  memo->setTextBytes(readFileOrThrow(fileName));
}

void CdreamEditor::ExportAs(const std::string& fileName, const std::string& format) {
  KIV_ACTIVE_OR();
  if (format != "HTML" && format != "RTF") return;
  writeFileOrThrow(fileName, memo->exportStyled(format, fileNameOnly(ted->fileName())));
}

void CdreamEditor::Print() {
  KIV_ACTIVE_OR();
  QsciPrinter printer;
  printer.setDocName(qpath(fileNameOnly(ted->fileName())));
  if (confirmPrint(ted, &printer)) printer.printRange(memo);
}

void CdreamEditor::ReplaceSelWithLines(const std::vector<std::string>& lines) {
  KIV_ACTIVE_OR();
  if (!memo->hasSelectedText()) return;
  const std::string sel = memo->selectedBytes();
  const bool rectangular = memo->SendScintilla(QsciScintillaBase::SCI_SELECTIONISRECTANGLE) != 0;
  const bool endsWithBreak = !rectangular && sel.size() >= 2 && sel.compare(sel.size() - 2, 2, "\r\n") == 0;
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i) text += "\r\n";
    text += lines[i];
  }
  if (endsWithBreak && !lines.empty()) text += "\r\n";
  memo->replaceSelectionBytes(text);
}

std::vector<std::string> CdreamEditor::GetSelLines() {
  KIV_ACTIVE_OR({});
  return memo->selectedLineList();
}

std::string CdreamEditor::GetFileName() {
  KIV_ACTIVE_OR({});
  return ted->fileName();
}

Ted* CdreamEditor::createDocument(DocumentHost* owner) {
  QMdiArea* area = owner->documentArea();
  auto* ted = new Ted(nullptr, this);
  QMdiSubWindow* sub = area->addSubWindow(ted);
  sub->setAttribute(Qt::WA_DeleteOnClose);
  // The MDI child's own close keys would take the program's Ctrl+W and Ctrl+F4.
  if (QMenu* sys = sub->systemMenu())
    for (QAction* a : sys->actions()) a->setShortcut(QKeySequence());
  sub->resize(settings_->documentWidth, settings_->documentHeight);
  ted->memo()->releaseKeys(programKeys_);
  owner->documentCreated(ted);
  const std::string name = "untitled" + std::to_string(settings_->untitledCounter);
  ted->setHasFile(false);
  sub->show();
  area->setActiveSubWindow(sub);
  ted->setName(name);
  ted->applySettings();
  ted->memo()->setFocus();
  return ted;
}

void CdreamEditor::NewDocument(DocumentHost* owner) { createDocument(owner); }

bool CdreamEditor::InsertAtCaret(const std::string& text) {
  KIV_ACTIVE_OR(false);
  memo->insertBytesAtCaret(text);
  return true;
}

void CdreamEditor::InsertLines(const std::vector<std::string>& lines) {
  KIV_ACTIVE_OR();
  memo->insertLineBlock(lines);
}

bool CdreamEditor::IsSelectionEmpty() {
  KIV_ACTIVE_OR(true);
  return !memo->hasSelectedText();
}

bool CdreamEditor::HasFile() {
  KIV_ACTIVE_OR(false);
  return ted->hasFile();
}

int CdreamEditor::GetGutterWidth() {
  KIV_ACTIVE_OR(0);
  return memo->gutterWidthPx();
}

int CdreamEditor::GetMarginPos() {
  KIV_ACTIVE_OR(0);
  return memo->rightMarginColumn();
}

void CdreamEditor::SetGutterWidth(int width) {
  KIV_ACTIVE_OR();
  memo->setGutterWidthPx(width);
}

void CdreamEditor::SetMarginPos(int column) {
  KIV_ACTIVE_OR();
  memo->setRightMargin(column, settings_->showRightMargin);
}

bool CdreamEditor::GetHasFile() { return HasFile(); }

void CdreamEditor::SetHasFile(bool flag) {
  KIV_ACTIVE_OR();
  ted->setHasFile(flag);
}

bool CdreamEditor::HasFileAt(int index) {
  const auto docs = documents();
  if (index < 0 || index >= docs.size()) return false;
  return docs[index]->hasFile();
}

void CdreamEditor::FocusText() {
  KIV_ACTIVE_OR();
  memo->setFocus();
}

void CdreamEditor::DocumentClosed(const std::string& fileName, int leftColumn, int topLine) {
  if (callbacks_.documentClosed) callbacks_.documentClosed(fileName, leftColumn, topLine);
}

void CdreamEditor::ShowInfo(int kind, const std::string& text) {
  if (!host_) return;
  if (kind == 13) host_->setStatusPanel(1, qs(text));
  else if (kind == 14) host_->setHostCaption(qpath(text));
}

void CdreamEditor::ScrollLines(int delta) {
  KIV_ACTIVE_OR();
  memo->scrollLinesBy(delta);
}

#undef KIV_ACTIVE_OR

}  // namespace kiv
