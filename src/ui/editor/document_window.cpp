#include "ui/editor/document_window.h"

#include <algorithm>

#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QProcess>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "core/charsets/charset_id.h"
#include "core/charsets/code_page.h"
#include "core/common/ascii.h"
#include "core/document/code_templates.h"
#include "core/document/document_rules.h"
#include "core/fileio/document_file.h"
#include "core/fileio/document_file_stream.h"
#include "ui/common/dialogs.h"
#include "ui/common/qt_text.h"
#include "ui/editor/control/editing_control.h"
#include "ui/editor/document_host.h"
#include "ui/editor/editor_interface.h"

namespace kiv {

namespace {
// The id of the template list among the control's user lists.
constexpr int kTemplateListId = 1;
// Which typographic quote comes next, shared by all document windows.
bool gOpeningQuoteNext = true;
DocumentWindow* gClosing = nullptr;
}  // namespace

DocumentWindow* DocumentWindow::closingDocument() { return gClosing; }

void DocumentWindow::resetQuoteToggle() { gOpeningQuoteNext = true; }

DocumentWindow::DocumentWindow(QWidget* owner, EditorInterface* editor) : QWidget(owner), editor_(editor) {
  setObjectName(QStringLiteral("ed"));
  setWindowTitle(QStringLiteral("editor"));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  // Top bar: templates, syntax, auto-indent.
  auto* top = new QWidget(this);
  top->setObjectName(QStringLiteral("Panel2"));
  auto* tl = new QHBoxLayout(top);
  tl->setContentsMargins(3, 2, 3, 2);
  tl->setSpacing(3);
  tl->addWidget(new QLabel(QStringLiteral("Шаблоны:"), top));
  templatesBox_ = new QComboBox(top);
  templatesBox_->setObjectName(QStringLiteral("cbtemplates"));
  for (const auto& n : templateSetNames()) templatesBox_->addItem(qs(n));
  templatesBox_->setToolTip(QStringLiteral("Выбор шаблона"));
  tl->addWidget(templatesBox_);
  tl->addWidget(new QLabel(QStringLiteral("Синтаксис"), top));
  syntaxBox_ = new QComboBox(top);
  syntaxBox_->setObjectName(QStringLiteral("ComboBox1"));
  for (const auto& n : highlighterNames()) syntaxBox_->addItem(qs(n));
  syntaxBox_->setToolTip(QStringLiteral("Цветовая подсветка синтаксиса"));
  // The boxes stay narrow enough for the bar to fit a new window; their lists show whole names.
  for (QComboBox* box : {templatesBox_, syntaxBox_}) {
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(4);
    box->setMaximumWidth(box->fontMetrics().horizontalAdvance(QStringLiteral("Custom")) + 28);
  }
  tl->addWidget(syntaxBox_);
  autoIndent_ = new QCheckBox(QStringLiteral("Автоотступ"), top);
  autoIndent_->setObjectName(QStringLiteral("cbAutoIndent"));
  autoIndent_->setChecked(true);
  autoIndent_->setSizePolicy(QSizePolicy::Minimum, QSizePolicy::Fixed);
  tl->addWidget(autoIndent_);
  tl->addStretch(1);
  layout->addWidget(top);

  control_ = new EditingControl(this);
  control_->setObjectName(QStringLiteral("Memo"));
  layout->addWidget(control_, 1);

  // Bottom bar: caret position and the run line.
  auto* bottom = new QWidget(this);
  bottom->setObjectName(QStringLiteral("Panel1"));
  auto* bl = new QHBoxLayout(bottom);
  bl->setContentsMargins(4, 2, 4, 2);
  position_ = new QLabel(QStringLiteral("1: 1"), bottom);
  position_->setMinimumWidth(70);
  bl->addWidget(position_);
  bl->addStretch(1);
  bl->addWidget(new QLabel(QStringLiteral("Твой компайлер"), bottom));
  runLine_ = new QComboBox(bottom);
  runLine_->setObjectName(QStringLiteral("edCompiler"));
  runLine_->setEditable(true);
  runLine_->setInsertPolicy(QComboBox::InsertAtTop);
  runLine_->setMinimumWidth(160);
  runLine_->setToolTip(QStringLiteral("Символ @ в командной строке замещает имя текущего файла"));
  bl->addWidget(runLine_, 1);
  runButton_ = new QPushButton(QStringLiteral("OK"), bottom);
  runButton_->setObjectName(QStringLiteral("Button1"));
  bl->addWidget(runButton_);
  layout->addWidget(bottom);

  connect(syntaxBox_, &QComboBox::currentTextChanged, this, [this](const QString& name) {
    control_->setHighlighterName(name);
    sayIfNotHighlighted();
    control_->setFocus();
  });
  connect(templatesBox_, &QComboBox::currentTextChanged, this, [this](const QString&) { control_->setFocus(); });
  connect(autoIndent_, &QCheckBox::toggled, this, [this](bool on) {
    control_->setAutoIndent(on);
    settings().autoIndent = on;
  });
  connect(runButton_, &QPushButton::clicked, this, &DocumentWindow::runCommandLine);
  connect(runLine_->lineEdit(), &QLineEdit::returnPressed, this, &DocumentWindow::runCommandLine);
  connect(control_, &EditingControl::caretMoved, this, [this](int, int) { updatePosition(); });
  connect(control_, &EditingControl::contextMenuWanted, this, [this](const QPoint& at) { menu_->popup(at); });
  connect(control_, QOverload<const char*, int>::of(&QsciScintillaBase::SCN_USERLISTSELECTION), this,
          [this](const char* selection, int id) {
            if (id == kTemplateListId) chooseTemplateFromList(QString::fromUtf8(selection));
          });

  connect(control_, &EditingControl::charsetChanged, this, [this](const QString&) { charsetShown(); });
  connect(control_, &EditingControl::textRefused, this, [this](const QString& message) {
    if (editor_->host()) editor_->host()->showStatusMessage(message);
  });
  control_->keyDownHook = [this](QKeyEvent* e) { return handleKey(e); };
  control_->typedTextHook = [this](QString& text) { adjustTypedText(text); };
  buildContextMenu();

  // A new document starts as one line holding a single space.
  resetQuoteToggle();
  fileName_.clear();
  fileShape_ = newDocumentShape();
  control_->loadTextBytes(" ");
  setFocusProxy(control_);
}

DocumentWindow::~DocumentWindow() = default;

Settings& DocumentWindow::settings() const { return *editor_->settings(); }

QMdiSubWindow* DocumentWindow::subWindow() const { return qobject_cast<QMdiSubWindow*>(parentWidget()); }

void DocumentWindow::setName(const std::string& name) {
  fileName_ = name;
  setWindowTitle(qpath(name));
  if (auto* sub = subWindow()) sub->setWindowTitle(qpath(name));
  editor_->showCaption(name);
}

const std::string& DocumentWindow::charset() const { return control_->charsetId(); }

void DocumentWindow::setCharset(const std::string& id) {
  if (!charset::isKnown(id)) return;
  if (id != control_->charsetId()) control_->setCharsetId(id);  // shown through charsetChanged
  else charsetShown();
}

void DocumentWindow::charsetShown() {
  const Settings& s = settings();
  const std::string& id = charset();
  if (id == charset::kWin) control_->setDocumentFont(qs(s.winFont), s.winFontSize);
  else if (id == charset::kKoi) control_->setDocumentFont(qs(s.koiFont), s.koiFontSize);
  else if (id == charset::kDos) control_->setDocumentFont(qs(s.dosFont), s.dosFontSize);
  control_->viewport()->update();
  if (isActiveDocument()) editor_->showCharsetInStatus(id);
}

bool DocumentWindow::isActiveDocument() const {
  QMdiSubWindow* sub = subWindow();
  if (!sub || !sub->mdiArea()) return true;  // a document being set up is the one shown
  return sub->mdiArea()->currentSubWindow() == sub || sub->mdiArea()->subWindowList().size() == 1;
}

void DocumentWindow::setFileShape(const TextFileShape& shape) {
  fileShape_ = shape;
  if (isActiveDocument()) showFileShape();
}

void DocumentWindow::showFileShape() const {
  // The third panel names a file format other than plain single-byte text.
  if (editor_->host()) editor_->host()->setStatusPanel(2, fileShape_.utf8 ? QStringLiteral("UTF-8") : QString());
}

bool DocumentWindow::loadFileText(const DocumentFileInfo& info, LoadMode mode, const std::string& fileName,
                                  const std::function<bool(const TextPieces&)>& produce) {
  control_->setLinesCutForDisplay(info.cutLinesAt != 0);
  if (mode == LoadMode::Fresh) {
    const bool highlighted = settings().syntaxHighlight && highlighterForFile(fileName) != kNoHighlighter;
    control_->beginLoading(info.charset, info.shownSize, highlighted);
    const bool whole = produce([this](std::string_view piece) { control_->appendLoaded(piece); });
    control_->endLoading();
    setFileShape(info.shape);
    return whole;
  }
  std::string text;
  text.reserve(static_cast<std::size_t>(info.shownSize));
  if (!produce([&text](std::string_view piece) { text += piece; })) return false;
  control_->replaceShownText(text, info.charset);
  setFileShape(info.shape);
  return true;
}

void DocumentWindow::applySettings() {
  Settings& s = settings();
  autoIndent_->setChecked(s.autoIndent);
  control_->setAutoIndent(s.autoIndent);

  // The gutter as its fill option says; a missing picture falls back to the plain colour.
  control_->setGutterWidthPx(s.gutterFill.width);
  if (!control_->setGutterFill(s.gutterFill)) s.gutterFill.kind = 0;

  // The text area; a missing picture drops the fill, the other steps still run.
  if (!control_->setTextAreaFill(s.textAreaFill, s.backgroundColor)) s.textAreaFill.kind = 0;

  control_->setRightMargin(s.rightMargin, s.showRightMargin);
  control_->setSpacesPerTab(s.tabWidth());
  control_->setColors(s.textColor, s.backgroundColor, s.selectionTextColor, s.selectionBackgroundColor);
  if (s.showLineNumbers) control_->setShowLineNumbers(true);
  control_->setSyntaxColoring(s.syntaxHighlight);
  control_->setSeparatorLines(s.separatorLines);
  control_->setWordWrapOn(s.wordWrap);
  control_->setBlockIndent(s.blockIndent);
  // A new document is "win"; applying the settings again later keeps the
  // document's code page, its text and its modified flag.
  charsetShown();
}

void DocumentWindow::activated() {
  editor_->showCharsetInStatus(std::string(charset::displayName(charset())));
  showFileShape();
  editor_->showCaption(fileName_);
  control_->SendScintilla(QsciScintillaBase::SCI_SETHSCROLLBAR, settings().wordWrap ? 0L : 1L);
}

void DocumentWindow::selectHighlighter(const QString& displayName) {
  const int i = syntaxBox_->findText(displayName);
  syntaxBox_->setCurrentIndex(i < 0 ? 0 : i);
  control_->setHighlighterName(syntaxBox_->currentText());
  sayIfNotHighlighted();
}

void DocumentWindow::sayIfNotHighlighted() const {
  if (!control_->highlights() || control_->keepsStyles() || !editor_->host()) return;
  editor_->host()->showStatusMessage(control_->tooLargeToHighlight()
                                         ? QStringLiteral("Документ слишком велик для подсветки синтаксиса.")
                                         : QStringLiteral("Подсветка синтаксиса этого большого документа появится, "
                                                          "когда файл будет открыт заново."));
}

void DocumentWindow::updatePosition() {
  position_->setText(QStringLiteral("%1: %2").arg(control_->caretLine() + 1).arg(control_->caretColumn() + 1));
}

void DocumentWindow::closeEvent(QCloseEvent* e) {
  if (control_->modifiedFlag() &&
      !askYesNo(this, QStringLiteral("Файл был изменен после сохранения. Вы хотите закрыть его?"))) {
    e->ignore();
    return;
  }
  gClosing = this;
  editor_->documentClosed(fileName_, control_->leftColumn(), control_->topLine());
  gClosing = nullptr;
  emit closing(this);
  e->accept();
}

void DocumentWindow::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  if (QMdiSubWindow* sub = subWindow(); sub && sub->isVisible() && !sub->isMinimized() && !sub->isMaximized()) {
    settings().documentWidth = sub->width();
    settings().documentHeight = sub->height();
  }
}

