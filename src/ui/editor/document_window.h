#pragma once
// The document window: an MDI child holding one document — the editing
// control with a top bar (templates, syntax, auto-indent), a bottom bar
// (caret position and a run line) and a context menu. It keeps the
// document's file name, charset and whether it has a file.

#include <QWidget>
#include <functional>
#include <string_view>
#include <optional>
#include <string>
#include <utility>

#include "core/charsets/utf8_files.h"
#include "core/common/file_identity.h"
#include "core/fileio/document_file_stream.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QMdiSubWindow;
class QActionGroup;

namespace kiv {

class EditorInterface;
class EditingControl;
struct CodeTemplate;
struct Settings;

class DocumentWindow : public QWidget {
  Q_OBJECT
 public:
  DocumentWindow(QWidget* owner, EditorInterface* editor);
  ~DocumentWindow() override;

  EditingControl* control() const { return control_; }
  EditorInterface* editor() const { return editor_; }
  QMdiSubWindow* subWindow() const;

  const std::string& fileName() const { return fileName_; }
  // The code page the document's bytes are in (the editing control's; undo
  // and redo change it together with the text).
  const std::string& charset() const;
  bool hasFile() const { return hasFile_; }
  void setHasFile(bool on) { hasFile_ = on; }
  // How the text is written to its file: line breaks, final break,
  // byte-order mark, UTF-8 or single-byte. A document read from a file keeps
  // the file's shape; a new one has newDocumentShape().
  const TextFileShape& fileShape() const { return fileShape_; }
  void setFileShape(const TextFileShape& shape);
  // Fills the document with a file's text: `produce` hands the text as the
  // editing control shows it over in pieces (see ShownTextMaker) and tells
  // whether the whole file was read. Fresh: no undo history, unmodified;
  // UndoStep (revert): one undo step, and nothing changes when producing
  // fails. fileName (may be empty) tells whether a highlighter will colour
  // the text. Returns what produce returned.
  enum class LoadMode { Fresh, UndoStep };
  using TextPieces = std::function<void(std::string_view)>;
  bool loadFileText(const DocumentFileInfo& info, LoadMode mode, const std::string& fileName,
                    const std::function<bool(const TextPieces&)>& produce);
  // The file as the document last read or wrote it, to notice changes made
  // by other programs.
  DiskFileState& diskFile() { return diskFile_; }
  void setDiskIdentity(std::optional<FileIdentity> identity) { diskFile_.remember(identity); }
  // The file the text was just read from, how it was read and what the
  // file was before reading: while the text has not changed since, its
  // recovery journal copies that file instead of the text. Taken once, by
  // the first change.
  struct ReadFrom {
    std::string path;
    DocumentFileInfo info;
    FileIdentity identity;
  };
  void setReadFrom(std::optional<ReadFrom> from) { readFrom_ = std::move(from); }
  std::optional<ReadFrom> takeReadFrom() { return std::exchange(readFrom_, std::nullopt); }
  // The document window that is closing right now (during its close report).
  static DocumentWindow* closingDocument();

  // File name ← name; window caption and main caption ← name.
  void setName(const std::string& name);
  // The apply-settings step run on new windows.
  void applySettings();
  // Charset identifier and the font that goes with it (one undo step; an
  // unknown identifier changes nothing).
  void setCharset(const std::string& id);
  // The window became the active MDI child.
  void activated();

  // Highlighter box and template box.
  QComboBox* syntaxBox() const { return syntaxBox_; }
  QComboBox* templatesBox() const { return templatesBox_; }
  QCheckBox* autoIndentBox() const { return autoIndent_; }
  QComboBox* runLine() const { return runLine_; }
  QLabel* positionLabel() const { return position_; }
  void selectHighlighter(const QString& displayName);
  // Ctrl+J: expands the template named by the selection or by the word
  // before the caret, or offers the matching templates in a list.
  void expandTemplateAtCaret();
  // Whether the list offered by Ctrl+J is open.
  bool templateListShown() const;
  // An entry chosen from that list: it replaces the partial name before the
  // caret, as typing the full name and Ctrl+J does.
  void chooseTemplateFromList(const QString& name);
  // Runs the run line's command.
  void runCommandLine();
  // "Открыть выделенный файл" / "Посмотреть выделенный файл".
  void openNamedFile(bool viewOnly);
  // The context menu (built once).
  QMenu* contextMenu() const { return menu_; }

  // The typographic quote that comes next is the opening one.
  static void resetQuoteToggle();

 signals:
  // The window is closing (after the close question was answered Yes).
  void closing(DocumentWindow* self);

 protected:
  void closeEvent(QCloseEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;

 private:
  // The window's own keys, before the control sees them; true consumes the key.
  bool handleKey(QKeyEvent* e);
  // Typed text before it goes in: typing sounds and typographic quotes.
  void adjustTypedText(QString& text);
  void buildContextMenu();
  void updatePosition();
  // Says in the status bar when the chosen highlighter cannot colour this
  // (large) document.
  void sayIfNotHighlighted() const;
  // The font of the current code page; the status bar when active.
  void charsetShown();
  bool isActiveDocument() const;
  void showFileShape() const;
  Settings& settings() const;
  std::string workingTextForName() const;
  std::string templateWordBeforeCaret() const;
  // Replaces the selection, or the wordLength characters before the caret,
  // with the template; the caret goes where the template asks.
  void insertTemplate(const CodeTemplate& t, std::size_t wordLength);

  EditorInterface* editor_;
  EditingControl* control_;
  std::string fileName_;
  bool hasFile_ = false;
  TextFileShape fileShape_;
  DiskFileState diskFile_;
  std::optional<ReadFrom> readFrom_;
  QComboBox* templatesBox_;
  QComboBox* syntaxBox_;
  QCheckBox* autoIndent_;
  QLabel* position_;
  QComboBox* runLine_;
  QPushButton* runButton_;
  QMenu* menu_ = nullptr;
  QActionGroup* selectionGroup_ = nullptr;
  QActionGroup* lineEndGroup_ = nullptr;
};

}  // namespace kiv
