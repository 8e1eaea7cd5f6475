#include "core/fileio/document_file.h"

#include "core/charsets/charset_detect.h"
#include "core/charsets/charset_id.h"
#include "core/charsets/code_page.h"
#include "core/common/text_lines.h"

namespace kiv {

DocumentFile loadDocumentFile(std::string_view fileBytes, bool guessCodePage) {
  DocumentFile doc;
  OpenedFile opened = classifyOpenedFile(fileBytes);
  doc.shape = opened.shape;
  switch (opened.kind) {
    case OpenedFileKind::Utf8ToWin:
      doc.text = std::move(opened.text);
      return doc;
    case OpenedFileKind::Utf8Foreign:
      doc.utf8Foreign = true;
      break;
    case OpenedFileKind::Other:
      if (guessCodePage) {
        const std::string id = detectCharset(fileBytes.substr(0, kCharsetGuessBytes));
        if (charset::isKnown(id)) doc.charset = id;
      }
      break;
  }
  doc.text = normalizeToCrLf(fileBytes);
  return doc;
}

std::string documentFileBytes(std::string_view text, std::string_view charset, const TextFileShape& shape) {
  std::string laidOut = restoreTextFileShape(text, shape);
  if (!shape.utf8) return laidOut;
  std::string out;
  if (shape.utf8Bom) out.assign(kUtf8Bom);
  out += CodePage::ofCharset(charset).decodeToUtf8(laidOut);
  return out;
}

TextFileShape newDocumentShape() {
  TextFileShape shape;
  shape.lineEnd = LineEndStyle::Lf;
  shape.finalLineBreak = true;
  return shape;
}

}  // namespace kiv
