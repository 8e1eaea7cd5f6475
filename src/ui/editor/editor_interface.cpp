#include "ui/editor/editor_interface.h"

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
#include "ui/editor/control/editing_control.h"
#include "ui/editor/control/find_dialog.h"
#include "ui/editor/document_host.h"
#include "ui/editor/document_window.h"

namespace kiv {

EditorInterface::EditorInterface(DocumentHost* host, EditorCallbacks callbacks, Settings* settings)
    : host_(host), callbacks_(std::move(callbacks)), settings_(settings) {}

DocumentWindow* EditorInterface::active() const {
  QMdiArea* area = host_ ? host_->documentArea() : nullptr;
  if (!area) return nullptr;
  QMdiSubWindow* sub = area->currentSubWindow();
  if (!sub) {
    const auto list = area->subWindowList(QMdiArea::StackingOrder);
    if (list.isEmpty()) return nullptr;
    sub = list.last();
  }
  return qobject_cast<DocumentWindow*>(sub->widget());
}

QList<DocumentWindow*> EditorInterface::documents() const {
  QList<DocumentWindow*> out;
  QMdiArea* area = host_ ? host_->documentArea() : nullptr;
  if (!area) return out;
  const auto list = area->subWindowList(QMdiArea::StackingOrder);
  for (auto it = list.rbegin(); it != list.rend(); ++it)
    if (auto* t = qobject_cast<DocumentWindow*>((*it)->widget())) out << t;
  return out;
}

QList<DocumentWindow*> EditorInterface::documentsLastFirst() const {
  QList<DocumentWindow*> docs = documents();
  std::reverse(docs.begin(), docs.end());
  return docs;
}

#define KIV_ACTIVE_OR(value)   \
  DocumentWindow* doc = active();         \
  if (!doc) return value;      \
  EditingControl* control = doc->control(); \
  (void)control

void EditorInterface::setModified(bool flag) {
  KIV_ACTIVE_OR();
  control->setModifiedFlag(flag);
}

bool EditorInterface::isModified() const {
  KIV_ACTIVE_OR(false);
  return control->modifiedFlag();
}

void EditorInterface::applySettingsToActive() {
  KIV_ACTIVE_OR();
  doc->applySettings();
}

int EditorInterface::topLine() const {
  KIV_ACTIVE_OR(0);
  return control->topLine();
}

void EditorInterface::goToLine(int line) {
  KIV_ACTIVE_OR();
  control->moveCaretTo(line, 1);
  control->SendScintilla(QsciScintillaBase::SCI_SCROLLCARET);
}

void EditorInterface::scrollBy(int columns, int lines) {
  scrollLines(lines);
  KIV_ACTIVE_OR();
  control->scrollColumnsBy(columns);
}

void EditorInterface::loadText(const std::string& fileName, const std::string& text) {
  KIV_ACTIVE_OR();
  control->loadTextBytes(text);
  doc->setHasFile(true);
  setFileName(fileName);
  doc->selectHighlighter(qs(highlighterForFile(fileName)));
}

std::string EditorInterface::workingText() const {
  KIV_ACTIVE_OR({});
  return control->hasSelectedText() ? control->selectedBytes() : control->textCrLf();
}

std::string EditorInterface::selectedText() const {
  KIV_ACTIVE_OR({});
  return control->selectedBytes();
}

void EditorInterface::putWorkingText(const std::string& text) {
  KIV_ACTIVE_OR();
  if (control->hasSelectedText()) control->replaceSelectionBytes(text);
  else control->setTextBytes(text);
}

void EditorInterface::replaceSelection(const std::string& text) {
  KIV_ACTIVE_OR();
  control->replaceSelectionBytes(text);
}

void EditorInterface::setText(const std::string& text) {
  KIV_ACTIVE_OR();
  control->setTextBytes(text);
}

std::string EditorInterface::text() const {
  KIV_ACTIVE_OR({});
  return control->textCrLf();
}

void EditorInterface::setWordWrap(bool on) {
  KIV_ACTIVE_OR();
  control->setWordWrapOn(on);
}

DocumentLines EditorInterface::lines() const {
  KIV_ACTIVE_OR(DocumentLines());
  return DocumentLines(control);
}

void EditorInterface::applyColors() {
  applySettingsToActive();
  const Settings& s = *settings_;
  for (DocumentWindow* t : documentsLastFirst()) t->control()->setColors(s.textColor, s.backgroundColor, s.selectionTextColor, s.selectionBackgroundColor);
}

namespace {
void fontOfCharset(const Settings& s, const std::string& id, std::string& name, int& size) {
  if (id == charset::kKoi) name = s.koiFont, size = s.koiFontSize;
  else if (id == charset::kDos) name = s.dosFont, size = s.dosFontSize;
  else name = s.winFont, size = s.winFontSize;
}
}  // namespace

void EditorInterface::applyCharsetFonts() {
  for (DocumentWindow* t : documentsLastFirst()) {
    std::string name;
    int size = 10;
    fontOfCharset(*settings_, t->charset(), name, size);
    t->control()->setDocumentFont(qs(name), size);
  }
}

void EditorInterface::applyCharsetFontSizes() {
  for (DocumentWindow* t : documentsLastFirst()) {
    std::string name;
    int size = 10;
    fontOfCharset(*settings_, t->charset(), name, size);
    t->control()->setDocumentFont(t->control()->documentFontFamily(), size);
  }
}

void EditorInterface::applyTextBackground() {
  Settings& s = *settings_;
  for (DocumentWindow* t : documentsLastFirst()) {
    if (!t->control()->setTextAreaFill(s.textAreaFill, s.backgroundColor)) {
      // A missing picture: the setting falls back to no fill and the walk stops.
      s.textAreaFill.kind = 0;
      return;
    }
  }
}

void EditorInterface::applyGutter() {
  Settings& s = *settings_;
  for (DocumentWindow* t : documentsLastFirst()) {
    t->control()->setGutterWidthPx(s.gutterFill.width);
    if (!t->control()->setGutterFill(s.gutterFill)) {
      s.gutterFill.kind = 0;
      return;
    }
  }
}

void EditorInterface::applyMargin() {
  for (DocumentWindow* t : documentsLastFirst()) t->control()->setRightMargin(settings_->rightMargin, settings_->showRightMargin);
}

void EditorInterface::applyLineNumbers() {
  for (DocumentWindow* t : documentsLastFirst()) t->control()->setShowLineNumbers(settings_->showLineNumbers);
}

void EditorInterface::applyBlockIndent() {
  for (DocumentWindow* t : documentsLastFirst()) t->control()->setBlockIndent(settings_->blockIndent);
}

void EditorInterface::applyTabWidth() {
  for (DocumentWindow* t : documentsLastFirst()) t->control()->setSpacesPerTab(settings_->tabWidth());
}

void EditorInterface::applySyntaxHighlight() {
  for (DocumentWindow* t : documentsLastFirst()) t->control()->setSyntaxColoring(settings_->syntaxHighlight);
}

void EditorInterface::applyLineSeparators() {
  for (DocumentWindow* t : documentsLastFirst()) t->control()->setSeparatorLines(settings_->separatorLines);
}

void EditorInterface::undo() {
  KIV_ACTIVE_OR();
  control->undo();
}

void EditorInterface::redo() {
  KIV_ACTIVE_OR();
  control->redo();
}

void EditorInterface::copy() {
  KIV_ACTIVE_OR();
  if (control->hasSelectedText()) control->copy();
  else QApplication::clipboard()->clear();
}

void EditorInterface::cut() {
  KIV_ACTIVE_OR();
  if (control->hasSelectedText()) control->cut();
  else QApplication::clipboard()->clear();
}

void EditorInterface::paste() {
  KIV_ACTIVE_OR();
  control->paste();
}

bool EditorInterface::canPaste() const {
  const QMimeData* data = QApplication::clipboard()->mimeData();
  return data && data->hasText();
}

bool EditorInterface::hasSelection() const {
  KIV_ACTIVE_OR(false);
  return control->hasSelectedText();
}

void EditorInterface::showFindDialog() {
  KIV_ACTIVE_OR();
  if (dialogsSuppressed_ || dialogScript()) {
    findAndSelect(control, lastSearch());
    return;
  }
  FindDialog dlg(doc->window(), false);
  dlg.load(lastSearch());
  if (dlg.exec() != QDialog::Accepted) return;
  lastSearch() = dlg.options();
  // The document may have closed while the dialog was open.
  if (DocumentWindow* now = active()) findAndSelect(now->control(), lastSearch());
}

bool EditorInterface::findNext() {
  KIV_ACTIVE_OR(false);
  SearchOptions o = lastSearch();
  o.entireScope = false;
  return findAndSelect(control, o);
}

void EditorInterface::showReplaceDialog() {
  KIV_ACTIVE_OR();
  bool all = false;
  if (!dialogsSuppressed_ && !dialogScript()) {
    FindDialog dlg(doc->window(), true);
    dlg.load(lastSearch());
    if (dlg.exec() != QDialog::Accepted) return;
    lastSearch() = dlg.options();
    all = dlg.replaceAllChosen();
    doc = active();
    if (!doc) return;
    control = doc->control();
  }
  if (all) replaceAll(control, lastSearch());
  else replaceNext(control, lastSearch());
}

void EditorInterface::setCharset(const std::string& id) {
  KIV_ACTIVE_OR();
  doc->setCharset(id);
}

std::string EditorInterface::charset() const {
  KIV_ACTIVE_OR({});
  return doc->charset();
}

void EditorInterface::setFileName(const std::string& name) {
  KIV_ACTIVE_OR();
  doc->setName(name);
}

std::string EditorInterface::fileNameAt(int index) const {
  const auto docs = documents();
  if (index < 0 || index >= docs.size()) return {};
  return docs[index]->fileName();
}

void EditorInterface::exportAs(const std::string& fileName, const std::string& format) {
  KIV_ACTIVE_OR();
  if (format != "HTML" && format != "RTF") return;
  writeFileOrThrow(fileName, control->exportStyled(format, fileNameOnly(doc->fileName())));
}

void EditorInterface::print() {
  KIV_ACTIVE_OR();
  QsciPrinter printer;
  printer.setDocName(qpath(fileNameOnly(doc->fileName())));
  if (confirmPrint(doc, &printer)) printer.printRange(control);
}

void EditorInterface::replaceSelectedLines(const std::vector<std::string>& lines) {
  KIV_ACTIVE_OR();
  if (!control->hasSelectedText()) return;
  const std::string sel = control->selectedBytes();
  const bool rectangular = control->SendScintilla(QsciScintillaBase::SCI_SELECTIONISRECTANGLE) != 0;
  const bool endsWithBreak = !rectangular && sel.size() >= 2 && sel.compare(sel.size() - 2, 2, "\r\n") == 0;
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i) text += "\r\n";
    text += lines[i];
  }
  if (endsWithBreak && !lines.empty()) text += "\r\n";
  control->replaceSelectionBytes(text);
}

