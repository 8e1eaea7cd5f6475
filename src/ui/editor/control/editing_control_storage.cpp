// A large document is kept without the control's per-character styles: they
// take a byte beside every byte of the text, as much again as the text
// itself. Plain text uses them only to make wrapping cheaper (see
// editing_control_layout.cpp), so it gives them up at a smaller size than
// text a highlighter colours. Without styles a document shows plain text;
// lines are still wrapped, on screen first and the rest while the program
// is idle. The control keeps this in the document it holds, so loading
// switches to a document of the right kind and carries over what the old
// one kept.

#include "ui/editor/control/editing_control.h"

#include <new>
#include <utility>
#include <vector>

namespace kiv {

namespace {
// Shown text of this size and more is kept without styles.
constexpr std::uint64_t kPlainStylesUpTo = std::uint64_t{16} << 20;
constexpr std::uint64_t kHighlightedStylesUpTo = std::uint64_t{64} << 20;
}  // namespace

bool EditingControl::keepsStyles() const {
  return (SendScintilla(SCI_GETDOCUMENTOPTIONS) & SC_DOCUMENTOPTION_STYLES_NONE) == 0;
}

bool EditingControl::stylesFit(std::uint64_t shownSize, bool highlighted) {
  return shownSize < (highlighted ? kHighlightedStylesUpTo : kPlainStylesUpTo);
}

bool EditingControl::tooLargeToHighlight() const {
  return !stylesFit(static_cast<std::uint64_t>(SendScintilla(SCI_GETLENGTH)), true);
}

void EditingControl::chooseStorageFor(std::uint64_t shownSize, bool highlighted) {
  const bool styles = stylesFit(shownSize, highlighted);
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

bool EditingControl::takeStylesForHighlighting() {
  if (keepsStyles()) return true;
  if (tooLargeToHighlight()) return false;
  // Moving the text into a document of the other kind loses the undo
  // history, so only a text with none moves.
  if (modifiedFlag() || SendScintilla(SCI_CANUNDO) || SendScintilla(SCI_CANREDO)) return false;

  const long length = SendScintilla(SCI_GETLENGTH);
  const long anchor = SendScintilla(SCI_GETANCHOR), caret = SendScintilla(SCI_GETCURRENTPOS);
  const int top = topLine();
  const long eventMask = SendScintilla(SCI_GETMODEVENTMASK);
  const long wrap = SendScintilla(SCI_GETWRAPMODE);
  // The old document is held until the new one has the whole text: its text
  // is read where it lies, and a move that runs out of memory goes back to it.
  const long old = SendScintilla(SCI_GETDOCPOINTER);
  SendScintilla(SCI_ADDREFDOCUMENT, 0UL, old);
  SendScintilla(SCI_SETMODEVENTMASK, 0L);
  if (wrap != SC_WRAP_NONE) SendScintilla(SCI_SETWRAPMODE, static_cast<long>(SC_WRAP_NONE));
  bool moved = false;
  try {
    std::vector<std::pair<long, long>> marks;  // line, the set of its markers
    for (long line = SendScintilla(SCI_MARKERNEXT, 0L, -1L); line >= 0;
         line = SendScintilla(SCI_MARKERNEXT, line + 1, -1L))
      marks.emplace_back(line, SendScintilla(SCI_MARKERGET, line));
    const char* text = reinterpret_cast<const char*>(SendScintilla(SCI_GETCHARACTERPOINTER));
    chooseStorageFor(static_cast<std::uint64_t>(length), true);
    if (keepsStyles()) {
      SendScintilla(SCI_SETUNDOCOLLECTION, 0L);
      SendScintilla(SCI_APPENDTEXT, static_cast<unsigned long>(length), text);
      SendScintilla(SCI_SETUNDOCOLLECTION, 1L);
      SendScintilla(SCI_EMPTYUNDOBUFFER);
      SendScintilla(SCI_SETSAVEPOINT);
      for (const auto& [line, set] : marks) SendScintilla(SCI_MARKERADDSET, line, set);
      moved = SendScintilla(SCI_GETLENGTH) == length;
    }
  } catch (const std::bad_alloc&) {
    moved = false;
  }
  if (!moved && SendScintilla(SCI_GETDOCPOINTER) != old) {
    SendScintilla(SCI_SETSTATUS, static_cast<long>(SC_STATUS_OK));
    SendScintilla(SCI_SETDOCPOINTER, 0UL, old);
  }
  SendScintilla(SCI_RELEASEDOCUMENT, 0UL, old);
  SendScintilla(SCI_SETMODEVENTMASK, eventMask);
  if (wrap != SC_WRAP_NONE) SendScintilla(SCI_SETWRAPMODE, wrap);
  SendScintilla(SCI_SETSEL, anchor, caret);
  setTopLine(top);
  return moved;
}

}  // namespace kiv
