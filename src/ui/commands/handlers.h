#pragma once
// Handlers of the main window's commands, by the name the command table
// gives them. Each checks for an open document where it needs one.

namespace kiv {

class TMainForm;

namespace cmd {

// File
void FileNew(TMainForm&);
void FileOpen(TMainForm&);
void FileSave(TMainForm&);
void FileSaveAs(TMainForm&);
void mniSaveAllClick(TMainForm&);
void mniRevertToSavedClick(TMainForm&);
void mniPrintClick(TMainForm&);
void mniwinini1Click(TMainForm&);
void mnisystemini1Click(TMainForm&);
void mniautoexecbat1Click(TMainForm&);
void mniExitClick(TMainForm&);

// Edit
void EditUndo(TMainForm&);
void Redo1Click(TMainForm&);
void EditCut(TMainForm&);
void EditCopy(TMainForm&);
void EditPaste(TMainForm&);
void mwordwrapClick(TMainForm&);

// Search
void Find1Click(TMainForm&);
void mniFindNextClick(TMainForm&);
void mniGotoLineClick(TMainForm&);
void mniReplaceClick(TMainForm&);

// Utilities
void mniAscrollClick(TMainForm&);

// View: windows and the documents window
void N41Click(TMainForm&);
void N42Click(TMainForm&);
void N43Click(TMainForm&);
void N96Click(TMainForm&);

// Help
void HelpAbout(TMainForm&);
void KIV1Click(TMainForm&);
void N56Click(TMainForm&);
void Bugz1Click(TMainForm&);
void N29Click(TMainForm&);
void N31Click(TMainForm&);

}  // namespace cmd
}  // namespace kiv
