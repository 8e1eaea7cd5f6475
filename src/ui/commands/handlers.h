#pragma once
// Handlers of the main window's commands, by the name the command table
// gives them. Each checks for an open document where it needs one.

namespace kiv {

class MainWindow;

namespace cmd {

// File
void FileNew(MainWindow&);
void FileOpen(MainWindow&);
void FileSave(MainWindow&);
void FileSaveAs(MainWindow&);
void mniSaveAllClick(MainWindow&);
void mniRevertToSavedClick(MainWindow&);
void mniPrintClick(MainWindow&);
void mniwinini1Click(MainWindow&);
void mnisystemini1Click(MainWindow&);
void mniautoexecbat1Click(MainWindow&);
void mniExitClick(MainWindow&);

// Templates, backups, versions
void mniNewFromTemplateClick(MainWindow&);
void mniSaveAsTemplateClick(MainWindow&);
void mniSaveCopyClick(MainWindow&);
void mniLoadCopyClick(MainWindow&);
void N86668Click(MainWindow&);

// Encoding, import and export
void DOS8661Click(MainWindow&);
void KOI8R1Click(MainWindow&);
void WindowsCP1Click(MainWindow&);
void DOS8662Click(MainWindow&);
void KOI8R2Click(MainWindow&);
void Windows12511Click(MainWindow&);
void mniMac2Click(MainWindow&);
void mniISO885951Click(MainWindow&);
void mniUnicode1Click(MainWindow&);
void mniUtf8ImportClick(MainWindow&);
void mniKOI8Rus2Click(MainWindow&);
void mniDOS2Click(MainWindow&);
void mniMAC1Click(MainWindow&);
void mniISO885952Click(MainWindow&);
void mniHTML2Click(MainWindow&);
void mniRTF1Click(MainWindow&);
void mniUnicode2Click(MainWindow&);
void mniUtf8ExportClick(MainWindow&);
void mniAntiwordClick(MainWindow&);
void mniFixEncClick(MainWindow&);
void mniFido2normClick(MainWindow&);
void mniTranslitClick(MainWindow&);
void mniDeTranslitClick(MainWindow&);
void MIME1Click(MainWindow&);
void MIME2Click(MainWindow&);
void Base64decode1Click(MainWindow&);
void base64Encode1Click(MainWindow&);
void RLE1Click(MainWindow&);
void RLE2Click(MainWindow&);
void HEX3Click(MainWindow&);
void HEXchar1Click(MainWindow&);

// Edit
void EditUndo(MainWindow&);
void Redo1Click(MainWindow&);
void EditCut(MainWindow&);
void EditCopy(MainWindow&);
void EditPaste(MainWindow&);
void mwordwrapClick(MainWindow&);

// Search
void Find1Click(MainWindow&);
void mniFindNextClick(MainWindow&);
void mniGotoLineClick(MainWindow&);
void mniReplaceClick(MainWindow&);

// Utilities
void mniAscrollClick(MainWindow&);

// View: windows and the documents window
void N41Click(MainWindow&);
void N42Click(MainWindow&);
void N43Click(MainWindow&);
void N96Click(MainWindow&);

// Help
void HelpAbout(MainWindow&);
void KIV1Click(MainWindow&);
void N56Click(MainWindow&);
void Bugz1Click(MainWindow&);
void N29Click(MainWindow&);
void N31Click(MainWindow&);

// Functions: lines, case, format, scrambling, statistics
void mniDelEmptyLinesClick(MainWindow&);
void mniNumberStringsClick(MainWindow&);
void mniEncloseClick(MainWindow&);
void mniSortStringsClick(MainWindow&);
void mnirevsortstringsClick(MainWindow&);
void mniReverseStringClick(MainWindow&);
void mniReverseStringsClick(MainWindow&);
void mniFIOClick(MainWindow&);
void mniAnagrammClick(MainWindow&);
void mniDelWordClick(MainWindow&);
void mniParaSortClick(MainWindow&);
void mniRusAlphaClick(MainWindow&);
void mniEngAlphhaClick(MainWindow&);
void Downcase1Click(MainWindow&);
void Changeregister1Click(MainWindow&);
void Hackerize1Click(MainWindow&);
void N11Click(MainWindow&);
void N46Click(MainWindow&);
void mnKillSpacesClick(MainWindow&);
void mniKillFormatClick(MainWindow&);
void mniKillFormat2Click(MainWindow&);
void TabsSpaces1Click(MainWindow&);
void mniHardWordWrapClick(MainWindow&);
void N71Click(MainWindow&);
void N72Click(MainWindow&);
void mniEncodeClick(MainWindow&);
void mniDecodeClick(MainWindow&);
void mniStatClick(MainWindow&);
void mniAboutmodulesClick(MainWindow&);

// Functions: numbers, dates, the evaluator
void IntegertoRoman1Click(MainWindow&);
void RomantoInteger1Click(MainWindow&);
void mniNum2WordsRusClick(MainWindow&);
void mniNum2WordsEngClick(MainWindow&);
void mniNum2WordsGermClick(MainWindow&);
void mniHEX2decClick(MainWindow&);
void mnidec2hexClick(MainWindow&);
void mnidec2binClick(MainWindow&);
void mnibin2decClick(MainWindow&);
void mniEvaluateClick(MainWindow&);
void mniFibClick(MainWindow&);
void Pi1Click(MainWindow&);
void e1Click(MainWindow&);
void mniIsLeapYearClick(MainWindow&);
void mniISBN1Click(MainWindow&);
void Insertdate1Click(MainWindow&);
void mniDate2Click(MainWindow&);
void mbiDate3Click(MainWindow&);
void mniDayNumberClick(MainWindow&);
void Inserttime1Click(MainWindow&);

}  // namespace cmd
}  // namespace kiv
