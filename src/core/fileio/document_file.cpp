#include "core/fileio/document_file.h"

#include "core/charsets/charset_detect.h"
#include "core/charsets/charset_id.h"
#include "core/charsets/code_page.h"
#include "core/common/text_lines.h"
#include "core/fileio/document_file_stream.h"

namespace kiv {

DocumentFile loadDocumentFile(std::string_view fileBytes, bool guessCodePage) {
  DocumentFileScanner scanner;
  scanner.feed(fileBytes);
  const DocumentFileInfo info = scanner.finish(guessCodePage);
  DocumentFile doc;
  doc.charset = info.charset;
  doc.shape = info.shape;
  doc.utf8Foreign = info.utf8Foreign;
  doc.text = info.shape.utf8 ? importUtf8File(fileBytes).text : normalizeToCrLf(fileBytes);
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