std::vector<std::string> EditorInterface::selectedLines() const {
  KIV_ACTIVE_OR({});
  return control->selectedLineList();
}

std::string EditorInterface::fileName() const {
  KIV_ACTIVE_OR({});
  return doc->fileName();
}

DocumentWindow* EditorInterface::createDocument(DocumentHost* owner) {
  QMdiArea* area = owner->documentArea();
  auto* doc = new DocumentWindow(nullptr, this);
  QMdiSubWindow* sub = area->addSubWindow(doc);
  sub->setAttribute(Qt::WA_DeleteOnClose);
  // The MDI child's own close keys would take the program's Ctrl+W and Ctrl+F4.
  if (QMenu* sys = sub->systemMenu())
    for (QAction* a : sys->actions()) a->setShortcut(QKeySequence());
  sub->resize(settings_->documentWidth, settings_->documentHeight);
  doc->control()->releaseKeys(programKeys_);
  owner->documentCreated(doc);
  const std::string name = "untitled" + std::to_string(settings_->untitledCounter);
  doc->setHasFile(false);
  sub->show();
  area->setActiveSubWindow(sub);
  doc->setName(name);
  doc->applySettings();
  doc->control()->setFocus();
  return doc;
}

bool EditorInterface::insertAtCaret(const std::string& text) {
  KIV_ACTIVE_OR(false);
  control->insertBytesAtCaret(text);
  return true;
}