// ---------------------------------------------------------------------------
// Typed characters

void DocumentWindow::adjustTypedText(QString& text) {
  const Settings& s = settings();
  for (int i = 0; i < text.size(); ++i) {
    const QChar c = text.at(i);
    if (s.keyClickSound && c.unicode() >= 32 && editor_->callbacks().keyClickSound) editor_->callbacks().keyClickSound();
    if (s.enterSound && c.unicode() == 13 && editor_->callbacks().enterSound) editor_->callbacks().enterSound();
    if (s.typographicQuotes && c == QLatin1Char('"')) {
      const QChar quote = gOpeningQuoteNext ? QChar(0x00AB) : QChar(0x00BB);
      // A code page without typographic quotes keeps the straight one.
      if (CodePage::ofCharset(charset()).fromUnicode(quote.unicode()) >= 0) {
        text[i] = quote;
        gOpeningQuoteNext = !gOpeningQuoteNext;
      }
    }
  }
}

// ---------------------------------------------------------------------------
// Run line and named files

void DocumentWindow::runCommandLine() {
  const QString line = runLine_->currentText();
  const auto cmd = parseRunLine(u8(line), fileName_);
  if (!cmd) return;
  if (runLine_->findText(line) < 0) runLine_->insertItem(0, line);
  QStringList args;
  for (const auto& a : cmd->arguments) args << qs(a);
  startProgram(qs(cmd->program), args, qpath(fileFolder(fileName_)));
}

