#include "ui/common/qt_text.h"

#include "core/charsets/code_page.h"

namespace kiv {

QString decodeBytes(std::string_view bytes, std::string_view charsetId) {
  return qs(CodePage::ofCharset(charsetId).decodeToUtf8(bytes));
}

std::string encodeText(const QString& text, std::string_view charsetId) {
  const QByteArray u = text.toUtf8();
  return CodePage::ofCharset(charsetId).encodeFromUtf8(std::string_view(u.constData(), u.size()));
}

}  // namespace kiv
