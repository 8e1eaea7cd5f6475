// The editing control library reports every edit and caret move to the
// accessibility layer with the caret's character offset from the start of
// the document, which it counts character by character: in a large document
// every key press then costs a walk over the whole text before the caret.
// Character counts are answered here from the control's line character
// index instead (lines are indexed, only the last line's part is walked),
// which gives the same numbers in logarithmic time. While no assistive
// technology listens, the library's own counts are thrown away unread, so
// they are not made at all: building the index for a large document takes
// a noticeable moment, which the first keystroke would otherwise pay.
// The library calls this
// member through its procedure linkage table, so the program's definition
// (exported by the build) is the one it reaches; everything else is passed
// on unchanged to the library's own definition.

#include <dlfcn.h>

#include <Qsci/qsciscintillabase.h>
#include <QAccessible>

namespace {

using SendFn = long (*)(const QsciScintillaBase*, unsigned int, unsigned long, long);

SendFn librarySend() {
  static const SendFn fn =
      reinterpret_cast<SendFn>(dlsym(RTLD_NEXT, "_ZNK17QsciScintillaBase13SendScintillaEjml"));
  return fn;
}

// Characters from the start of the document to `pos`.
long characterIndex(const QsciScintillaBase* sci, SendFn send, long pos) {
  const long line = send(sci, QsciScintillaBase::SCI_LINEFROMPOSITION, static_cast<unsigned long>(pos), 0);
  const long lineStart = send(sci, QsciScintillaBase::SCI_POSITIONFROMLINE, static_cast<unsigned long>(line), 0);
  const long before = send(sci, QsciScintillaBase::SCI_INDEXPOSITIONFROMLINE, static_cast<unsigned long>(line),
                           QsciScintillaBase::SC_LINECHARACTERINDEX_UTF32);
  return before + send(sci, QsciScintillaBase::SCI_COUNTCHARACTERS, static_cast<unsigned long>(lineStart), pos);
}

// True when `address` lies in the editing control's library (the caller is
// the library, not this program).
bool inControlLibrary(const void* address) {
  static const void* const library = [] {
    Dl_info info{};
    return dladdr(reinterpret_cast<const void*>(librarySend()), &info) ? info.dli_fbase : nullptr;
  }();
  Dl_info info{};
  return library && dladdr(address, &info) && info.dli_fbase == library;
}

}  // namespace

long QsciScintillaBase::SendScintilla(unsigned int msg, unsigned long wParam, long lParam) const {
  const SendFn send = librarySend();
  if (!send) return 0;
  if (msg == SCI_COUNTCHARACTERS && !QAccessible::isActive() && inControlLibrary(__builtin_return_address(0)))
    return 0;
  if (msg == SCI_COUNTCHARACTERS && static_cast<long>(wParam) <= lParam && send(this, SCI_GETCODEPAGE, 0, 0) == SC_CP_UTF8) {
    const long from = static_cast<long>(wParam);
    const long to = lParam;
    // Short spans within one line are cheap to count directly.
    if (to - from > 4096 || send(this, SCI_LINEFROMPOSITION, wParam, 0) != send(this, SCI_LINEFROMPOSITION, static_cast<unsigned long>(to), 0)) {
      if (!(send(this, SCI_GETLINECHARACTERINDEX, 0, 0) & SC_LINECHARACTERINDEX_UTF32))
        send(this, SCI_ALLOCATELINECHARACTERINDEX, SC_LINECHARACTERINDEX_UTF32, 0);
      return characterIndex(this, send, to) - characterIndex(this, send, from);
    }
  }
  return send(this, msg, wParam, lParam);
}