std::string DocumentWindow::workingTextForName() const {
  std::string text = control_->hasSelectedText() ? control_->selectedBytes() : control_->textCrLf();
  const std::string utf8 = CodePage::ofCharset(charset()).decodeToUtf8(text);
  return std::string(trimAsciiSpace(utf8));
}

void DocumentWindow::openNamedFile(bool viewOnly) {
  const std::string name = workingTextForName();
  if (name.empty()) return;
  const std::string file = resolveNamedFile(name, fileName_);
  const bool image = isViewableImage(file);
  const bool exists = QFileInfo(qpath(file)).isFile();
  const Settings& s = settings();
  if (viewOnly) {
    if (!image || !exists) return;
    if (s.imageViewer.empty()) openExternally(QUrl::fromLocalFile(qpath(file)));
    else startProgram(qs(s.imageViewer), {qpath(file)});
    return;
  }
  if (image) {
    if (exists) startProgram(qs(s.imageEditor), {qpath(file)});
    return;
  }
  editor_->openFile(file);
}

// ---------------------------------------------------------------------------
// Code templates

void DocumentWindow::expandTemplateAtCaret() {
  const std::string set = u8(templatesBox_->currentText());
  if (control_->hasSelectedText()) {
    // The selected text names the template and is replaced by it.
    if (const CodeTemplate* t = findTemplate(set, control_->selectedBytes())) insertTemplate(*t, 0);
    return;
  }
  const std::string word = templateWordBeforeCaret();
  if (const CodeTemplate* t = findTemplate(set, word)) {
    insertTemplate(*t, word.size());
    return;
  }
  auto matches = templatesStartingWith(set, word);
  if (matches.empty()) matches = templatesStartingWith(set, "");
  if (matches.empty()) return;
  std::string list;
  for (const auto* m : matches) {
    if (!list.empty()) list += '|';
    list += m->name;
  }
  control_->SendScintilla(QsciScintillaBase::SCI_AUTOCSETSEPARATOR, static_cast<long>('|'));
  control_->SendScintilla(QsciScintillaBase::SCI_USERLISTSHOW, static_cast<unsigned long>(kTemplateListId), list.c_str());
}