void EditorInterface::insertLines(const std::vector<std::string>& lines) {
  KIV_ACTIVE_OR();
  control->insertLineBlock(lines);
}

bool EditorInterface::hasFile() const {
  KIV_ACTIVE_OR(false);
  return doc->hasFile();
}

int EditorInterface::gutterWidth() const {
  KIV_ACTIVE_OR(0);
  return control->gutterWidthPx();
}

int EditorInterface::marginColumn() const {
  KIV_ACTIVE_OR(0);
  return control->rightMarginColumn();
}

void EditorInterface::setGutterWidth(int width) {
  KIV_ACTIVE_OR();
  control->setGutterWidthPx(width);
}

void EditorInterface::setHasFile(bool flag) {
  KIV_ACTIVE_OR();
  doc->setHasFile(flag);
}

void EditorInterface::focusText() {
  KIV_ACTIVE_OR();
  control->setFocus();
}

void EditorInterface::openFile(const std::string& fileName) {
  if (callbacks_.openFile) callbacks_.openFile(fileName);
}

void EditorInterface::documentClosed(const std::string& fileName, int leftColumn, int topLine) {
  if (callbacks_.documentClosed) callbacks_.documentClosed(fileName, leftColumn, topLine);
}

void EditorInterface::showCharsetInStatus(const std::string& text) {
  if (host_) host_->setStatusPanel(1, qs(text));
}

void EditorInterface::showCaption(const std::string& fileName) {
  if (host_) host_->setHostCaption(qpath(fileName));
}

void EditorInterface::scrollLines(int delta) {
  KIV_ACTIVE_OR();
  control->scrollLinesBy(delta);
}

#undef KIV_ACTIVE_OR

}  // namespace kiv
