#pragma once
// Writing a document over a file, with the questions asked first: the file
// was changed by another program since the document read or wrote it, or
// the user may not write it.

#include <string>

namespace kiv {

class MainWindow;
class DocumentWindow;

// Saves the document's text to the file (its own or a chosen one). When
// another program changed the document's own file, asks before overwriting
// it: false on No, with nothing written. A write-protected file is written
// only when the user confirms; No throws FileError("Cannot create file …").
// A failed write throws FileError. After a save the document remembers the
// file as written.
bool saveDocumentFile(MainWindow& main, DocumentWindow* doc, const std::string& fileName);

}  // namespace kiv
