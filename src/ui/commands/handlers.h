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

// Templates, backups, versions
void mniNewFromTemplateClick(TMainForm&);
void mniSaveAsTemplateClick(TMainForm&);
void mniSaveCopyClick(TMainForm&);
void mniLoadCopyClick(TMainForm&);
void N86668Click(TMainForm&);

// Encoding, import and export
void DOS8661Click(TMainForm&);
void KOI8R1Click(TMainForm&);
void WindowsCP1Click(TMainForm&);
void DOS8662Click(TMainForm&);
void KOI8R2Click(TMainForm&);
void Windows12511Click(TMainForm&);
void mniMac2Click(TMainForm&);
void mniISO885951Click(TMainForm&);
void mniUnicode1Click(TMainForm&);
void mniUtf8ImportClick(TMainForm&);
void mniKOI8Rus2Click(TMainForm&);
void mniDOS2Click(TMainForm&);
void mniMAC1Click(TMainForm&);
void mniISO885952Click(TMainForm&);
void mniHTML2Click(TMainForm&);
void mniRTF1Click(TMainForm&);
void mniUnicode2Click(TMainForm&);
void mniUtf8ExportClick(TMainForm&);
void mniAntiwordClick(TMainForm&);
void mniFixEncClick(TMainForm&);
void mniFido2normClick(TMainForm&);
void mniTranslitClick(TMainForm&);
void mniDeTranslitClick(TMainForm&);
void MIME1Click(TMainForm&);
void MIME2Click(TMainForm&);
void Base64decode1Click(TMainForm&);
void base64Encode1Click(TMainForm&);
void RLE1Click(TMainForm&);
void RLE2Click(TMainForm&);
void HEX3Click(TMainForm&);
void HEXchar1Click(TMainForm&);

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

// Functions: lines, case, format, scrambling, statistics
void mniDelEmptyLinesClick(TMainForm&);
void mniNumberStringsClick(TMainForm&);
void mniEncloseClick(TMainForm&);
void mniSortStringsClick(TMainForm&);
void mnirevsortstringsClick(TMainForm&);
void mniReverseStringClick(TMainForm&);
void mniReverseStringsClick(TMainForm&);
void mniFIOClick(TMainForm&);
void mniAnagrammClick(TMainForm&);
void mniDelWordClick(TMainForm&);
void mniParaSortClick(TMainForm&);
void mniRusAlphaClick(TMainForm&);
void mniEngAlphhaClick(TMainForm&);
void Downcase1Click(TMainForm&);
void Changeregister1Click(TMainForm&);
void Hackerize1Click(TMainForm&);
void N11Click(TMainForm&);
void N46Click(TMainForm&);
void mnKillSpacesClick(TMainForm&);
void mniKillFormatClick(TMainForm&);
void mniKillFormat2Click(TMainForm&);
void TabsSpaces1Click(TMainForm&);
void mniHardWordWrapClick(TMainForm&);
void N71Click(TMainForm&);
void N72Click(TMainForm&);
void mniEncodeClick(TMainForm&);
void mniDecodeClick(TMainForm&);
void mniStatClick(TMainForm&);
void mniAboutmodulesClick(TMainForm&);

// Functions: numbers, dates, the evaluator
void IntegertoRoman1Click(TMainForm&);
void RomantoInteger1Click(TMainForm&);
void mniNum2WordsRusClick(TMainForm&);
void mniNum2WordsEngClick(TMainForm&);
void mniNum2WordsGermClick(TMainForm&);
void mniHEX2decClick(TMainForm&);
void mnidec2hexClick(TMainForm&);
void mnidec2binClick(TMainForm&);
void mnibin2decClick(TMainForm&);
void mniEvaluateClick(TMainForm&);
void mniFibClick(TMainForm&);
void Pi1Click(TMainForm&);
void e1Click(TMainForm&);
void mniIsLeapYearClick(TMainForm&);
void mniISBN1Click(TMainForm&);
void Insertdate1Click(TMainForm&);
void mniDate2Click(TMainForm&);
void mbiDate3Click(TMainForm&);
void mniDayNumberClick(TMainForm&);
void Inserttime1Click(TMainForm&);

}  // namespace cmd
}  // namespace kiv
