// A very large document is kept without the control's per-character styles:
// they would take a byte beside every byte of the text, which for a file of
// a hundred megabytes of Russian text is as much again as the text itself.
// Such a document shows plain text only; lines are still wrapped (on screen
// first, the rest while the program is idle). The control keeps this in
// the document it holds, so loading switches to a document of the right
// kind and carries over what the old one kept.

#include "ui/editor/control/editing_control.h"

namespace kiv {

namespace {
// Shown text of this size and more is kept without styles.
constexpr std::uint64_t kStylesUpTo = std::uint64_t{64} << 20;
}  // namespace

bool EditingControl::keepsStyles() const {
  return (SendScintilla(SCI_GETDOCUMENTOPTIONS) & SC_DOCUMENTOPTION_STYLES_NONE) == 0;
}

void EditingControl::chooseStorageFor(std::uint64_t shownSize) {
  const bool styles = shownSize < kStylesUpTo;
  if (styles == keepsStyles()) return;
  // What the control keeps in its document rather than in itself.
  const long codePage = SendScintilla(SCI_GETCODEPAGE);
  const long eolMode = SendScintilla(SCI_GETEOLMODE);
  const long tabWidth = SendScintilla(SCI_GETTABWIDTH);
  const long indent = SendScintilla(SCI_GETINDENT);
  const long useTabs = SendScintilla(SCI_GETUSETABS);
  const long readOnly = SendScintilla(SCI_GETREADONLY);
  const long lineEnds = SendScintilla(SCI_GETLINEENDTYPESALLOWED);
  std::string wordChars(static_cast<std::size_t>(SendScintilla(SCI_GETWORDCHARS, 0UL, static_cast<char*>(nullptr))), '\0');
  SendScintilla(SCI_GETWORDCHARS, 0UL, wordChars.data());
  std::string blankChars(static_cast<std::size_t>(SendScintilla(SCI_GETWHITESPACECHARS, 0UL, static_cast<char*>(nullptr))), '\0');
  SendScintilla(SCI_GETWHITESPACECHARS, 0UL, blankChars.data());

  const long options = styles ? SC_DOCUMENTOPTION_DEFAULT : SC_DOCUMENTOPTION_STYLES_NONE;
  const long document = SendScintilla(SCI_CREATEDOCUMENT, 0UL, options);
  if (!document) return;  // out of memory: keep the document as it is
  SendScintilla(SCI_SETDOCPOINTER, 0UL, document);
  SendScintilla(SCI_RELEASEDOCUMENT, 0UL, document);  // the control holds it now

  SendScintilla(SCI_SETCODEPAGE, codePage);
  SendScintilla(SCI_SETEOLMODE, eolMode);
  SendScintilla(SCI_SETTABWIDTH, tabWidth);
  SendScintilla(SCI_SETINDENT, indent);
  SendScintilla(SCI_SETUSETABS, useTabs);
  SendScintilla(SCI_SETLINEENDTYPESALLOWED, lineEnds);
  SendScintilla(SCI_SETWORDCHARS, 0UL, wordChars.c_str());
  SendScintilla(SCI_SETWHITESPACECHARS, 0UL, blankChars.c_str());
  SendScintilla(SCI_SETREADONLY, readOnly);
}

}  // namespace kiv
