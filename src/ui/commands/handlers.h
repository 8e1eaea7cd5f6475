#pragma once
// Handlers of the main window's commands, named for what they do; the
// command table binds them to the command ids. Each checks for an open
// document where it needs one.

namespace kiv {

class MainWindow;

namespace cmd {

// File
void newDocument(MainWindow&);
void openFiles(MainWindow&);
void save(MainWindow&);
void saveAs(MainWindow&);
void saveAll(MainWindow&);
void revertToSaved(MainWindow&);
void print(MainWindow&);
void openWinIni(MainWindow&);
void openSystemIni(MainWindow&);
void openAutoexecBat(MainWindow&);
void exitProgram(MainWindow&);

// Templates, backups, versions
void newFromTemplate(MainWindow&);
void saveAsTemplate(MainWindow&);
void saveBackupCopy(MainWindow&);
void loadBackupCopy(MainWindow&);
void saveVersion(MainWindow&);

// Encoding, import and export
void workInDos(MainWindow&);
void workInKoi(MainWindow&);
void workInWindows(MainWindow&);
void convertToDos(MainWindow&);
void convertToKoi(MainWindow&);
void convertToWindows(MainWindow&);
void importMac(MainWindow&);
void importIso(MainWindow&);
void importUnicode(MainWindow&);
void importUtf8(MainWindow&);
void exportKoi(MainWindow&);
void exportDos(MainWindow&);
void exportMac(MainWindow&);
void exportIso(MainWindow&);
void exportHtml(MainWindow&);
void exportRtf(MainWindow&);
void exportUnicode(MainWindow&);
void exportUtf8(MainWindow&);
void stripWordTypography(MainWindow&);
void fixKeyboardLayout(MainWindow&);
void fidoToPlainText(MainWindow&);
void transliterate(MainWindow&);
void detransliterate(MainWindow&);
void decodeMime(MainWindow&);
void encodeMime(MainWindow&);
void encodeBase64(MainWindow&);
void decodeBase64(MainWindow&);
void compressRle(MainWindow&);
void expandRle(MainWindow&);
void encodeHex(MainWindow&);
void decodeHex(MainWindow&);

// Edit
void undo(MainWindow&);
void redo(MainWindow&);
void cut(MainWindow&);
void copy(MainWindow&);
void paste(MainWindow&);
void toggleWordWrap(MainWindow&);

// Search
void find(MainWindow&);
void findNext(MainWindow&);
void goToLine(MainWindow&);
void replace(MainWindow&);
void replaceAllOrMulti(MainWindow&);
void findInFiles(MainWindow&);

// Utilities
void toggleAutoScroll(MainWindow&);
void toggleFileBrowser(MainWindow&);
void showTextAnalyzer(MainWindow&);
void showHexEditor(MainWindow&);
void toggleBookmarks(MainWindow&);
void showCalculator(MainWindow&);
void showUnitConverter(MainWindow&);
void showCalendar(MainWindow&);
void showCharacterTable(MainWindow&);

// View: windows and the documents window
void arrangeMinimized(MainWindow&);
void tileWindows(MainWindow&);
void cascadeWindows(MainWindow&);
void toggleDocumentsWindow(MainWindow&);

// Help
void about(MainWindow&);
void showHistory(MainWindow&);
void showManual(MainWindow&);
void showBugList(MainWindow&);
void writeToAuthor(MainWindow&);
void openProductSite(MainWindow&);

// Functions: lines, case, format, scrambling, statistics
void deleteEmptyLines(MainWindow&);
void numberLines(MainWindow&);
void encloseLines(MainWindow&);
void sortLines(MainWindow&);
void reverseSortLines(MainWindow&);
void reverseText(MainWindow&);
void reverseLineOrder(MainWindow&);
void surnameWithInitials(MainWindow&);
void listAnagrams(MainWindow&);
void deleteWord(MainWindow&);
void sortParagraphs(MainWindow&);
void insertRussianAlphabet(MainWindow&);
void insertEnglishAlphabet(MainWindow&);
void lowerCase(MainWindow&);
void upperCase(MainWindow&);
void hackerize(MainWindow&);
void capitalizeFirst(MainWindow&);
void capitalizeWords(MainWindow&);
void killSpaces(MainWindow&);
void killFormat(MainWindow&);
void killTabs(MainWindow&);
void tabsToSpaces(MainWindow&);
void hardWordWrap(MainWindow&);
void straightToPairedQuotes(MainWindow&);
void pairedToStraightQuotes(MainWindow&);
void scrambleWithPassword(MainWindow&);
void unscrambleWithPassword(MainWindow&);
void showStatistics(MainWindow&);
void showModuleVersions(MainWindow&);

// Functions: numbers, dates, the evaluator
void arabicToRoman(MainWindow&);
void romanToArabic(MainWindow&);
void numberToRussianWords(MainWindow&);
void numberToEnglishWords(MainWindow&);
void numberToGermanWords(MainWindow&);
void hexToDecimal(MainWindow&);
void decimalToHex(MainWindow&);
void decimalToBinary(MainWindow&);
void binaryToDecimal(MainWindow&);
void evaluateExpression(MainWindow&);
void insertFibonacci(MainWindow&);
void insertPi(MainWindow&);
void insertE(MainWindow&);
void checkLeapYear(MainWindow&);
void checkIsbn(MainWindow&);
void insertDate(MainWindow&);
void insertLongDateWithWeekday(MainWindow&);
void insertLongDate(MainWindow&);
void insertDayNumber(MainWindow&);
void insertTime(MainWindow&);

// Options and display styles
void toggleOptions(MainWindow&);
// Stores the style of that index (in menu order) and recolours every document.
void applyDisplayStyle(MainWindow&, int index);
template <int Index>
void displayStyle(MainWindow& main) {
  applyDisplayStyle(main, Index);
}
// HTML: strippers, links, tables, colours, tags; preview and the net
void stripHtmlTags(MainWindow&);
void stripHtmlTagsByDepth(MainWindow&);
void escapeTagBrackets(MainWindow&);
void listHyperlinks(MainWindow&);
void tableWizard(MainWindow&);
void tableWizardForSelection(MainWindow&);
void insertColor(MainWindow&);
void insertWebSafeColor(MainWindow&);
void colorSelection(MainWindow&);
// The wrap buttons: the tag pair of the button with that component name.
void wrapWithTagPair(MainWindow&, const char* button);
void wrapInFont(MainWindow&);
void insertEmptyFontTag(MainWindow&);
void insertEmptyImageTag(MainWindow&);
void insertLineBreakTag(MainWindow&);
void insertImageTag(MainWindow&);
void insertHtmlSkeleton(MainWindow&);
void previewInExplorer(MainWindow&);
void previewInOpera(MainWindow&);
void previewInNetscape(MainWindow&);
void previewInCustom(MainWindow&);
void findInNet(MainWindow&);

}  // namespace cmd
}  // namespace kiv
