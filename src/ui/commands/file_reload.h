#pragma once
// Reloading a document whose file another program changed.

namespace kiv {

class TMainForm;
class Ted;

// When the program regains focus: if another program changed the active
// document's file and the document has no changes of its own, offers to
// read it again. Each change is offered once; No keeps the document.
void offerReloadOfChangedFile(TMainForm& main);
// Reads the active document's file again into it, as the open routine reads
// a file, in one undoable step; the document is left unmodified and
// remembers the file as read. Throws FileError when the file cannot be read
// (the document stays as it was).
void reloadDocumentFromDisk(TMainForm& main, Ted* doc);

}  // namespace kiv
