#include "ui/tools/replacement_asker.h"

#include "core/charsets/code_page.h"
#include "core/charsets/charset_id.h"
#include "ui/app/main_window.h"
#include "ui/common/dialogs.h"
#include "ui/common/qt_text.h"
#include "ui/tools/replace_window.h"

namespace kiv {

namespace {
std::optional<std::string> to1251(const QString& text) {
  std::size_t unmapped = 0;
  std::string bytes = CodePage::get(CodePageId::Win1251).encodeFromUtf8(u8(text), '?', &unmapped);
  if (unmapped) return std::nullopt;
  return bytes;
}

const QString kNot1251 = QStringLiteral("В тексте замены есть символы, которых нет в кодировке Windows-1251.");
}  // namespace

std::optional<ReplaceRequest> replaceRequestFrom(bool multi, const QString& find, const QString& replacement,
                                                 const QString& pairs, QString* why) {
  ReplaceRequest r;
  r.multi = multi;
  const auto f = to1251(find), rep = to1251(replacement), p = to1251(pairs);
  if (!f || !rep || !p) {
    if (why) *why = kNot1251;
    return std::nullopt;
  }
  r.find = *f;
  r.replacement = *rep;
  if (multi) r.pairs = parseReplacePairs(*p);
  return r;
}

std::optional<ReplaceRequest> askReplaceWindow(MainWindow& main, QWidget* parent) {
  auto* window = main.tools().get<ReplaceWindow>(QStringLiteral("ReplaceWindow"));
  if (!window) return std::nullopt;
  // The files are read as Windows-1251; the window works on no text of its own.
  const std::string charset(charset::kWin);
  if (!window->execModal(std::string(), charset)) return std::nullopt;
  ReplaceRequest r;
  r.multi = window->multi();
  QString why;
  if (r.multi) {
    auto pairs = window->pairs(charset, &why);
    if (!pairs) {
      showError(parent, why);
      return std::nullopt;
    }
    r.pairs = std::move(*pairs);
    return r;
  }
  const auto single = replaceRequestFrom(false, window->findText(), window->replaceText(), QString(), &why);
  if (!single) showError(parent, why);
  return single;
}

}  // namespace kiv
