// Encloses the text in Russian quotes: «…» outside; quotes «…» already in
// the text become the inner pair „…“. The text is read as Windows-1251;
// line breaks at its end stay outside the quotes.
#include <string>
#include <string_view>

#include "kiv_plugin.h"
#include "line_text.h"

namespace {
constexpr char kOpenOuter = '\xAB';   // «
constexpr char kCloseOuter = '\xBB';  // »
constexpr char kOpenInner = '\x84';   // „
constexpr char kCloseInner = '\x93';  // “
}  // namespace

extern "C" const char* VersionInfo(void) {
  return "Кавычки-ёлочки|Заключает текст в «ёлочки» (Windows-1251); «ёлочки» внутри становятся „лапками“";
}

extern "C" int32_t HandleData(void*, char** text) {
  if (!text || !*text) return 0;
  std::string_view in(*text);
  std::size_t end = in.size();
  while (end > 0 && (in[end - 1] == '\r' || in[end - 1] == '\n')) --end;
  std::string out;
  out.reserve(in.size() + 2);
  out += kOpenOuter;
  for (std::size_t i = 0; i < end; ++i) {
    const char c = in[i];
    out += c == kOpenOuter ? kOpenInner : c == kCloseOuter ? kCloseInner : c;
  }
  out += kCloseOuter;
  out.append(in.substr(end));
  kivplugin::putResult(text, std::move(out));
  return 0;
}