bool DocumentWindow::templateListShown() const {
  return control_->SendScintilla(QsciScintillaBase::SCI_AUTOCACTIVE) != 0;
}

void DocumentWindow::chooseTemplateFromList(const QString& name) {
  // The list is closed before the text changes under it.
  control_->SendScintilla(QsciScintillaBase::SCI_AUTOCCANCEL);
  const CodeTemplate* t = findTemplate(u8(templatesBox_->currentText()), u8(name));
  if (!t) return;
  // The partial name before the caret (as typed, perhaps extended while the
  // list was open) gives way to the template; a word that does not begin the
  // chosen name stays, and the template goes in after it.
  const std::string word = templateWordBeforeCaret();
  const bool partialName = !word.empty() && word.size() <= t->name.size() &&
                           equalsIgnoreAsciiCase(std::string_view(t->name).substr(0, word.size()), word);
  insertTemplate(*t, partialName ? word.size() : 0);
}

std::string DocumentWindow::templateWordBeforeCaret() const {
  const std::string line = control_->lineBytes(control_->caretLine());
  const std::size_t end = std::min(line.size(), static_cast<std::size_t>(std::max(0, control_->caretColumn())));
  const std::size_t start = templateWordStart(line, end);
  return line.substr(start, end - start);
}

void DocumentWindow::insertTemplate(const CodeTemplate& t, std::size_t wordLength) {
  const int line = control_->caretLine();
  const std::string lineText = control_->lineBytes(line);
  // The template's later lines take the indent of this line.
  std::string indent;
  for (char c : lineText) {
    if (c != ' ' && c != '\t') break;
    indent += c;
  }
  std::size_t caret = 0;
  const std::string body = kiv::expandTemplate(t, indent, caret);
  if (wordLength > 0) {
    const long end = control_->SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS);
    control_->moveCaretTo(line, control_->caretColumn() - static_cast<int>(wordLength));
    const long wordStart = control_->SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS);
    control_->SendScintilla(QsciScintillaBase::SCI_SETSEL, wordStart, end);
  }
  const long start = control_->SendScintilla(QsciScintillaBase::SCI_GETSELECTIONSTART);
  control_->replaceSelectionBytes(body);
  const long target = control_->SendScintilla(QsciScintillaBase::SCI_POSITIONRELATIVE, start, static_cast<long>(caret));
  control_->SendScintilla(QsciScintillaBase::SCI_GOTOPOS, caret == 0 ? start : target);
}

}  // namespace kiv
