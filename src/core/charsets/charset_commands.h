#pragma once
// The byte work behind the Encoding menu ("Конвертировать в") and the
// Import / Export submenus of the File menu. Everything here is a pure
// function over byte strings; the interface runs the dialogs, reads and
// writes the files and sets the document's charset.

#include <cstddef>
#include <string>
#include <string_view>

namespace kiv {

// "Конвертировать в": the text of a document in charset `from` ("win",
// "dos", "koi") rewritten for charset `to`, through Windows-1251. When the
// chain ends in dosFromWin (from "win" or "koi" to "dos"), every Windows-1251
// em dash followed by a space (97 20) becomes the DOS 866 horizontal line
// and space (C4 20); the dash is recognised in the Windows-1251 text, before
// the letters move, so a Ч followed by a space is never touched. From "dos"
// to "dos" the text stays as it is. Unknown identifiers count as "win".
std::string convertDocumentCharset(std::string_view text, std::string_view from, std::string_view to);

// Code pages that a document can be exported to or imported from.
enum class ExportCodePage { Koi8r, Dos866, Mac, Iso88595 };

// "Экспортировать в" KOI-8 Rus / DOS (866) / MAC / ISO-8859-5: the document
// text (in charset `from`) converted for the file; the interface writes it
// with the "std_txt" format. No em-dash patch here.
std::string exportToCodePage(std::string_view text, std::string_view from, ExportCodePage target);

// "Экспортировать в" Unicode is offered for "win" documents only; for the
// others the interface shows kMsgCannotExportUnicode and stops.
bool canExportUnicode(std::string_view charset);
inline constexpr const char* kMsgCannotExportUnicode = "Не умею экспортировать из ТЕКУЩЕЙ КОДИРОВКИ.";

// "Импортировать из" Mac / ISO-8859-5: the file's bytes read as plain text
// (every byte kept, every line ended by CR LF) and converted to
// Windows-1251.
std::string importMacFile(std::string_view fileBytes);
std::string importIsoFile(std::string_view fileBytes);

// "Импортировать из" Unicode: a UTF-16 file as Windows-1251 text. Little-
// endian unless the file starts with the big-endian byte-order mark FE FF;
// a leading byte-order mark (FF FE or FE FF) is dropped. A zero code unit
// becomes a zero byte; a final odd byte is ignored; a surrogate pair
// counts as one character. Characters Windows-1251 lacks become "?" and are
// counted in `unmapped` (if given). Line breaks become CR LF.
std::string importUtf16File(std::string_view fileBytes, std::size_t* unmapped = nullptr);

}  // namespace kiv
