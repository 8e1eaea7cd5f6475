#pragma once
// Reloading a document whose file another program changed.

namespace kiv {

class MainWindow;

// When the program regains focus: if another program changed the active
// document's file and the document has no changes of its own, offers to
// read it again. Each change is offered once; No keeps the document.
// The reload is "Revert to saved".
void offerReloadOfChangedFile(MainWindow& main);

}  // namespace kiv
